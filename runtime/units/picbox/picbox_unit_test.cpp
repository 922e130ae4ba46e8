// The picture box through the real framework: its descriptor, stored
// record, properties by number, and what it paints in each display mode.
#include "runtime/units/picbox/picbox_unit.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/core/heap.h"
#include "runtime/forms/property_access.h"
#include "runtime/forms/property_conversion.h"
#include "runtime/forms/unit_types.h"
#include "runtime/units/picbox/picbox_schema.h"
#include "runtime/units/picbox/picbox_test_support.h"
#include "runtime/units/picbox/picbox_type.h"
#include "runtime/units/unit_type_table.h"

namespace runtime::units::picbox_testing {
namespace {

enum : int32_t {
  kBorderProperty = 8,
  kBackColorProperty,
  kPictureProperty,
  kDisplayModeProperty,
  kPlayAnimationProperty,
  kDataSourceProperty,
  kDataFieldProperty,
};

constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);
constexpr COLORREF kBlack = RGB(0, 0, 0);

struct Expected {
  int x, y;
  COLORREF colour;
};

// The quadrant picture of pw x ph as a BMP.
std::vector<uint8_t> QuadrantBmp(int pw, int ph) {
  return BuildBmp(pw, ph, [=](int x, int y) { return Quadrants(pw, ph, x, y); });
}

class PicBoxUnitTest : public PicBoxTest {
 protected:
  void ExpectPixels(const std::vector<Expected>& expected, const std::string& what,
                    int tolerance = 0) {
    for (const Expected& e : expected) {
      const COLORREF got = Pixel(e.x, e.y);
      EXPECT_TRUE(Near(got, e.colour, tolerance))
          << what << ": pixel (" << e.x << ", " << e.y << ") expected " << Rgb(e.colour) << ", got "
          << Rgb(got);
    }
  }

  const UnitTypeDescriptor& Type() { return RuntimeUnitTypes()[5]; }

  // A handler of the real type, called directly as the framework would.
  std::string Saved() {
    auto save =
        forms::TypedHandler<forms::SavePropertiesHandler>(&Type(), forms::kHandlerSaveProperties);
    HGLOBAL block = save(&Unit());
    EXPECT_NE(block, nullptr);
    if (block == nullptr) return {};
    std::string bytes(static_cast<const char*>(GlobalLock(block)), GlobalSize(block));
    GlobalUnlock(block);
    GlobalFree(block);
    return bytes;
  }
};

TEST_F(PicBoxUnitTest, DescriptorFillsSlotSixOfTheRuntimeLibrary) {
  const UnitTypeDescriptor& type = Type();
  EXPECT_STREQ(type.english_name, "PicBox");
  EXPECT_STREQ(type.chinese_name, "\xCD\xBC\xC6\xAC\xBF\xF2");
  EXPECT_EQ(type.state_flags, 0x840100C0u);
  ASSERT_EQ(type.property_count, 15);
  const int16_t codes[15] = {1000, 1000, 1000, 1000, 1005, 1003, 1003, 1011,
                             1006, 1017, 1009, 1006, 1003, 1018, 1020};
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(type.property_types[i].type_code, codes[i]) << "property " << i;
    const uint16_t flags = i < 8 ? 0xE000 : i == 11 ? 0x8001 : 0x8000;
    EXPECT_EQ(type.property_types[i].flags, flags) << "property " << i;
  }
  for (int32_t number : {1, 4, 5, 6, 9}) {
    EXPECT_NE(forms::UnitTypeHandler(&type, number), nullptr) << "handler " << number;
  }
  EXPECT_EQ(forms::UnitTypeHandler(&type, forms::kHandlerPreTranslate), nullptr);
}

