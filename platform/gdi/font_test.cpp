// Fonts: the structures' layouts, making fonts and reading them back, the
// mapping of Chinese face names, LOGFONT's size rules and the text metrics.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

#include "platform/gdi/font_face.h"
#include "platform/gdi/font_match.h"
#include "platform/gdi/font_realize.h"
#include "platform/gdi/text_testing.h"

namespace {

using platform::gdi::ChineseStyle;
using platform::gdi::ChineseStyleOfFace;
using platform::gdi::FaceDesign;
using text_testing::ChineseFont;
using text_testing::Gbk;
using text_testing::ScopedFont;

TEST(FontStructures, HaveTheWin32Layout) {
  EXPECT_EQ(sizeof(LOGFONTA), 60u);
  EXPECT_EQ(offsetof(LOGFONTA, lfWeight), 16u);
  EXPECT_EQ(offsetof(LOGFONTA, lfItalic), 20u);
  EXPECT_EQ(offsetof(LOGFONTA, lfCharSet), 23u);
  EXPECT_EQ(offsetof(LOGFONTA, lfPitchAndFamily), 27u);
  EXPECT_EQ(offsetof(LOGFONTA, lfFaceName), 28u);
  EXPECT_EQ(sizeof(TEXTMETRICA), 56u);
  EXPECT_EQ(offsetof(TEXTMETRICA, tmOverhang), 32u);
  EXPECT_EQ(offsetof(TEXTMETRICA, tmFirstChar), 44u);
  EXPECT_EQ(offsetof(TEXTMETRICA, tmCharSet), 52u);
  EXPECT_EQ(sizeof(NONCLIENTMETRICSA), 344u);
  EXPECT_EQ(offsetof(NONCLIENTMETRICSA, lfCaptionFont), 24u);
  EXPECT_EQ(offsetof(NONCLIENTMETRICSA, lfSmCaptionFont), 92u);
  EXPECT_EQ(offsetof(NONCLIENTMETRICSA, lfMenuFont), 160u);
  EXPECT_EQ(offsetof(NONCLIENTMETRICSA, lfMessageFont), 280u);
  EXPECT_EQ(offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth), 340u);
}

