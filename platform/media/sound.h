// The one sound PlaySoundA plays, as tests and the layer see it.
#pragma once

#include <cstdint>

namespace platform::media {

struct SoundStatus {
  bool playing = false;  // started and not yet finished or stopped
  bool looping = false;
  uint32_t sample_bytes = 0;  // the decoded samples of the sound
};

SoundStatus CurrentSound();

}  // namespace platform::media