TEST_F(PicBoxUnitTest, RecordsOfVersionsZeroAndOneLoadWithoutTheBindingTexts) {
  // Three boxes on one window, one for each accepted version.
  forms_testing::FormBuilder form;
  form.Window();
  for (uint32_t version : {0u, 1u, 2u}) {
    BoxRecord record{.border = 2, .back_colour = 0x123456, .display_mode = 1, .play = 0};
    record.data_source = "src";
    record.version = version;
    form.Unit(kBoxId + version, 0x00010006, "box", 0, 0, 10, 10).properties =
        WriteBoxRecord(record);
  }
  Register({form.Build()}, {{6, PicBoxTypeDescriptor()}});
  ASSERT_TRUE(Load());
  for (uint32_t version : {0u, 1u, 2u}) {
    const auto read = [&](int32_t index) {
      return forms::ReadProperty(forms_testing::kMainWindow, kBoxId + version, index, -1);
    };
    EXPECT_EQ(read(kBorderProperty), 2u) << "version " << version;
    EXPECT_EQ(read(kBackColorProperty), 0x123456u) << "version " << version;
    EXPECT_EQ(read(kDisplayModeProperty), 1u) << "version " << version;
    EXPECT_EQ(read(kPlayAnimationProperty), 0u) << "version " << version;
    void* text = const_cast<void*>(forms::ValuePointer(read(kDataSourceProperty)));
    EXPECT_EQ(std::string(text != nullptr ? static_cast<const char*>(text) : ""),
              version == 2 ? "src" : "")
        << "version " << version;
    MemFree(text);
  }
}

TEST_F(PicBoxUnitTest, ALaterVersionFailsTheCreation) { EXPECT_FALSE(LoadBox({.version = 3})); }

TEST_F(PicBoxUnitTest, ARecordEndingInsideThePictureFailsTheCreation) {
  std::string truncated = WriteBoxRecord({.picture = QuadrantBmp(4, 4)});
  truncated.resize(30);
  forms_testing::FormBuilder form;
  form.Window();
  form.Unit(kBoxId, 0x00010006, "box", 0, 0, 10, 10).properties = truncated;
  Register({form.Build()}, {{6, PicBoxTypeDescriptor()}});
  EXPECT_FALSE(Load());
}

TEST_F(PicBoxUnitTest, SavesItsCurrentStateAsAVersionTwoRecord) {
  LoadBoxOrFail({.version = 0});
  const std::vector<uint8_t> bmp = QuadrantBmp(4, 2);
  WriteInt(kBorderProperty, 3);
  WriteInt(kBackColorProperty, 0x00ABCDEF);
  WriteBytes(kPictureProperty, bmp);
  WriteInt(kDisplayModeProperty, 2);
  WriteInt(kPlayAnimationProperty, 0);
  const std::string saved = Saved();
  BoxRecord expected{.border = 3, .back_colour = 0x00ABCDEF, .display_mode = 2, .play = 0};
  expected.picture = bmp;
  EXPECT_EQ(saved, WriteBoxRecord(expected));
}

TEST_F(PicBoxUnitTest, ListTextsReportsTheBindingAndWritesTheRecordAgain) {
  auto list = forms::TypedHandler<forms::ListTextsHandler>(&Type(), forms::kHandlerListTexts);
  const std::string record =
      WriteBoxRecord({.display_mode = 1, .data_source = "src", .data_field = "pic", .version = 2});
  std::vector<std::string> texts;
  HGLOBAL block = list(
      reinterpret_cast<const uint8_t*>(record.data()), static_cast<int32_t>(record.size()),
      [](const char* text, void* context) {
        static_cast<std::vector<std::string>*>(context)->push_back(text);
      },
      &texts);
  ASSERT_NE(block, nullptr);
  EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(block)), GlobalSize(block)), record);
  GlobalUnlock(block);
  GlobalFree(block);
  EXPECT_EQ(texts, (std::vector<std::string>{"src", "pic"}));
  const std::string later = WriteBoxRecord({.version = 2}).replace(0, 1, "\x03");
  EXPECT_EQ(list(reinterpret_cast<const uint8_t*>(later.data()), static_cast<int32_t>(later.size()),
                 nullptr, nullptr),
            nullptr);
}

