// Glyphs: turning text space for rotated fonts, synthetic bold, blending,
// how faces render (embedded one-bit bitmaps, grey outlines, one-bit
// outlines on request, turned outlines) and the glyph cache.
#include "platform/gdi/glyph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "platform/gdi/font_match.h"
#include "platform/gdi/font_realize.h"
#include "platform/gdi/glyph_paint.h"
#include "platform/gdi/text_space.h"
#include "platform/gdi/text_testing.h"

namespace {

using platform::gdi::FaceSize;
using platform::gdi::Glyph;
using platform::gdi::GlyphMissing;
using platform::gdi::GlyphStyle;
using platform::gdi::TextSpace;

TEST(TextSpace, QuarterTurnsMapRectanglesAndPixelsAlike) {
  const RECT text{2, -3, 7, 1};  // 5 along the baseline, 4 across
  const RECT expected[4] = {
      {12, 17, 17, 21},  // as it is
      {7, 13, 11, 18},   // up the screen: u runs to -y, v to +x
      {3, 19, 8, 23},    // upside down
      {9, 22, 13, 27},   // down the screen: u runs to +y, v to -x
  };
  for (int turns = 0; turns < 4; ++turns) {
    const TextSpace space{POINT{10, 20}, turns};
    const RECT device = space.ToDevice(text);
    EXPECT_TRUE(text_testing::SameRect(device, expected[turns]))
        << turns << " turns: " << text_testing::Describe(device);
    // Every device pixel of the mapped rectangle shows a distinct text pixel
    // of the original one.
    std::set<std::pair<LONG, LONG>> seen;
    for (LONG y = device.top; y < device.bottom; ++y) {
      for (LONG x = device.left; x < device.right; ++x) {
        const POINT t = space.ToText(POINT{x, y});
        EXPECT_TRUE(t.x >= text.left && t.x < text.right && t.y >= text.top && t.y < text.bottom)
            << turns << " turns: (" << x << ", " << y << ") shows (" << t.x << ", " << t.y << ")";
        seen.insert({t.x, t.y});
      }
    }
    EXPECT_EQ(seen.size(), 20u) << turns << " turns";
  }
  // The first pixel along the baseline, just below it, for text turned up
  // the screen, sits just right of the reference point and above it.
  EXPECT_EQ(TextSpace({POINT{10, 20}, 1}).ToText(POINT{10, 19}).x, 0);
  EXPECT_EQ(TextSpace({POINT{10, 20}, 1}).ToText(POINT{10, 19}).y, 0);
}

TEST(Embolden, SpreadsEveryColumnOnePixelRight) {
  Glyph glyph;
  glyph.advance = 4;
  glyph.width = 3;
  glyph.height = 2;
  glyph.coverage = {255, 0,  100,  //
                    0,   50, 0};
  platform::gdi::Embolden(glyph);
  EXPECT_EQ(glyph.advance, 5);
  ASSERT_EQ(glyph.width, 4);
  EXPECT_EQ(glyph.coverage, (std::vector<uint8_t>{255, 255, 100, 100,  //
                                                  0, 50, 50, 0}));
  Glyph space;
  space.advance = 3;
  platform::gdi::Embolden(space);
  EXPECT_EQ(space.advance, 4) << "blank glyphs widen too";
  EXPECT_EQ(space.width, 0);
}

TEST(BlendPixel, MixesEachChannelByCoverage) {
  using platform::gdi::BlendPixel;
  EXPECT_EQ(BlendPixel(0xFFFFFF, 0x000000, 255), 0x000000u);
  EXPECT_EQ(BlendPixel(0xFFFFFF, 0x000000, 0), 0xFFFFFFu);
  EXPECT_EQ(BlendPixel(0xFFFFFF, 0x000000, 128), 0x7F7F7Fu);
  EXPECT_EQ(BlendPixel(0x00FF00, 0xFF0000, 51), 0x33CC00u);
}

std::set<uint8_t> LevelsOf(const Glyph& glyph) {
  return std::set<uint8_t>(glyph.coverage.begin(), glyph.coverage.end());
}

FaceSize FaceOfFamily(const char* family, int pixels) {
  auto file = platform::gdi::FindFamily(family);
  return FaceSize{file->path, file->index, pixels, pixels};
}

TEST(RenderGlyph, BitmapStrikesAreOneBitAndOutlinesAreGrey) {
  SKIP_WITHOUT_WENQUANYI();
  const GlyphStyle plain;
  auto bitmap = platform::gdi::RenderGlyph(FaceOfFamily("WenQuanYi Zen Hei Sharp", 12), U'中',
                                           plain, GlyphMissing::kNull);
  ASSERT_TRUE(bitmap);
  EXPECT_EQ(bitmap->advance, 12);
  EXPECT_EQ(LevelsOf(*bitmap), (std::set<uint8_t>{0, 255})) << "the embedded bitmap";

  auto outline = platform::gdi::RenderGlyph(FaceOfFamily("WenQuanYi Zen Hei", 20), U'永', plain,
                                            GlyphMissing::kNull);
  ASSERT_TRUE(outline);
  EXPECT_GT(LevelsOf(*outline).size(), 2u) << "grey levels";

  GlyphStyle one_bit;
  one_bit.one_bit = true;
  auto mono = platform::gdi::RenderGlyph(FaceOfFamily("WenQuanYi Zen Hei", 20), U'永', one_bit,
                                         GlyphMissing::kNull);
  ASSERT_TRUE(mono);
  EXPECT_EQ(LevelsOf(*mono), (std::set<uint8_t>{0, 255}));
  EXPECT_EQ(mono->advance, outline->advance);

  GlyphStyle slanted;
  slanted.oblique = true;
  auto italic = platform::gdi::RenderGlyph(FaceOfFamily("WenQuanYi Zen Hei Sharp", 12), U'中',
                                           slanted, GlyphMissing::kNull);
  ASSERT_TRUE(italic);
  EXPECT_GT(LevelsOf(*italic).size(), 2u) << "slanted glyphs come from the outline";
  EXPECT_EQ(italic->advance, 12);
}

TEST(RenderGlyph, MissingCharactersGiveNullOrTheMissingGlyph) {
  SKIP_WITHOUT_WENQUANYI();
  const FaceSize face = FaceOfFamily("WenQuanYi Zen Hei", 12);
  // U+E000 is a private-use character no Chinese face draws.
  EXPECT_EQ(platform::gdi::RenderGlyph(face, 0xE000, GlyphStyle{}, GlyphMissing::kNull), nullptr);
  auto notdef = platform::gdi::RenderGlyph(face, 0xE000, GlyphStyle{}, GlyphMissing::kNotdef);
  ASSERT_TRUE(notdef);
  EXPECT_GT(notdef->advance, 0);
  EXPECT_EQ(platform::gdi::RenderGlyph(FaceSize{"/nonexistent.ttf", 0, 12, 12}, U'a', GlyphStyle{},
                                       GlyphMissing::kNotdef),
            nullptr);
}

// Turned glyphs come from the outline (strikes cannot turn), keep the
// upright advance, leave the shared face untransformed for the next upright
// glyph, and are cached apart from upright glyphs by their reduced angle.
TEST(RenderGlyph, TurnedGlyphsComeFromOutlinesAndKeepTheUprightAdvance) {
  SKIP_WITHOUT_WENQUANYI();
  const FaceSize strike = FaceOfFamily("WenQuanYi Zen Hei Sharp", 12);
  auto before = platform::gdi::RenderGlyph(strike, U'中', GlyphStyle{}, GlyphMissing::kNull);
  auto turned = platform::gdi::RenderGlyph(strike, U'中', GlyphStyle{}, GlyphMissing::kNull, 450);
  auto after = platform::gdi::RenderGlyph(strike, U'中', GlyphStyle{}, GlyphMissing::kNull);
  ASSERT_TRUE(before && turned && after);
  EXPECT_EQ(turned->advance, before->advance);
  EXPECT_GT(LevelsOf(*turned).size(), 2u) << "grey levels: the outline, not the strike";
  EXPECT_GT(turned->width, before->width) << "a square turned 45 degrees is wider";
  EXPECT_EQ(after->coverage, before->coverage) << "the face's transform was reset";

  using platform::gdi::Escapement;
  LOGFONTA logical{};
  logical.lfHeight = -14;
  logical.lfEscapement = 450;
  auto font = platform::gdi::RealizeFont(logical);
  auto upright = font->GlyphFor(U'字', Escapement(0));
  EXPECT_EQ(font->GlyphFor(U'字', Escapement(900)), upright) << "quarter turns turn it";
  EXPECT_NE(font->GlyphFor(U'字', Escapement(450)), upright);
  EXPECT_EQ(font->GlyphFor(U'字', Escapement(4050)), font->GlyphFor(U'字', Escapement(450)));
}

}  // namespace
