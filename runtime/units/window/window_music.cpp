// BackMusic: a wave image played through the system's wave sound (the
// program has one at a time) while the window lives, looping or once by
// BackMusicMode. MIDI images are recognised but not played: the platform
// has no MIDI synthesiser.
#include <cstring>
#include <string>

#include "runtime/units/window/window_unit.h"

namespace runtime::units::window {

namespace {

constexpr int32_t kLoop = 0;
constexpr int32_t kOnce = 1;
constexpr size_t kRiffHeaderBytes = 12;

// The window whose wave plays now, and its bytes: the sound system reads a
// memory image only while it starts, but a copy is kept for as long as it
// plays all the same, as the wave functions ask of their callers.
const WindowUnit* g_wave_owner = nullptr;
std::string g_wave;

bool IsWave(const std::string& bytes) {
  return bytes.size() >= kRiffHeaderBytes && bytes.compare(0, 4, "RIFF") == 0 &&
         bytes.compare(8, 4, "WAVE") == 0;
}

// The image with its RIFF size cut to the bytes there are, so that a size
// that claims more is never read past.
std::string TrustedWave(const std::string& bytes) {
  std::string wave = bytes;
  uint32_t claimed = 0;
  std::memcpy(&claimed, wave.data() + 4, sizeof claimed);
  const auto available = static_cast<uint32_t>(wave.size() - 8);
  if (claimed > available) std::memcpy(wave.data() + 4, &available, sizeof available);
  return wave;
}

}  // namespace

void StartMusic(WindowUnit& unit) {
  const int32_t mode = unit.record.Int(kBackMusicMode);
  const std::string& bytes = unit.record.Text(kBackMusic);
  if (unit.embedded || (mode != kLoop && mode != kOnce) || !IsWave(bytes)) return;
  g_wave = TrustedWave(bytes);
  const DWORD flags = SND_MEMORY | SND_ASYNC | SND_NODEFAULT | (mode == kLoop ? SND_LOOP : 0);
  // Without audio output the window simply stays silent.
  unit.wave_playing = PlaySoundA(g_wave.data(), nullptr, flags) != FALSE;
  g_wave_owner = unit.wave_playing ? &unit : nullptr;
}

void StopMusic(WindowUnit& unit) {
  if (!unit.wave_playing) return;
  unit.wave_playing = false;
  // Another window's wave may have taken over meanwhile; that one plays on.
  if (g_wave_owner != &unit) return;
  PlaySoundA(nullptr, nullptr, 0);
  g_wave_owner = nullptr;
  g_wave.clear();
}

}  // namespace runtime::units::window