TEST_F(PicBoxUnitTest, ChoicesAreClampedAndTheBorderReachesTheWindow) {
  LoadBoxOrFail({});
  WriteInt(kDisplayModeProperty, 5);
  EXPECT_EQ(ReadInt(kDisplayModeProperty), 2);
  WriteInt(kDisplayModeProperty, -1);
  EXPECT_EQ(ReadInt(kDisplayModeProperty), 0);
  WriteInt(kBorderProperty, -1);
  EXPECT_EQ(ReadInt(kBorderProperty), 0);
  WriteInt(kBorderProperty, 9);
  EXPECT_EQ(ReadInt(kBorderProperty), 5);
  EXPECT_NE(GetWindowLongA(Box(), GWL_STYLE) & WS_BORDER, 0) << "border 5 is a single line";
  WriteInt(kBorderProperty, 1);
  EXPECT_EQ(GetWindowLongA(Box(), GWL_STYLE) & WS_BORDER, 0);
  EXPECT_EQ(GetWindowLongA(Box(), GWL_EXSTYLE) & (WS_EX_CLIENTEDGE | WS_EX_DLGMODALFRAME),
            WS_EX_CLIENTEDGE);
  RECT client{};
  GetClientRect(Box(), &client);
  EXPECT_LT(client.right, 40) << "the sunken edge takes room from the client area";
  WriteInt(kPlayAnimationProperty, 7);
  EXPECT_EQ(ReadInt(kPlayAnimationProperty), 1);
  WriteInt(kBackColorProperty, static_cast<int32_t>(0xFF000000));
  EXPECT_EQ(static_cast<uint32_t>(ReadInt(kBackColorProperty)), 0xFF000000u);
}

TEST_F(PicBoxUnitTest, PictureReadsBackByteForByteWhateverItHolds) {
  const std::vector<uint8_t> bmp = QuadrantBmp(10, 6);
  LoadBoxOrFail({.picture = bmp});
  EXPECT_EQ(ReadBytes(kPictureProperty), bmp);
  // Unknown bytes: only the background shows, and the bytes stay.
  const std::vector<uint8_t> unknown = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 0, 0xFF};
  WriteInt(kBackColorProperty, static_cast<int32_t>(kMagenta));
  WriteBytes(kPictureProperty, unknown);
  Pump();
  EXPECT_EQ(ReadBytes(kPictureProperty), unknown);
  ExpectPixels({{0, 0, kMagenta}, {5, 3, kMagenta}, {39, 29, kMagenta}}, "unknown picture");
  WriteBytes(kPictureProperty, {});
  EXPECT_EQ(Read(kPictureProperty), 0u) << "an empty picture reads as no byte set";
}

TEST_F(PicBoxUnitTest, BindingToADataSourceEmptiesThePicture) {
  LoadBoxOrFail({.back_colour = kMagenta, .picture = QuadrantBmp(10, 6)});
  ExpectPixels({{2, 1, kRed}}, "before binding");
  WriteText(kDataSourceProperty, "orders");
  EXPECT_EQ(ReadText(kDataSourceProperty), "orders");
  EXPECT_EQ(Read(kPictureProperty), 0u);
  WriteBytes(kPictureProperty, QuadrantBmp(10, 6));
  WriteText(kDataFieldProperty, "photo");
  EXPECT_EQ(ReadText(kDataFieldProperty), "photo");
  EXPECT_EQ(Read(kPictureProperty), 0u);
  Pump();
  ExpectPixels({{2, 1, kMagenta}}, "after binding");
}

TEST_F(PicBoxUnitTest, SystemColourMarkerPaintsTheButtonFace) {
  LoadBoxOrFail({});
  ExpectPixels({{0, 0, GetSysColor(COLOR_BTNFACE)}, {39, 29, GetSysColor(COLOR_BTNFACE)}},
               "default background");
}

