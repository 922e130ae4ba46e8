// What the menu tests share: a window with a bar of two popups and a
// command, and a person at the menu - each time the menu loop waits
// (WM_ENTERIDLE) the next queued step acts, as someone looking at the open
// popup would.
#pragma once

#include <functional>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/user/menu.h"
#include "platform/user/test_support.h"

namespace platform::user::testing {

enum Command : UINT {
  kNew = 101,
  kOpen = 102,
  kSave = 103,
  kGrid = 104,
  kExit = 105,
  kRecentA = 111,
  kRecentB = 112,
  kCopy = 201,
  kPaste = 202,
  kSelectAll = 203,
  kHelp = 301,
};

// Positions in the popups.
enum FileItem {
  kNewAt,
  kOpenAt,
  kFirstSeparatorAt,
  kRecentAt,
  kSaveAt,
  kSecondSeparatorAt,
  kGridAt,
  kExitAt
};
enum BarItem { kFileBar, kEditBar, kHelpBar };

struct SampleMenu {
  HMENU bar = nullptr;
  HMENU file = nullptr;
  HMENU recent = nullptr;
  HMENU edit = nullptr;
};

// 文件(F): 新建 Ctrl+N, 打开 Ctrl+O, -, 最近 > (a.bmp, b.bmp), 保存 (grayed),
// -, 网格 (checked), 退出; 编辑(E): 复制 Ctrl+C, 粘贴 (grayed), 全选 Ctrl+A;
// 帮助(H), a command on the bar.
inline SampleMenu BuildSampleMenu() {
  using gbk::Gbk;
  SampleMenu m{CreateMenu(), CreatePopupMenu(), CreatePopupMenu(), CreatePopupMenu()};
  AppendMenuA(m.recent, MF_STRING, kRecentA, "&a.bmp");
  AppendMenuA(m.recent, MF_STRING, kRecentB, "&b.bmp");
  AppendMenuA(m.file, MF_STRING, kNew, Gbk("新建(&N)\tCtrl+N").c_str());
  AppendMenuA(m.file, MF_STRING, kOpen, Gbk("打开(&O)...\tCtrl+O").c_str());
  AppendMenuA(m.file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(m.file, MF_POPUP, reinterpret_cast<UINT_PTR>(m.recent), Gbk("最近(&R)").c_str());
  AppendMenuA(m.file, MF_STRING | MF_GRAYED, kSave, Gbk("保存(&S)\tCtrl+S").c_str());
  AppendMenuA(m.file, MF_SEPARATOR, 0, nullptr);
  AppendMenuA(m.file, MF_STRING | MF_CHECKED, kGrid, Gbk("网格(&G)").c_str());
  AppendMenuA(m.file, MF_STRING, kExit, Gbk("退出(&X)").c_str());
  AppendMenuA(m.edit, MF_STRING, kCopy, Gbk("复制(&C)\tCtrl+C").c_str());
  AppendMenuA(m.edit, MF_STRING | MF_GRAYED, kPaste, Gbk("粘贴(&P)\tCtrl+V").c_str());
  AppendMenuA(m.edit, MF_STRING, kSelectAll, Gbk("全选(&A)\tCtrl+A").c_str());
  AppendMenuA(m.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(m.file), Gbk("文件(&F)").c_str());
  AppendMenuA(m.bar, MF_POPUP, reinterpret_cast<UINT_PTR>(m.edit), Gbk("编辑(&E)").c_str());
  AppendMenuA(m.bar, MF_STRING, kHelp, Gbk("帮助(&H)").c_str());
  return m;
}

class MenuWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    recorder_.On(WM_ENTERIDLE, [this](HWND, WPARAM, LPARAM popup) -> LRESULT {
      if (next_step_ < steps_.size()) steps_[next_step_++](reinterpret_cast<HWND>(popup));
      return 0;
    });
    menu_ = BuildSampleMenu();
    top_ = CreateWindowExA(0, "Recorder", "Menus", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 420,
                           320, nullptr, menu_.bar, nullptr, nullptr);
    display_.PumpUntilIdle();
    recorder_.Clear();
  }

  // Runs `step` when the menu loop next waits; it gets the deepest popup.
  void WhenIdle(std::function<void(HWND popup)> step) { steps_.push_back(std::move(step)); }

  POINT BarItemCenter(int index) const {
    const RECT r = MenuBarItemScreenRect(FindWindowQuiet(top_), index);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  static POINT ItemCenter(HWND popup, int index) {
    const auto handle = reinterpret_cast<HMENU>(GetWindowLongPtrA(popup, GWLP_USERDATA));
    std::shared_ptr<Menu> menu = FindMenuQuiet(handle);
    RECT frame{};
    GetWindowRect(popup, &frame);
    if (menu == nullptr || index >= static_cast<int>(menu->items.size())) return {-1, -1};
    const RECT r = menu->items[static_cast<size_t>(index)].rect;
    return {frame.left + (r.left + r.right) / 2, frame.top + (r.top + r.bottom) / 2};
  }
  void ClickBar(int index) {
    const POINT p = BarItemCenter(index);
    display_.Click(p.x, p.y);
  }
  void ClickItem(HWND popup, int index) {
    const POINT p = ItemCenter(popup, index);
    display_.Click(p.x, p.y);
  }

  // The wParams of the WM_COMMANDs the window received.
  std::vector<WPARAM> Commands() const { return Received(WM_COMMAND); }
  std::vector<WPARAM> Received(UINT message) const {
    std::vector<WPARAM> seen;
    for (const Recorded& r : recorder_.all()) {
      if (r.message == message && r.hwnd == top_) seen.push_back(r.wparam);
    }
    return seen;
  }
  static int MenuWindowCount() {
    int count = 0;
    for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
      char name[16] = {};
      GetClassNameA(w, name, sizeof name);
      if (std::string(name) == "#32768") ++count;
    }
    return count;
  }

  HeadlessDisplay display_;
  Recorder recorder_;
  SampleMenu menu_;
  HWND top_ = nullptr;
  std::vector<std::function<void(HWND)>> steps_;
  size_t next_step_ = 0;
};

using CommandList = std::vector<WPARAM>;

}  // namespace platform::user::testing
