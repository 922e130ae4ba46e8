#include "platform/gdi/glyph.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <numbers>

namespace platform::gdi {

namespace {

// The slant of a synthesised italic: about 12 degrees, as Windows leans
// faces that have no italic of their own.
constexpr FT_Fixed kObliqueShear = 0x0366A;

const uint8_t* RowOf(const FT_Bitmap& bitmap, unsigned y) {
  // A negative pitch means the rows are stored bottom-up.
  const ptrdiff_t pitch = bitmap.pitch;
  const ptrdiff_t row = pitch >= 0 ? static_cast<ptrdiff_t>(y) * pitch
                                   : static_cast<ptrdiff_t>(bitmap.rows - 1 - y) * -pitch;
  return bitmap.buffer + row;
}

uint8_t CoverageAt(const FT_Bitmap& bitmap, const uint8_t* row, unsigned x) {
  switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_MONO:
      return ((row[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0;
    case FT_PIXEL_MODE_GRAY: {
      const unsigned levels = bitmap.num_grays > 1 ? bitmap.num_grays - 1u : 255u;
      return static_cast<uint8_t>(std::min(255u, row[x] * 255u / levels));
    }
    case FT_PIXEL_MODE_BGRA:
      return row[x * 4 + 3];
    default:
      return 0;
  }
}

// Copies a slot's bitmap into coverage; grey modes below eight bits are
// widened to bytes first.
void CopyBitmap(FT_GlyphSlot slot, Glyph& glyph) {
  FT_Bitmap converted;
  FT_Bitmap_Init(&converted);
  const FT_Bitmap* source = &slot->bitmap;
  if (source->pixel_mode == FT_PIXEL_MODE_GRAY2 || source->pixel_mode == FT_PIXEL_MODE_GRAY4) {
    if (FT_Bitmap_Convert(slot->library, source, &converted, 1) != 0) return;
    source = &converted;
  }
  glyph.left = slot->bitmap_left;
  glyph.top = slot->bitmap_top;
  glyph.width = static_cast<int>(source->width);
  glyph.height = static_cast<int>(source->rows);
  glyph.coverage.assign(static_cast<size_t>(glyph.width) * glyph.height, 0);
  for (unsigned y = 0; y < source->rows; ++y) {
    const uint8_t* row = RowOf(*source, y);
    for (unsigned x = 0; x < source->width; ++x) {
      glyph.coverage[static_cast<size_t>(y) * glyph.width + x] = CoverageAt(*source, row, x);
    }
  }
  FT_Bitmap_Done(slot->library, &converted);
}

FT_Int32 LoadFlags(const GlyphStyle& style) {
  FT_Int32 flags = style.one_bit ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
  if (style.oblique) flags |= FT_LOAD_NO_BITMAP;
  return flags;
}

FT_Render_Mode RenderMode(const GlyphStyle& style) {
  return style.one_bit ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL;
}

int RoundedAdvance(FT_GlyphSlot slot) { return static_cast<int>((slot->advance.x + 32) >> 6); }

Glyph Rasterise(FT_Face face, FT_UInt index, const GlyphStyle& style) {
  Glyph glyph;
  if (FT_Load_Glyph(face, index, LoadFlags(style)) != 0) return glyph;
  FT_GlyphSlot slot = face->glyph;
  glyph.advance = RoundedAdvance(slot);
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
    if (style.oblique) {
      FT_Matrix shear{0x10000, kObliqueShear, 0, 0x10000};
      FT_Outline_Transform(&slot->outline, &shear);
    }
    if (FT_Render_Glyph(slot, RenderMode(style)) != 0) return glyph;
  }
  if (slot->format == FT_GLYPH_FORMAT_BITMAP) CopyBitmap(slot, glyph);
  if (style.embolden) Embolden(glyph);
  return glyph;
}

// The face's transform while a turned glyph loads. Faces are shared by every
// font of their size, so the transform never outlives the load.
class FaceTransform {
 public:
  FaceTransform(FT_Face face, FT_Matrix matrix) : face_(face), matrix_(matrix) {
    FT_Set_Transform(face_, &matrix_, nullptr);
  }
  ~FaceTransform() { FT_Set_Transform(face_, nullptr, nullptr); }
  FaceTransform(const FaceTransform&) = delete;
  FaceTransform& operator=(const FaceTransform&) = delete;

 private:
  FT_Face face_;
  FT_Matrix matrix_;
};

FT_Fixed Fixed(double value) { return static_cast<FT_Fixed>(std::lround(value * 65536.0)); }

// A counter-clockwise turn, after the synthesised slant when there is one.
FT_Matrix TurnMatrix(int turn, bool oblique) {
  const double radians = turn * std::numbers::pi / 1800.0;
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  const double shear = oblique ? kObliqueShear / 65536.0 : 0.0;
  return FT_Matrix{Fixed(c), Fixed(c * shear - s), Fixed(s), Fixed(s * shear + c)};
}

// The advance comes from the upright glyph as it is drawn upright (the
// bitmap's own, where a strike has the size), so turned text measures as
// upright text does. Synthesised bold widens the strokes by a pixel every
// way, as the turned outline has no single column direction to spread along.
Glyph RasteriseTurned(FT_Face face, FT_UInt index, const GlyphStyle& style, int turn) {
  Glyph glyph;
  if (FT_Load_Glyph(face, index, LoadFlags(style)) != 0) return glyph;
  glyph.advance = RoundedAdvance(face->glyph) + (style.embolden ? 1 : 0);
  FaceTransform transform(face, TurnMatrix(turn, style.oblique));
  if (FT_Load_Glyph(face, index, LoadFlags(style) | FT_LOAD_NO_BITMAP) != 0) return glyph;
  FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return glyph;
  if (style.embolden && FT_Outline_Embolden(&slot->outline, 64) != 0) return glyph;
  if (FT_Render_Glyph(slot, RenderMode(style)) != 0) return glyph;
  CopyBitmap(slot, glyph);
  return glyph;
}

}  // namespace

void Embolden(Glyph& glyph) {
  glyph.advance += 1;
  if (glyph.width == 0 || glyph.height == 0) return;
  const int width = glyph.width + 1;
  std::vector<uint8_t> spread(static_cast<size_t>(width) * glyph.height, 0);
  for (int y = 0; y < glyph.height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t here = x < glyph.width ? glyph.At(x, y) : 0;
      const uint8_t before = x > 0 ? glyph.At(x - 1, y) : 0;
      spread[static_cast<size_t>(y) * width + x] = std::max(here, before);
    }
  }
  glyph.width = width;
  glyph.coverage = std::move(spread);
}

std::shared_ptr<const Glyph> RenderGlyph(const FaceSize& size, char32_t code,
                                         const GlyphStyle& style, GlyphMissing missing, int turn) {
  std::shared_ptr<const Glyph> result;
  WithFace(size, [&](FT_Face face) {
    const FT_UInt index = FT_Get_Char_Index(face, code);
    if (index == 0 && missing == GlyphMissing::kNull) return;
    result = std::make_shared<const Glyph>(turn == 0 ? Rasterise(face, index, style)
                                                     : RasteriseTurned(face, index, style, turn));
  });
  return result;
}

}  // namespace platform::gdi
