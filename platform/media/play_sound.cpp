// PlaySoundA over SDL's audio: the wave image is decoded by SDL_LoadWAV_RW
// and fed to an audio device from SDL's audio thread; one sound at a time.
#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>

#include "platform/media/sound.h"
#include "platform/win32.h"

namespace platform::media {

namespace {

// The RIFF header: "RIFF", the size of what follows, "WAVE".
constexpr size_t kRiffHeaderBytes = 12;
// Wave images above this are refused rather than trusted.
constexpr uint32_t kLargestImage = 1u << 30;

struct Sound {
  SDL_AudioDeviceID device = 0;
  Uint8* samples = nullptr;  // SDL_LoadWAV's buffer
  Uint32 length = 0;
  Uint8 silence = 0;
  bool loop = false;
  // Written by the audio thread while the device is unlocked.
  Uint32 position = 0;
  bool finished = false;
};

std::mutex g_mutex;  // guards g_sound and the audio start
std::condition_variable g_finished;
std::unique_ptr<Sound> g_sound;
bool g_audio_failed = false;

// SDL's audio thread asks for `length` bytes.
void Feed(void* data, Uint8* stream, int length) {
  auto* sound = static_cast<Sound*>(data);
  auto wanted = static_cast<Uint32>(length);
  while (wanted > 0 && !sound->finished) {
    if (sound->position == sound->length) {
      if (!sound->loop || sound->length == 0) {
        sound->finished = true;
        g_finished.notify_all();
        break;
      }
      sound->position = 0;
    }
    const Uint32 part = std::min(wanted, sound->length - sound->position);
    std::memcpy(stream, sound->samples + sound->position, part);
    sound->position += part;
    stream += part;
    wanted -= part;
  }
  if (wanted > 0) std::memset(stream, sound->silence, wanted);
}

// Audio starts on first use; a machine without audio output is asked once.
bool AudioStarted() {
  if (SDL_WasInit(SDL_INIT_AUDIO) != 0) return true;
  if (g_audio_failed) return false;
  g_audio_failed = SDL_InitSubSystem(SDL_INIT_AUDIO) != 0;
  return !g_audio_failed;
}

void Close(std::unique_ptr<Sound>& sound) {
  if (!sound) return;
  // Closing waits for the audio thread to leave Feed.
  if (sound->device != 0) SDL_CloseAudioDevice(sound->device);
  SDL_FreeWAV(sound->samples);
  sound.reset();
}

// The length of the wave image at `image`, or 0 when it is none.
uint32_t WaveImageLength(const char* image) {
  if (image == nullptr || std::memcmp(image, "RIFF", 4) != 0 ||
      std::memcmp(image + 8, "WAVE", 4) != 0) {
    return 0;
  }
  uint32_t size = 0;
  std::memcpy(&size, image + 4, sizeof size);
  if (size < 4 || size > kLargestImage - 8) return 0;
  return size + 8;
}

std::unique_ptr<Sound> Open(const char* image, uint32_t length, bool loop) {
  auto sound = std::make_unique<Sound>();
  SDL_AudioSpec format{};
  SDL_RWops* source = SDL_RWFromConstMem(image, static_cast<int>(length));
  if (source == nullptr ||
      SDL_LoadWAV_RW(source, 1, &format, &sound->samples, &sound->length) == nullptr) {
    SetLastError(ERROR_INVALID_DATA);
    return nullptr;
  }
  sound->loop = loop;
  sound->silence = format.silence;
  // Buffers of about 20 ms: stopping a sound waits for the buffer in play.
  Uint16 samples = 64;
  while (samples < 8192 && samples * 2 <= format.freq / 50)
    samples = static_cast<Uint16>(samples * 2);
  format.samples = samples;
  format.callback = Feed;
  format.userdata = sound.get();
  sound->device = SDL_OpenAudioDevice(nullptr, 0, &format, nullptr, 0);
  if (sound->device == 0) {
    Close(sound);
    SetLastError(ERROR_NOT_SUPPORTED);
    return nullptr;
  }
  return sound;
}

}  // namespace

SoundStatus CurrentSound() {
  std::lock_guard lock(g_mutex);
  SoundStatus status;
  if (!g_sound) return status;
  SDL_LockAudioDevice(g_sound->device);
  status.playing = !g_sound->finished;
  SDL_UnlockAudioDevice(g_sound->device);
  status.looping = g_sound->loop;
  status.sample_bytes = g_sound->length;
  return status;
}

}  // namespace platform::media

BOOL PlaySoundA(LPCSTR pszSound, HMODULE, DWORD fdwSound) {
  using namespace platform::media;
  std::unique_lock lock(g_mutex);
  if (pszSound == nullptr) {
    Close(g_sound);
    return TRUE;
  }
  const bool async = (fdwSound & SND_ASYNC) != 0;
  const bool loop = (fdwSound & SND_LOOP) != 0;
  if ((fdwSound & SND_MEMORY) == 0 || (loop && !async)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const uint32_t length = WaveImageLength(pszSound);
  if (length < kRiffHeaderBytes) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  if ((fdwSound & SND_NOSTOP) != 0 && g_sound) {
    SDL_LockAudioDevice(g_sound->device);
    const bool busy = !g_sound->finished;
    SDL_UnlockAudioDevice(g_sound->device);
    if (busy) {
      SetLastError(ERROR_BUSY);
      return FALSE;
    }
  }
  Close(g_sound);
  if (!AudioStarted()) {
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  g_sound = Open(pszSound, length, loop);
  if (!g_sound) return FALSE;
  SDL_PauseAudioDevice(g_sound->device, 0);
  if (!async) {
    // The audio thread does not take g_mutex, so its notice can come just
    // before the wait: the wait looks again every few milliseconds.
    Sound* sound = g_sound.get();
    const auto done = [&] {
      SDL_LockAudioDevice(sound->device);
      const bool finished = sound->finished;
      SDL_UnlockAudioDevice(sound->device);
      return finished;
    };
    while (!g_finished.wait_for(lock, std::chrono::milliseconds(20), done)) {
    }
    Close(g_sound);
  }
  return TRUE;
}
