// BackMusic: wave images play while the window lives, looping or once;
// other sounds and an embedded window stay silent. SDL's dummy audio
// driver plays without a device.
#include <cstring>

#include "platform/media/sound.h"
#include "runtime/units/window/window_test_support.h"

namespace runtime::units::window_testing {
namespace {

using forms::RecordValues;
using platform::media::CurrentSound;
using namespace window;

std::string Wave(uint32_t samples = 800) {
  auto word = [](std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  std::string image = "RIFF";
  word(image, 36 + samples, 4);
  image += "WAVEfmt ";
  word(image, 16, 4);
  word(image, 1, 2);
  word(image, 1, 2);
  word(image, 8000, 4);
  word(image, 8000, 4);
  word(image, 1, 2);
  word(image, 8, 2);
  image += "data";
  word(image, samples, 4);
  image.append(samples, static_cast<char>(0x80));
  return image;
}

std::string WithMusic(const std::string& music, int32_t mode) {
  return WindowRecord([&](RecordValues& v) {
    v.SetText(kBackMusic, music);
    v.SetInt(kBackMusicMode, mode);
  });
}

TEST_F(WindowTest, WaveMusicLoopsWhileTheWindowLives) {
  ASSERT_NE(LoadOne(WithMusic(Wave(), 0)), nullptr);
  EXPECT_TRUE(CurrentSound().playing);
  EXPECT_TRUE(CurrentSound().looping);
  EXPECT_TRUE(UnitOf()->wave_playing);
  DestroyWindow(HandleOf());
  EXPECT_FALSE(CurrentSound().playing) << "the music ends with its window";
}

TEST_F(WindowTest, MusicModesAndChanges) {
  ASSERT_NE(LoadOne(WithMusic(Wave(), 1)), nullptr);
  EXPECT_FALSE(CurrentSound().looping) << "mode 1 plays once";
  const forms::PropertyPair silent{2, 0, nullptr};
  SetWindowProperty(UnitOf(), kBackMusicModeProperty, &silent, 0);
  EXPECT_FALSE(CurrentSound().playing) << "mode 2 stops it";
  const forms::PropertyPair looping{0, 0, nullptr};
  SetWindowProperty(UnitOf(), kBackMusicModeProperty, &looping, 0);
  EXPECT_TRUE(CurrentSound().looping);
  const std::string midi = "MThd\0\0\0\6\0\0\0\1\0\x60";
  const forms::PropertyPair song{0, static_cast<uint32_t>(midi.size()), midi.data()};
  SetWindowProperty(UnitOf(), kBackMusicProperty, &song, 0);
  EXPECT_FALSE(CurrentSound().playing) << "MIDI is not played";
}

TEST_F(WindowTest, WaveClaimingMoreBytesThanItHasIsNotReadPast) {
  std::string wave = Wave(400);
  const uint32_t claimed = 1u << 20;
  std::memcpy(wave.data() + 4, &claimed, 4);
  ASSERT_NE(LoadOne(WithMusic(wave, 0)), nullptr);  // the sanitizer would see an overread
  SUCCEED();
}

TEST_F(WindowTest, OtherBytesArePlayedNever) {
  ASSERT_NE(LoadOne(WithMusic("RIFF....AVI not a wave", 0)), nullptr);
  EXPECT_FALSE(CurrentSound().playing);
  EXPECT_FALSE(UnitOf()->wave_playing);
}

}  // namespace
}  // namespace runtime::units::window_testing
