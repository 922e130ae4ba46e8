// PlaySoundA over SDL's dummy audio driver, which plays in real time without
// a device, so no test depends on the machine's sound card.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "platform/media/sound.h"
#include "platform/win32.h"

namespace platform::media {
namespace {

// A mono 8-bit wave image of `samples` samples at 8000 Hz.
std::string WaveImage(uint32_t samples) {
  auto word = [](std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  std::string image = "RIFF";
  word(image, 36 + samples, 4);
  image += "WAVEfmt ";
  word(image, 16, 4);
  word(image, 1, 2);     // PCM
  word(image, 1, 2);     // mono
  word(image, 8000, 4);  // samples per second
  word(image, 8000, 4);  // bytes per second
  word(image, 1, 2);     // block align
  word(image, 8, 2);     // bits per sample
  image += "data";
  word(image, samples, 4);
  image.append(samples, static_cast<char>(0x80));
  return image;
}

class PlaySoundTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 1); }
  void TearDown() override { PlaySoundA(nullptr, nullptr, 0); }
};

TEST_F(PlaySoundTest, LoopingSoundPlaysUntilStopped) {
  const std::string image = WaveImage(800);
  ASSERT_TRUE(PlaySoundA(image.data(), nullptr, SND_MEMORY | SND_ASYNC | SND_LOOP));
  SoundStatus status = CurrentSound();
  EXPECT_TRUE(status.playing);
  EXPECT_TRUE(status.looping);
  EXPECT_GT(status.sample_bytes, 0u) << "the samples were decoded";
  EXPECT_TRUE(PlaySoundA(nullptr, nullptr, 0));
  EXPECT_FALSE(CurrentSound().playing);
}

TEST_F(PlaySoundTest, SoundPlayedOnceEndsByItself) {
  const std::string image = WaveImage(80);  // 10 ms
  ASSERT_TRUE(PlaySoundA(image.data(), nullptr, SND_MEMORY | SND_ASYNC));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (CurrentSound().playing && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_FALSE(CurrentSound().playing);
}

TEST_F(PlaySoundTest, SynchronousSoundReturnsWhenPlayed) {
  const std::string image = WaveImage(80);
  EXPECT_TRUE(PlaySoundA(image.data(), nullptr, SND_MEMORY | SND_SYNC));
  EXPECT_FALSE(CurrentSound().playing);
}

TEST_F(PlaySoundTest, NewSoundReplacesTheOneBeforeUnlessNoStopIsAsked) {
  const std::string first = WaveImage(800);
  const std::string second = WaveImage(1600);
  ASSERT_TRUE(PlaySoundA(first.data(), nullptr, SND_MEMORY | SND_ASYNC | SND_LOOP));
  EXPECT_FALSE(PlaySoundA(second.data(), nullptr, SND_MEMORY | SND_ASYNC | SND_NOSTOP));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BUSY));
  ASSERT_TRUE(PlaySoundA(second.data(), nullptr, SND_MEMORY | SND_ASYNC));
  EXPECT_FALSE(CurrentSound().looping) << "the second sound plays, once";
}

TEST_F(PlaySoundTest, RefusesWhatItCannotPlay) {
  const std::string image = WaveImage(80);
  EXPECT_FALSE(PlaySoundA(image.data(), nullptr, SND_MEMORY | SND_SYNC | SND_LOOP));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(PlaySoundA("sound.wav", nullptr, SND_FILENAME | SND_ASYNC));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  std::string not_wave = image;
  std::memcpy(not_wave.data() + 8, "AVI ", 4);
  EXPECT_FALSE(PlaySoundA(not_wave.data(), nullptr, SND_MEMORY | SND_ASYNC));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  std::string broken = image;
  std::memcpy(broken.data() + 12, "junk", 4);  // no format chunk
  EXPECT_FALSE(PlaySoundA(broken.data(), nullptr, SND_MEMORY | SND_ASYNC));
  EXPECT_FALSE(CurrentSound().playing);
}

}  // namespace
}  // namespace platform::media

namespace platform::media {
namespace {

// A machine without audio output: the call fails at once, never waits.
TEST(PlaySoundWithoutAudioTest, FailsAtOnce) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
        const std::string image = WaveImage(80);
        const bool failed = !PlaySoundA(image.data(), nullptr, SND_MEMORY | SND_ASYNC | SND_LOOP);
        std::exit(failed && GetLastError() == ERROR_NOT_SUPPORTED ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace platform::media
