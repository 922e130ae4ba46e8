// Creating window units: the descriptor, styles for every border, start
// positions, owners, class, icons, font, topmost, the window menu, and
// stored records of every version.
#include <cstring>

#include "runtime/core/app_state.h"
#include "runtime/core/hooks.h"
#include "runtime/core/runtime_library.h"
#include "runtime/units/window/window_test_support.h"

namespace runtime::units::window_testing {
namespace {

using forms::RecordValues;
using forms_testing::kMainWindow;
using namespace window;

constexpr DWORD kFrameBits =
    WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_DLGFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
constexpr DWORD kFrameExBits = WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW | WS_EX_CLIENTEDGE;

DWORD StyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_STYLE)); }
DWORD ExStyleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongA(hwnd, GWL_EXSTYLE)); }

int32_t ReadOwn(int32_t index) {
  return static_cast<int32_t>(Hooks().read_property(kMainWindow, 0x06010000, index, -1));
}

TEST(WindowTypeTest, DescriptorFillsSlotOneOfTheRuntimeLibrary) {
  const UnitTypeDescriptor& type = RuntimeLibrary().unit_types[0];
  EXPECT_STREQ(type.english_name, "window");
  EXPECT_STREQ(type.chinese_name, "\xB4\xB0\xBF\xDA");
  EXPECT_EQ(type.state_flags, 0x800000D0u);
  ASSERT_EQ(type.property_count, 32);
  int marked = 0;
  for (int32_t i = 0; i < 8; ++i) EXPECT_EQ(type.property_types[i].flags, 0xE000) << i;
  for (int32_t i = 8; i < 32; ++i) marked += type.property_types[i].flags == 0x8001 ? 1 : 0;
  EXPECT_EQ(marked, 6);
  EXPECT_EQ(type.property_types[8].type_code, 1005);   // Caption
  EXPECT_EQ(type.property_types[13].type_code, 1012);  // BackMusic
  EXPECT_EQ(type.property_types[24].type_code, 1016);  // HelpFile
  EXPECT_EQ(type.property_types[10].type_code, 1017);  // BackColor
  for (int32_t number : {1, 4, 5, 6, 7, 9, 20, 21}) {
    EXPECT_NE(type.handler_query(number), nullptr) << "handler " << number;
  }
  EXPECT_EQ(type.handler_query(8), nullptr);
  EXPECT_EQ(type.handler_query(11), nullptr) << "the window filters through handler 21";
}

