// Accelerator tables: which keys match an entry (modifiers exactly), what
// the window is sent, and how the window's menu has its say.
#include "platform/user/menu_testing.h"

namespace platform::user::testing {
namespace {

constexpr WORD kBold = 501;
constexpr WORD kSaveAll = 502;
constexpr WORD kLetter = 503;

class Accelerators : public MenuWindow {
 protected:
  void SetUp() override {
    MenuWindow::SetUp();
    ACCEL entries[] = {
        {FVIRTKEY | FCONTROL, 'B', kBold},
        {FVIRTKEY | FCONTROL | FSHIFT, 'S', kSaveAll},
        {0, 'x', kLetter},                   // the character, typed
        {FVIRTKEY | FCONTROL, 'N', kNew},    // an item of the window's menu
        {FVIRTKEY | FCONTROL, 'P', kPaste},  // a grayed one
    };
    table_ = CreateAcceleratorTableA(entries, 5);
    ASSERT_NE(table_, nullptr);
  }
  void TearDown() override { DestroyAcceleratorTable(table_); }

  // A program's message loop with the table; returns how many messages the
  // table took.
  int Pump() {
    int taken = 0;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (TranslateAcceleratorA(top_, table_, &msg)) {
        ++taken;
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    return taken;
  }
  void Chord(std::initializer_list<UINT> held, UINT key) {
    for (UINT k : held) display_.KeyDown(k);
    display_.Key(key);
    for (UINT k : held) display_.KeyUp(k);
  }

  HACCEL table_ = nullptr;
};

TEST_F(Accelerators, ModifiersMustMatchExactly) {
  Chord({VK_CONTROL}, 'B');
  EXPECT_EQ(Pump(), 1);
  EXPECT_EQ(Commands(), CommandList{MAKEWPARAM(kBold, 1)}) << "HIWORD 1: from an accelerator";

  recorder_.Clear();
  Chord({VK_CONTROL, VK_SHIFT}, 'B');
  Chord({VK_SHIFT}, 'B');
  display_.Key('B');
  EXPECT_EQ(Pump(), 0);
  EXPECT_TRUE(Commands().empty());

  Chord({VK_CONTROL, VK_SHIFT}, 'S');
  Chord({VK_CONTROL}, 'S');  // Shift missing: no match
  display_.Type("x");
  EXPECT_EQ(Pump(), 2);
  EXPECT_EQ(Commands(), (CommandList{MAKEWPARAM(kSaveAll, 1), MAKEWPARAM(kLetter, 1)}));
}

TEST_F(Accelerators, TheWindowsMenuHasItsSay) {
  EnableMenuItem(menu_.bar, kNew, MF_GRAYED);
  recorder_.On(WM_INITMENUPOPUP, [&](HWND, WPARAM popup, LPARAM) -> LRESULT {
    // The program brings its menu up to date first, as when it opens.
    if (reinterpret_cast<HMENU>(popup) == menu_.file) EnableMenuItem(menu_.file, kNew, MF_ENABLED);
    return 0;
  });
  Chord({VK_CONTROL}, 'N');
  EXPECT_EQ(Pump(), 1);
  EXPECT_EQ(Commands(), CommandList{MAKEWPARAM(kNew, 1)});
  EXPECT_EQ(Received(WM_INITMENU), std::vector<WPARAM>{reinterpret_cast<WPARAM>(menu_.bar)});
  EXPECT_EQ(Received(WM_INITMENUPOPUP), std::vector<WPARAM>{reinterpret_cast<WPARAM>(menu_.file)});

  recorder_.Clear();
  Chord({VK_CONTROL}, 'P');
  EXPECT_EQ(Pump(), 1) << "a grayed item takes the key";
  EXPECT_TRUE(Commands().empty()) << "without a command";

  SetMenu(top_, nullptr);
  Chord({VK_CONTROL}, 'P');
  EXPECT_EQ(Pump(), 1);
  EXPECT_EQ(Commands(), CommandList{MAKEWPARAM(kPaste, 1)}) << "no menu, no say";
  SetMenu(top_, menu_.bar);
}

TEST_F(Accelerators, TablesAreCopiesBehindHandles) {
  ACCEL copy[8] = {};
  EXPECT_EQ(CopyAcceleratorTableA(table_, nullptr, 0), 5);
  EXPECT_EQ(CopyAcceleratorTableA(table_, copy, 2), 2);
  EXPECT_EQ(copy[1].key, 'S');
  EXPECT_EQ(copy[1].cmd, kSaveAll);
  EXPECT_EQ(copy[2].cmd, 0) << "no more than asked";
  EXPECT_EQ(CreateAcceleratorTableA(copy, 0), nullptr);

  HACCEL other = CreateAcceleratorTableA(copy, 1);
  ASSERT_TRUE(DestroyAcceleratorTable(other));
  EXPECT_FALSE(DestroyAcceleratorTable(other));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ACCEL_HANDLE));
  MSG msg{top_, WM_KEYDOWN, 'B', 0, 0, {}};
  EXPECT_EQ(TranslateAcceleratorA(top_, other, &msg), 0);
  EXPECT_EQ(TranslateAcceleratorA(top_, table_, nullptr), 0);
}

}  // namespace
}  // namespace platform::user::testing