TEST(CreateFont, GetObjectGivesBackTheLogicalFont) {
  LOGFONTA asked{};
  asked.lfHeight = -15;
  asked.lfWidth = 7;
  asked.lfEscapement = 900;
  asked.lfWeight = FW_BOLD;
  asked.lfItalic = 1;
  asked.lfCharSet = GB2312_CHARSET;
  asked.lfQuality = ANTIALIASED_QUALITY;
  std::strcpy(asked.lfFaceName, "Some Face");
  HFONT font = CreateFontIndirectA(&asked);
  ASSERT_NE(font, nullptr);
  EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
  LOGFONTA back{};
  ASSERT_EQ(GetObjectA(font, sizeof back, &back), 60);
  EXPECT_EQ(std::memcmp(&back, &asked, sizeof back), 0) << "every field, byte for byte";
  EXPECT_TRUE(DeleteObject(font));
  EXPECT_EQ(CreateFontIndirectA(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(CreateFont, FillsEveryFieldAndCutsLongNamesAtWholeCharacters) {
  HFONT font =
      CreateFontA(-9, 3, 1800, 1800, FW_LIGHT, TRUE, TRUE, TRUE, CHINESEBIG5_CHARSET, OUT_TT_PRECIS,
                  CLIP_STROKE_PRECIS, NONANTIALIASED_QUALITY, FIXED_PITCH | FF_MODERN, "Courier");
  LOGFONTA logical{};
  GetObjectA(font, sizeof logical, &logical);
  EXPECT_EQ(logical.lfHeight, -9);
  EXPECT_EQ(logical.lfWidth, 3);
  EXPECT_EQ(logical.lfOrientation, 1800);
  EXPECT_EQ(logical.lfWeight, FW_LIGHT);
  EXPECT_EQ(logical.lfUnderline + logical.lfStrikeOut + logical.lfItalic, 3);
  EXPECT_EQ(logical.lfCharSet, CHINESEBIG5_CHARSET);
  EXPECT_EQ(logical.lfQuality, NONANTIALIASED_QUALITY);
  EXPECT_EQ(logical.lfPitchAndFamily, FIXED_PITCH | FF_MODERN);
  EXPECT_STREQ(logical.lfFaceName, "Courier");
  DeleteObject(font);

  const std::string long_name(40, 'x');
  font = CreateFontA(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, long_name.c_str());
  GetObjectA(font, sizeof logical, &logical);
  EXPECT_EQ(std::strlen(logical.lfFaceName), 31u) << "31 bytes and the NUL";
  DeleteObject(font);

  // 30 ASCII bytes and then a double-byte character that would need 32.
  const std::string split = std::string(30, 'y') + Gbk("宋");
  font = CreateFontA(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, split.c_str());
  GetObjectA(font, sizeof logical, &logical);
  EXPECT_EQ(std::strlen(logical.lfFaceName), 30u) << "the character is not split";
  DeleteObject(font);
}

TEST(CreateFont, ASelectedFontCannotBeDeleted) {
  HDC dc = CreateCompatibleDC(nullptr);
  HFONT font = ChineseFont("宋体", -12);
  HGDIOBJ previous = SelectObject(dc, font);
  EXPECT_EQ(previous, GetStockObject(SYSTEM_FONT));
  EXPECT_FALSE(DeleteObject(font));
  SelectObject(dc, previous);
  EXPECT_TRUE(DeleteObject(font));
  DeleteDC(dc);
}

TEST(FaceNames, ChineseNamesAreKnownInGbkAndEnglish) {
  EXPECT_EQ(ChineseStyleOfFace(Gbk("宋体")), ChineseStyle::kSong);
  EXPECT_EQ(ChineseStyleOfFace(Gbk("新宋体")), ChineseStyle::kSong);
  EXPECT_EQ(ChineseStyleOfFace("simsun"), ChineseStyle::kSong) << "any case";
  EXPECT_EQ(ChineseStyleOfFace("NSimSun"), ChineseStyle::kSong);
  EXPECT_EQ(ChineseStyleOfFace(Gbk("黑体")), ChineseStyle::kHei);
  EXPECT_EQ(ChineseStyleOfFace(Gbk("微软雅黑")), ChineseStyle::kHei);
  EXPECT_EQ(ChineseStyleOfFace("SimHei"), ChineseStyle::kHei);
  EXPECT_EQ(ChineseStyleOfFace("Microsoft YaHei"), ChineseStyle::kHei);
  EXPECT_EQ(ChineseStyleOfFace(Gbk("楷体")), ChineseStyle::kSong) << "any double-byte name";
  EXPECT_EQ(ChineseStyleOfFace(""), ChineseStyle::kSong) << "the system's own face";
  EXPECT_EQ(ChineseStyleOfFace("Arial"), ChineseStyle::kNone);
  EXPECT_EQ(ChineseStyleOfFace("SimSunny"), ChineseStyle::kNone);
}

// Which face file and index a font ends up drawing with.
std::optional<platform::gdi::FaceSize> FaceOf(HFONT font) {
  LOGFONTA logical{};
  GetObjectA(font, sizeof logical, &logical);
  DeleteObject(font);
  return platform::gdi::RealizeFont(logical)->face();
}

int IndexOfFamily(const char* family) { return platform::gdi::FindFamily(family)->index; }

TEST(FaceMapping, SongMapsToWenQuanYiWithBitmapsAtSmallSizes) {
  SKIP_WITHOUT_WENQUANYI();
  auto small = FaceOf(ChineseFont("宋体", -12));
  ASSERT_TRUE(small);
  EXPECT_NE(small->path.find("wqy-zenhei"), std::string::npos) << small->path;
  EXPECT_EQ(small->index, IndexOfFamily("WenQuanYi Zen Hei Sharp")) << "embedded bitmaps at 12 px";
  EXPECT_EQ(small->y_pixels, 12);
  EXPECT_EQ(FaceOf(ChineseFont("SimSun", 16))->index, IndexOfFamily("WenQuanYi Zen Hei Sharp"))
      << "a 16-pixel cell is a 12-pixel em";
  EXPECT_EQ(FaceOf(ChineseFont("宋体", -20))->index, IndexOfFamily("WenQuanYi Zen Hei"))
      << "no bitmaps at 20 px: outlines";
  EXPECT_EQ(FaceOf(ChineseFont("黑体", -12))->index, IndexOfFamily("WenQuanYi Zen Hei"))
      << "Hei faces are outlines at every size";
  EXPECT_EQ(FaceOf(ChineseFont("微软雅黑", -14))->index, IndexOfFamily("WenQuanYi Zen Hei"));
  EXPECT_NE(FaceOf(ChineseFont("新宋体", -13))->path.find("wqy-zenhei"), std::string::npos);
}

TEST(FaceMapping, OtherFacesGoThroughFontconfigUnlessTheCharsetIsChinese) {
  SKIP_WITHOUT_WENQUANYI();
  LOGFONTA logical{};
  logical.lfHeight = -12;
  std::strcpy(logical.lfFaceName, "Arial");
  logical.lfCharSet = ANSI_CHARSET;
  auto latin = platform::gdi::ChooseFont(logical);
  ASSERT_TRUE(latin);
  EXPECT_FALSE(latin->mapped_to_chinese) << "fontconfig's answer: " << latin->file.family;
  logical.lfCharSet = GB2312_CHARSET;
  auto chinese = platform::gdi::ChooseFont(logical);
  ASSERT_TRUE(chinese);
  EXPECT_TRUE(chinese->mapped_to_chinese);
  EXPECT_TRUE(chinese->file.chinese);
  std::strcpy(logical.lfFaceName, "WenQuanYi Zen Hei");
  logical.lfCharSet = ANSI_CHARSET;
  EXPECT_EQ(platform::gdi::ChooseFont(logical)->file.index, IndexOfFamily("WenQuanYi Zen Hei"))
      << "a Chinese face asked for by its own name";
}

TEST(FaceMapping, GetTextFaceReportsTheChineseNameAskedFor) {
  SKIP_WITHOUT_WENQUANYI();
  HDC dc = CreateCompatibleDC(nullptr);
  {
    ScopedFont font(dc, ChineseFont("宋体", -12));
    char name[LF_FACESIZE] = {};
    EXPECT_EQ(GetTextFaceA(dc, 0, nullptr), 5) << "four bytes and the NUL";
    EXPECT_EQ(GetTextFaceA(dc, sizeof name, name), 5);
    EXPECT_EQ(std::string(name), Gbk("宋体"));
    EXPECT_EQ(GetTextFaceA(dc, 3, name), 3) << "room for one character";
    EXPECT_EQ(std::string(name), Gbk("宋"));
    EXPECT_EQ(GetTextFaceA(dc, 2, name), 1) << "a character is never split";
    EXPECT_STREQ(name, "");
  }
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  char name[LF_FACESIZE] = {};
  GetTextFaceA(dc, sizeof name, name);
  EXPECT_EQ(std::string(name), Gbk("宋体"));
  TEXTMETRICA metrics{};
  ASSERT_TRUE(GetTextMetricsA(dc, &metrics));
  EXPECT_EQ(metrics.tmCharSet, GB2312_CHARSET);
  EXPECT_EQ(metrics.tmHeight - metrics.tmInternalLeading, 12) << "a 12-pixel em";
  DeleteDC(dc);
  EXPECT_EQ(GetTextFaceA(dc, sizeof name, name), 0) << "not a DC any more";
}

TEST(FontSize, FollowsLogfontHeightRules) {
  FaceDesign design;  // 1000 units, ascent 800, descent 200
  EXPECT_EQ(platform::gdi::EmPixels(-12, design), 12) << "negative: the em";
  EXPECT_EQ(platform::gdi::EmPixels(0, design), 12) << "zero: the default";
  EXPECT_EQ(platform::gdi::EmPixels(20, design), 20) << "positive: the cell";
  EXPECT_EQ(platform::gdi::EmPixels(-100000, design), platform::gdi::kMaxEmPixels);
  EXPECT_EQ(platform::gdi::EmPixels(1, design), 1);

  // A face whose cell is taller than its em, like WenQuanYi Zen Hei.
  design.units_per_em = 1024;
  design.ascent = 986;
  design.descent = 304;
  for (LONG cell = 6; cell <= 60; ++cell) {
    const int em = platform::gdi::EmPixels(cell, design);
    EXPECT_LE(platform::gdi::MetricsAt(design, em, em).tmHeight, cell) << "cell " << cell;
    EXPECT_GT(platform::gdi::MetricsAt(design, em + 1, em + 1).tmHeight, cell)
        << "cell " << cell << ": the largest em that fits";
  }
}

TEST(TextMetrics, AreConsistentForEveryFontAndSize) {
  SKIP_WITHOUT_WENQUANYI();
  HDC dc = CreateCompatibleDC(nullptr);
  for (const char* face : {"宋体", "黑体", "DejaVu Sans"}) {
    for (LONG height : {-9, -12, -16, -24, -40, 12, 16, 30}) {
      ScopedFont font(dc, ChineseFont(face, height));
      TEXTMETRICA tm{};
      ASSERT_TRUE(GetTextMetricsA(dc, &tm));
      const std::string where = std::string(face) + " at " + std::to_string(height);
      EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent) << where;
      if (height < 0) {
        EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, -height) << where;
      } else {
        EXPECT_LE(tm.tmHeight, height) << where;
      }
      EXPECT_GT(tm.tmAveCharWidth, 0) << where;
      EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth) << where;
      EXPECT_GE(tm.tmExternalLeading, 0) << where;
      EXPECT_TRUE(tm.tmPitchAndFamily & TMPF_TRUETYPE) << where;
    }
  }
  DeleteDC(dc);
}