TEST(WindowStylesTest, EveryBorderGivesItsFrame) {
  struct Expected {
    DWORD style;
    DWORD ex_style;
  };
  const Expected expected[] = {
      {0, 0},
      {WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_THICKFRAME, 0},
      {WS_CAPTION | WS_SYSMENU | WS_DLGFRAME, 0},
      {WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_THICKFRAME, WS_EX_TOOLWINDOW},
      {WS_CAPTION | WS_SYSMENU | WS_DLGFRAME, WS_EX_TOOLWINDOW},
      {WS_CAPTION | WS_SYSMENU | WS_DLGFRAME | WS_THICKFRAME, WS_EX_CLIENTEDGE},
      {WS_CAPTION | WS_SYSMENU | WS_DLGFRAME, WS_EX_CLIENTEDGE},
  };
  for (int32_t border = 0; border <= 6; ++border) {
    RecordValues record(WindowSchema());
    record.SetInt(kBorder, border);
    record.SetInt(kMinButton, 0);
    const FrameStyles frame = FrameStylesOf(record, false);
    EXPECT_EQ(frame.style, expected[border].style) << "border " << border;
    EXPECT_EQ(frame.ex_style, expected[border].ex_style) << "border " << border;
  }
  RecordValues record(WindowSchema());
  record.SetInt(kBorder, kBorderSizable);
  record.SetInt(kMaxButton, 1);
  const FrameStyles embedded = FrameStylesOf(record, true);
  EXPECT_EQ(embedded.style, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
      << "an embedded window has neither dialog nor sizing frame";
  EXPECT_EQ(embedded.ex_style, static_cast<DWORD>(WS_EX_DLGMODALFRAME));
}

TEST_F(WindowTest, LiveWindowsCarryTheirBorders) {
  std::vector<forms::WindowTemplate> windows;
  for (int32_t border = 0; border <= 6; ++border) {
    const std::string record = WindowRecord([&](RecordValues& v) {
      v.SetInt(kBorder, border);
      v.SetText(kCaption, "Border");
    });
    windows.push_back(OneWindow(record, 20 + 30 * border, 40, 200, 150, 0x52010001 + border));
  }
  RegisterForms(windows);
  for (int32_t border = 0; border <= 6; ++border) {
    const uint32_t id = 0x52010001 + border;
    ASSERT_TRUE(Load(id)) << border;
    HWND hwnd = HandleOf(id);
    RecordValues record(WindowSchema());
    record.SetInt(kBorder, border);
    record.SetText(kCaption, "Border");
    const FrameStyles frame = FrameStylesOf(record, false);
    EXPECT_EQ(StyleOf(hwnd) & kFrameBits, frame.style) << "border " << border;
    EXPECT_EQ(ExStyleOf(hwnd) & kFrameExBits, frame.ex_style) << "border " << border;
    EXPECT_NE(StyleOf(hwnd) & WS_CLIPCHILDREN, 0u);
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    EXPECT_EQ(rect.right - rect.left, 200) << "the size asked for, whatever the frame";
  }
}

TEST_F(WindowTest, EmptyCaptionWithoutControlBoxHasNoCaptionBar) {
  LoadOne(WindowRecord([](RecordValues& v) {
    v.SetInt(kBorder, kBorderFixed);
    v.SetInt(kControlBox, 0);
  }));
  EXPECT_NE(StyleOf(HandleOf()) & WS_DLGFRAME, 0u) << "the border stays";
  EXPECT_NE((StyleOf(HandleOf()) & WS_CAPTION), static_cast<DWORD>(WS_CAPTION));
  EXPECT_EQ(StyleOf(HandleOf()) & WS_SYSMENU, 0u);
  RECT window{}, client{};
  GetWindowRect(HandleOf(), &window);
  GetClientRect(HandleOf(), &client);
  EXPECT_LT((window.bottom - window.top) - client.bottom, GetSystemMetrics(SM_CYCAPTION));
}

TEST_F(WindowTest, CaptionTextOrControlBoxGivesACaptionBar) {
  LoadOne(WindowRecord([](RecordValues& v) {
    v.SetInt(kControlBox, 0);
    v.SetText(kCaption, "Mienzo");
  }));
  EXPECT_EQ(StyleOf(HandleOf()) & WS_CAPTION, static_cast<DWORD>(WS_CAPTION));
  EXPECT_EQ(StyleOf(HandleOf()) & WS_SYSMENU, 0u) << "no control box, no window menu";
  char title[16] = {};
  GetWindowTextA(HandleOf(), title, sizeof title);
  EXPECT_STREQ(title, "Mienzo");
}

TEST_F(WindowTest, CentredStartPositionReadsBackAsStored) {
  WindowUnit* unit = LoadOne(WindowRecord(), 320, 240);
  ASSERT_NE(unit, nullptr);
  RECT rect{};
  GetWindowRect(HandleOf(), &rect);
  EXPECT_EQ(rect.left, (GetSystemMetrics(SM_CXSCREEN) - 320) / 2);
  EXPECT_EQ(rect.top, (GetSystemMetrics(SM_CYSCREEN) - 240) / 2);
  EXPECT_TRUE(IsWindowVisible(HandleOf()));
  EXPECT_EQ(ReadOwn(8 + kStartPositionProperty), 0) << "the state now, not the stored 1";
  EXPECT_EQ(unit->record.Int(kStartPosition), 1);
}

TEST_F(WindowTest, StoredPositionIsKeptAndStatesReadBack) {
  LoadOne(WindowRecord([](RecordValues& v) { v.SetInt(kStartPosition, kAsStored); }));
  RECT rect{};
  GetWindowRect(HandleOf(), &rect);
  EXPECT_EQ(rect.left, 100);
  EXPECT_EQ(rect.top, 80);
  ShowWindow(HandleOf(), SW_MINIMIZE);
  EXPECT_EQ(ReadOwn(8 + kStartPositionProperty), 2);
  ShowWindow(HandleOf(), SW_RESTORE);
  ShowWindow(HandleOf(), SW_SHOWMAXIMIZED);
  EXPECT_EQ(ReadOwn(8 + kStartPositionProperty), 3);
}

TEST_F(WindowTest, MinimisedAndMaximisedStarts) {
  RegisterForms({OneWindow(WindowRecord([](RecordValues& v) { v.SetInt(kStartPosition, 2); })),
                 OneWindow(WindowRecord([](RecordValues& v) {
                             v.SetInt(kStartPosition, 3);
                             v.SetInt(kBorder, kBorderFixed);  // no sizing frame
                           }),
                           100, 80, 320, 240, 0x52010002)});
  ASSERT_TRUE(Load());
  EXPECT_TRUE(IsIconic(HandleOf()));
  ShowWindow(HandleOf(), SW_RESTORE);
  RECT rect{};
  GetWindowRect(HandleOf(), &rect);
  EXPECT_EQ(rect.right - rect.left, 320) << "restores to its own size";
  ASSERT_TRUE(Load(0x52010002));
  HWND maximised = HandleOf(0x52010002);
  EXPECT_TRUE(IsZoomed(maximised));
  GetWindowRect(maximised, &rect);
  const RECT area = WorkAreaOf(maximised);
  EXPECT_EQ(rect.left, area.left);
  EXPECT_EQ(rect.top, area.top);
  EXPECT_EQ(rect.right, area.right);
  EXPECT_EQ(rect.bottom, area.bottom) << "the work area, even without a sizing frame";
}

TEST_F(WindowTest, ClassIsHvWindowUnlessTheRecordNamesOne) {
  RegisterForms({OneWindow(WindowRecord()),
                 OneWindow(WindowRecord([](RecordValues& v) { v.SetText(kClassName, "MyForm"); }),
                           100, 80, 320, 240, 0x52010002)});
  ASSERT_TRUE(Load());
  ASSERT_TRUE(Load(0x52010002));
  char name[32] = {};
  GetClassNameA(HandleOf(), name, sizeof name);
  EXPECT_STREQ(name, "HVWindow");
  GetClassNameA(HandleOf(0x52010002), name, sizeof name);
  EXPECT_STREQ(name, "MyForm");
  WNDCLASSA window_class{};
  ASSERT_TRUE(GetClassInfoA(nullptr, "HVWindow", &window_class));
  EXPECT_EQ(window_class.style, static_cast<UINT>(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS));
  EXPECT_EQ(window_class.hbrBackground, GetStockObject(NULL_BRUSH));
  EXPECT_EQ(window_class.hCursor, LoadCursorA(nullptr, IDC_ARROW));
}

TEST_F(WindowTest, OwnersHiddenOwnerAndPopups) {
  RegisterForms({OneWindow(WindowRecord()),
                 OneWindow(WindowRecord([](RecordValues& v) { v.SetInt(kShowInTaskbar, 0); }), 100,
                           80, 320, 240, 0x52010002),
                 OneWindow(WindowRecord(), 100, 80, 320, 240, 0x52010003)});
  ASSERT_TRUE(Load());
  EXPECT_EQ(GetWindow(HandleOf(), GW_OWNER), nullptr) << "a taskbar button of its own";
  ASSERT_TRUE(Load(0x52010002));
  EXPECT_EQ(GetWindow(HandleOf(0x52010002), GW_OWNER), App().hidden_owner);
  EXPECT_EQ(StyleOf(HandleOf(0x52010002)) & WS_POPUP, 0u);
  forms::LoadOptions owned;
  owned.owner = HandleOf();
  ASSERT_TRUE(Load(0x52010003, owned));
  EXPECT_EQ(GetWindow(HandleOf(0x52010003), GW_OWNER), HandleOf());
  EXPECT_NE(StyleOf(HandleOf(0x52010003)) & WS_POPUP, 0u);
}

TEST_F(WindowTest, TopmostFontIconAndWindowMenu) {
  LoadOne(WindowRecord([](RecordValues& v) {
    v.SetInt(kAlwaysOnTop, 1);
    v.SetInt(kMovable, 0);
  }));
  HWND hwnd = HandleOf();
  EXPECT_NE(ExStyleOf(hwnd) & WS_EX_TOPMOST, 0u);
  EXPECT_EQ(SendMessageA(hwnd, WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(GetStockObject(DEFAULT_GUI_FONT)));
  EXPECT_EQ(SendMessageA(hwnd, WM_GETICON, ICON_BIG, 0),
            reinterpret_cast<LRESULT>(LoadIconA(nullptr, IDI_APPLICATION)))
      << "no Icon: the runtime's default";
  HMENU menu = GetSystemMenu(hwnd, FALSE);
  EXPECT_EQ(GetMenuState(menu, SC_MOVE, MF_BYCOMMAND), static_cast<UINT>(-1)) << "Move removed";
  EXPECT_NE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
}

// An icon file with one 32-bit image of `size` pixels of one colour.
std::string IconFile(int size) {
  std::string image;
  auto put32 = [&](std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  put32(image, 40);
  put32(image, static_cast<uint32_t>(size));
  put32(image, static_cast<uint32_t>(size * 2));
  image += std::string("\x01\x00\x20\x00", 4);
  for (int i = 0; i < 6; ++i) put32(image, 0);
  for (int i = 0; i < size * size; ++i) put32(image, 0xFF0080FFu);
  image.append(static_cast<size_t>(size * ((size + 31) / 32) * 4), '\0');
  std::string file("\0\0\1\0\1\0", 6);
  file.push_back(static_cast<char>(size));
  file.push_back(static_cast<char>(size));
  file += std::string("\0\0\1\0\x20\0", 6);
  put32(file, static_cast<uint32_t>(image.size()));
  put32(file, 22);
  return file + image;
}

TEST_F(WindowTest, IconBytesGiveLargeAndSmallIcons) {
  WindowUnit* unit = LoadOne(WindowRecord([](RecordValues& v) { v.SetText(kIcon, IconFile(32)); }));
  ASSERT_NE(unit, nullptr);
  ASSERT_NE(unit->big_icon, nullptr);
  ASSERT_NE(unit->small_icon, nullptr);
  EXPECT_EQ(SendMessageA(HandleOf(), WM_GETICON, ICON_BIG, 0),
            reinterpret_cast<LRESULT>(unit->big_icon));
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(unit->small_icon, &info));
  BITMAP bitmap{};
  GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
  EXPECT_EQ(bitmap.bmWidth, GetSystemMetrics(SM_CXSMICON));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST_F(WindowTest, OlderRecordsLoadAndNewerOrBrokenOnesDoNot) {
  RecordValues old(WindowSchema());
  old.SetInt(kShowInTaskbar, 0);
  old.SetInt(kDragAnywhere, 1);  // version 3: left out of a version 2 record
  old.SetText(kCaption, "Old");
  const std::string version2 = forms::WriteRecord(old, 2);
  std::string version7 = WindowRecord();
  version7[0] = 7;
  const std::string full = WindowRecord([](RecordValues& v) { v.SetText(kCaption, "Cut"); });
  const std::string truncated = full.substr(0, full.size() - 2);
  RegisterForms({OneWindow(version2), OneWindow(version7, 100, 80, 320, 240, 0x52010002),
                 OneWindow(truncated, 100, 80, 320, 240, 0x52010003)});
  ASSERT_TRUE(Load());
  EXPECT_EQ(UnitOf()->record.Int(kShowInTaskbar), 0);
  EXPECT_EQ(UnitOf()->record.Int(kDragAnywhere), 0) << "a later field keeps its default";
  EXPECT_EQ(UnitOf()->record.Text(kCaption), "Old");
  EXPECT_EQ(GetWindow(HandleOf(), GW_OWNER), App().hidden_owner);
  EXPECT_FALSE(Load(0x52010002)) << "version 7 is rejected";
  EXPECT_EQ(HandleOf(0x52010002), nullptr);
  EXPECT_FALSE(Load(0x52010003)) << "a truncated record is rejected";
}

TEST_F(WindowTest, EmbeddedWindowIsAChildWithoutVetoes) {
  // The embedded window belongs to a window of the program that is not
  // loaded itself.
  RegisterForms({OneWindow(WindowRecord()), OneWindow(WindowRecord(), 0, 0, 10, 10, 0x52010002)});
  ASSERT_TRUE(Load());
  const std::string record = WindowRecord([](RecordValues& v) { v.SetInt(kBorder, 1); });
  auto* unit = static_cast<WindowUnit*>(CreateWindowUnit(
      reinterpret_cast<const uint8_t*>(record.data()), static_cast<int32_t>(record.size()), 0,
      HandleOf(), 300, nullptr, 10, 10, 100, 80, 0x52010002, 0x06010000, 1, 0));
  ASSERT_NE(unit, nullptr);
  EXPECT_NE(StyleOf(unit->window) & WS_CHILD, 0u);
  EXPECT_EQ(StyleOf(unit->window) & WS_THICKFRAME, 0u);
  EXPECT_NE(ExStyleOf(unit->window) & WS_EX_DLGMODALFRAME, 0u);
  EXPECT_EQ(GetParent(unit->window), HandleOf());
  HWND child = unit->window;
  SendMessageA(child, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(child)) << "an embedded window just closes";
}

}  // namespace
}  // namespace runtime::units::window_testing
