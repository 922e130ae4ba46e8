// FreeType faces: opened once per file, face index and pixel size, and used
// under one lock, because FreeType's library and faces are not safe to use
// from two threads at once (an animation thread may draw text while the UI
// thread does).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

struct FT_FaceRec_;

namespace platform::gdi {

// The largest em drawn, in pixels; larger requests are drawn at this size.
constexpr int kMaxEmPixels = 1024;

struct FaceSize {
  std::string path;
  int index = 0;
  int x_pixels = 0;  // em width; 0 with y_pixels 0 for the unsized face
  int y_pixels = 0;  // em height

  bool operator==(const FaceSize&) const = default;
};

// A face's design in font units: what sizing and text metrics are made of.
struct FaceDesign {
  int units_per_em = 1000;
  int ascent = 800;       // Windows' ascent: OS/2 usWinAscent, else hhea
  int descent = 200;      // below the baseline, positive
  int line_gap = 0;       // what the face asks for beyond ascent + descent
  int average_width = 0;  // OS/2 xAvgCharWidth; 0 when the face has none
  int max_advance = 0;
  int underline_position = -100;  // centre of the underline; negative is below the baseline
  int underline_thickness = 50;
  int strikeout_position = 250;  // top of the strike-out stroke above the baseline
  int strikeout_thickness = 50;
  bool fixed_pitch = false;
  bool sfnt = false;              // TrueType or OpenType
  std::vector<int> bitmap_sizes;  // em heights with embedded bitmaps, in pixels
};

// None when FreeType cannot open the face or it has no outlines.
std::optional<FaceDesign> ReadFaceDesign(const std::string& path, int index);

// Runs `use` on the face at `size` with the FreeType lock held. False, and
// `use` not run, when the face cannot be opened or sized.
bool WithFace(const FaceSize& size, const std::function<void(FT_FaceRec_*)>& use);

}  // namespace platform::gdi