TEST_F(PicBoxUnitTest, PlacesASmallerPictureByEachMode) {
  LoadBoxOrFail({.back_colour = kMagenta, .picture = QuadrantBmp(10, 6)});
  ExpectPixels({{2, 1, kRed},
                {7, 1, kGreen},
                {2, 4, kBlue},
                {7, 4, kYellow},
                {10, 0, kMagenta},
                {0, 6, kMagenta},
                {39, 29, kMagenta}},
               "natural size");
  WriteInt(kDisplayModeProperty, 1);  // 4 times as wide, 5 times as tall
  ExpectPixels({{10, 7, kRed},
                {30, 7, kGreen},
                {10, 22, kBlue},
                {30, 22, kYellow},
                {0, 0, kRed},
                {39, 29, kYellow}},
               "stretched");
  WriteInt(kDisplayModeProperty, 2);  // centred at (15, 12)
  ExpectPixels({{15, 12, kRed},
                {24, 17, kYellow},
                {14, 12, kMagenta},
                {15, 11, kMagenta},
                {25, 17, kMagenta},
                {24, 18, kMagenta}},
               "fitted");
}

TEST_F(PicBoxUnitTest, PlacesALargerPictureByEachMode) {
  LoadBoxOrFail({.back_colour = kMagenta, .picture = QuadrantBmp(80, 40)});
  ExpectPixels({{10, 7, kRed}, {39, 19, kRed}, {10, 25, kBlue}, {39, 29, kBlue}},
               "natural size, cut off");
  WriteInt(kDisplayModeProperty, 1);  // halved across, three quarters down
  ExpectPixels({{10, 7, kRed}, {30, 7, kGreen}, {10, 22, kBlue}, {30, 22, kYellow}}, "stretched");
  WriteInt(kDisplayModeProperty, 2);  // halved both ways, 40 x 20 at (0, 5)
  ExpectPixels({{10, 4, kMagenta},
                {10, 6, kRed},
                {30, 13, kGreen},
                {10, 16, kBlue},
                {30, 23, kYellow},
                {10, 25, kMagenta}},
               "fitted");
}

TEST_F(PicBoxUnitTest, PngTransparencyBlendsWithTheBackColour) {
  const std::vector<uint8_t> png = BuildPng(
      4, 4, [](int, int) { return kRed; }, [](int x, int) { return x < 2 ? 0 : 255; });
  ASSERT_FALSE(png.empty());
  LoadBoxOrFail({.back_colour = kBlue, .picture = png});
  ExpectPixels({{0, 0, kBlue}, {3, 3, kRed}}, "alpha 0 and 255");
}

TEST_F(PicBoxUnitTest, AnswersTheBackgroundPaintRequestInsideItsRectangle) {
  LoadBoxOrFail({.back_colour = kMagenta, .display_mode = 2, .picture = QuadrantBmp(10, 6)});
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 30);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previous = SelectObject(dc, bitmap);
  const RECT all{0, 0, 40, 30};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RECT left_half{0, 0, 20, 30};
  EXPECT_EQ(SendMessageA(Box(), picbox::kBackgroundPaintRequest, reinterpret_cast<WPARAM>(dc),
                         reinterpret_cast<LPARAM>(&left_half)),
            picbox::kPaintedReply);
  EXPECT_EQ(GetPixel(dc, 0, 0), kMagenta);
  EXPECT_EQ(GetPixel(dc, 16, 13), kRed);
  EXPECT_EQ(GetPixel(dc, 23, 13), kBlack) << "right of the rectangle: untouched";
  EXPECT_EQ(SendMessageA(Box(), picbox::kBackgroundPaintRequest, 0, 0), 0) << "no DC";
  SelectObject(dc, previous);
  DeleteObject(bitmap);
  DeleteDC(dc);

  // A window lying on the box gets what is behind it.
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 15, 12, 10, 6, Box(),
                               nullptr, nullptr, nullptr);
  ASSERT_NE(child, nullptr);
  HDC child_dc = GetDC(child);
  EXPECT_EQ(
      SendMessageA(Box(), picbox::kBackgroundPaintRequest, reinterpret_cast<WPARAM>(child_dc), 0),
      picbox::kPaintedReply);
  EXPECT_EQ(GetPixel(child_dc, 0, 0), kRed) << "lined up with the box's client area";
  EXPECT_EQ(GetPixel(child_dc, 9, 5), kYellow);
  ReleaseDC(child, child_dc);
  DestroyWindow(child);
}