TEST(TextMetrics, ReflectBoldItalicUnderlineAndWidth) {
  SKIP_WITHOUT_WENQUANYI();
  HDC dc = CreateCompatibleDC(nullptr);
  const std::string zhong = Gbk("中");
  SIZE regular{}, bold{}, narrow{};
  TEXTMETRICA tm{};
  {
    ScopedFont font(dc, ChineseFont("黑体", -20));
    GetTextExtentPoint32A(dc, zhong.c_str(), 2, &regular);
  }
  {
    ScopedFont font(dc, ChineseFont("黑体", -20, FW_BOLD));
    GetTextExtentPoint32A(dc, zhong.c_str(), 2, &bold);
    GetTextMetricsA(dc, &tm);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
  }
  EXPECT_EQ(bold.cx, regular.cx + 1) << "emboldening widens every character by a pixel";
  {
    ScopedFont font(dc, CreateFontA(-20, 0, 0, 0, FW_NORMAL, TRUE, TRUE, TRUE, GB2312_CHARSET, 0, 0,
                                    0, 0, Gbk("黑体").c_str()));
    GetTextMetricsA(dc, &tm);
    EXPECT_EQ(tm.tmItalic + tm.tmUnderlined + tm.tmStruckOut, 3);
  }
  {
    ScopedFont font(dc, CreateFontA(-20, 5, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, 0, 0, 0, 0,
                                    Gbk("黑体").c_str()));
    GetTextMetricsA(dc, &tm);
    GetTextExtentPoint32A(dc, zhong.c_str(), 2, &narrow);
  }
  EXPECT_NEAR(tm.tmAveCharWidth, 5, 1) << "lfWidth is the average character width";
  EXPECT_LT(narrow.cx, regular.cx);
  EXPECT_EQ(narrow.cy, regular.cy) << "the height stays";
  DeleteDC(dc);
}

}  // namespace