TEST_F(PicBoxUnitTest, TheEditorsBoxShowsItsJpegStretchedAndGivesItBackUnchanged) {
  // As the editor stores its box: version 2, no border, the system colour,
  // stretched, animation on, a JPEG and two empty texts.
  const std::vector<uint8_t> jpeg =
      BuildJpeg(64, 48, [](int x, int y) { return Quadrants(64, 48, x, y); });
  LoadBoxOrFail({.display_mode = 1, .picture = jpeg}, 274, 392);
  EXPECT_EQ(ReadBytes(kPictureProperty), jpeg);
  EXPECT_EQ(Unit().picture->kind, PictureKind::kJpeg);
  ExpectPixels({{68, 98, kRed},
                {205, 98, kGreen},
                {68, 294, kBlue},
                {205, 294, kYellow},
                {2, 2, kRed},
                {271, 389, kYellow}},
               "stretched JPEG", 8);
}

TEST_F(PicBoxUnitTest, TheEditorsEmbeddedPictureShowsStretched) {
  std::ifstream file(MIENZO_APP_ASSETS "/harbour.jpg", std::ios::binary);
  const std::vector<uint8_t> jpeg{std::istreambuf_iterator<char>(file), {}};
  ASSERT_EQ(jpeg.size(), 87896u);
  LoadBoxOrFail({.display_mode = 1, .picture = jpeg}, 274, 392);
  EXPECT_EQ(ReadBytes(kPictureProperty), jpeg);
  ASSERT_NE(Unit().picture, nullptr);
  EXPECT_EQ(Unit().picture->width, 658);
  EXPECT_EQ(Unit().picture->height, 986);
  // The sun above the hills (440, 400 of the picture) and the night sky at the top,
  // at their stretched places.
  ExpectPixels({{183, 159, RGB(255, 200, 118)}, {137, 2, RGB(40, 50, 120)}}, "harbour", 12);
}

TEST_F(PicBoxUnitTest, AGifWithoutAnimationShowsItsFirstFrameStill) {
  GifLayout layout{.width = 4, .height = 4, .global_table = {kRed, kGreen, kBlue, kYellow}};
  layout.frames = {SolidFrame(0, 0, 2, 2, 1), SolidFrame(0, 0, 4, 4, 2)};
  LoadBoxOrFail({.back_colour = kMagenta, .play = 0, .picture = BuildGif(layout)});
  EXPECT_EQ(Unit().animation, nullptr);
  ASSERT_NE(Unit().picture, nullptr);
  EXPECT_EQ(Unit().picture->kind, PictureKind::kGif);
  // The first frame at the screen's corner; the rest of the screen is black.
  ExpectPixels({{0, 0, kGreen}, {1, 1, kGreen}, {3, 3, kBlack}, {4, 4, kMagenta}}, "first frame");
}

TEST_F(PicBoxUnitTest, RaisesFocusEvents) {
  ASSERT_TRUE(LoadBox({}, 40, 30, {{-7, 0}, {-8, 1}}));
  SetFocus(Box());
  SetFocus(UnitWindow(forms_testing::kMainWindow, 0x06010000));
  ASSERT_EQ(forms_testing::HandlerCalls().size(), 2u);
  EXPECT_EQ(forms_testing::HandlerCalls()[0].position, 0) << "focus gained";
  EXPECT_EQ(forms_testing::HandlerCalls()[1].position, 1) << "focus lost";
}

}  // namespace
}  // namespace runtime::units::picbox_testing
