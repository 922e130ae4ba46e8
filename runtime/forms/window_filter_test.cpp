// The message filter of a loaded window: what comes before the common events
// and which windows' messages count as a unit's.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "runtime/forms/common_events.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/event_test_support.h"

namespace runtime::forms_testing {
namespace {

constexpr uint32_t kBox = 0x16010001;
constexpr uint32_t kFilter = 0x16010002;

// A key message some window procedure saw.
bool SawKey(HWND hwnd, UINT message, WPARAM key) {
  return std::any_of(EventTest::Seen().begin(), EventTest::Seen().end(), [&](const auto& seen) {
    return seen.window == hwnd && seen.message == message && seen.wparam == key;
  });
}

std::vector<uint32_t> KeysOf(int32_t position) {
  std::vector<uint32_t> keys;
  for (const HandlerCall& call : HandlerCalls()) {
    if (call.position == position) keys.push_back(call.arguments.at(0));
  }
  return keys;
}

// A plain child window inside `parent`, as a unit's inner control would be.
HWND InnerWindow(HWND parent) {
  static const bool registered = [] {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = DefWindowProcA;
    window_class.lpszClassName = "EventTestInner";
    return RegisterClassA(&window_class) != 0;
  }();
  EXPECT_TRUE(registered);
  return CreateWindowExA(0, "EventTestInner", "", WS_CHILD | WS_VISIBLE, 10, 10, 40, 40, parent,
                         nullptr, nullptr, nullptr);
}

// A filter that records what it was offered and consumes key-downs of `key`.
struct RecordingFilter {
  WPARAM key;
  std::vector<void*> objects;
  std::vector<std::pair<HWND, WPARAM>> key_downs;

  int32_t operator()(void* object, MSG* message) {
    if (message->message != WM_KEYDOWN) return 0;
    objects.push_back(object);
    key_downs.emplace_back(message->hwnd, message->wParam);
    return message->wParam == key ? 1 : 0;
  }
};

class WindowFilterTest : public EventTest {
 protected:
  // The window binds -9 to handler 7; a box and a filtering unit bind -9 to
  // handler 5 and -1 to handler 0.
  forms::LoadedWindow& Live() {
    FormBuilder form;
    form.Window().bindings = {{-9, 7}};
    form.Unit(kBox, kBoxType, "box", 10, 10, 100, 80).bindings = {{-9, 5}, {-1, 0}};
    form.Unit(kFilter, kFilterType, "filter", 150, 10, 100, 80).bindings = {{-9, 5}, {-1, 0}};
    Register({form.Build()});
    return MakeLive();
  }
};

TEST_F(WindowFilterTest, AcceleratorsTakeTheirKeysBeforeAnythingElse) {
  forms::LoadedWindow& window = Live();
  ACCEL entry{FVIRTKEY | FCONTROL, 'K', 20000};
  window.accelerators = CreateAcceleratorTableA(&entry, 1);
  ASSERT_NE(window.accelerators, nullptr);
  RecordingFilter unit_filter{0, {}, {}};
  RecordingFilter window_keys{0, {}, {}};
  PreTranslateFilter() = std::ref(unit_filter);
  WindowKeysFilter() = std::ref(window_keys);
  HWND filter = Focus(window, kFilter);

  display_.KeyDown(VK_CONTROL);
  display_.Key('K');
  display_.KeyUp(VK_CONTROL);
  Pump(window);
  DestroyAcceleratorTable(window.accelerators);
  window.accelerators = nullptr;

  EXPECT_TRUE(SawKey(window.Window(), WM_COMMAND, MAKEWPARAM(20000, 1)));
  EXPECT_FALSE(SawKey(filter, WM_KEYDOWN, 'K'));
  EXPECT_EQ(KeysOf(5), std::vector<uint32_t>{VK_CONTROL}) << "no key event for K";
  EXPECT_EQ(unit_filter.key_downs.size(), 1u) << "the unit's own filter saw only Ctrl";
  EXPECT_EQ(window_keys.key_downs.size(), 1u);
}

TEST_F(WindowFilterTest, UnitPreTranslationComesFirstAndOnlyForTypesThatAskForIt) {
  forms::LoadedWindow& window = Live();
  RecordingFilter unit_filter{'Q', {}, {}};
  RecordingFilter window_keys{0, {}, {}};
  PreTranslateFilter() = std::ref(unit_filter);
  WindowKeysFilter() = std::ref(window_keys);

  HWND filter = Focus(window, kFilter);
  display_.Key('Q');
  display_.Key('W');
  Pump(window);
  EXPECT_FALSE(SawKey(filter, WM_KEYDOWN, 'Q'));
  EXPECT_TRUE(SawKey(filter, WM_KEYDOWN, 'W'));
  EXPECT_EQ(KeysOf(5), std::vector<uint32_t>{'W'});

  HWND box = Focus(window, kBox);
  display_.Key('Q');
  Pump(window);
  EXPECT_TRUE(SawKey(box, WM_KEYDOWN, 'Q'));
  EXPECT_EQ(KeysOf(5), std::vector<uint32_t>{'Q'});

  EXPECT_EQ(unit_filter.objects, (std::vector<void*>{window.LiveAt(2), window.LiveAt(2)}))
      << "the box type has no pre-translation";
  EXPECT_EQ(window_keys.key_downs,
            (std::vector<std::pair<HWND, WPARAM>>{{filter, 'W'}, {box, 'Q'}}));
}

TEST_F(WindowFilterTest, WindowKeyHandlingMayConsumeAndSeesTheWindowsOwnMessages) {
  forms::LoadedWindow& window = Live();
  RecordingFilter window_keys{VK_ESCAPE, {}, {}};
  WindowKeysFilter() = std::ref(window_keys);
  HWND box = Focus(window, kBox);
  display_.Key(VK_ESCAPE);
  display_.Key('E');
  Pump(window);
  SetFocus(window.Window());
  Pump(window);
  display_.Key('R');
  Pump(window);

  EXPECT_FALSE(SawKey(box, WM_KEYDOWN, VK_ESCAPE));
  EXPECT_EQ(KeysOf(5), std::vector<uint32_t>{'E'});
  EXPECT_EQ(window_keys.key_downs, (std::vector<std::pair<HWND, WPARAM>>{
                                       {box, VK_ESCAPE}, {box, 'E'}, {window.Window(), 'R'}}));
  for (void* object : window_keys.objects) EXPECT_EQ(object, window.WindowObject());
  EXPECT_TRUE(KeysOf(7).empty()) << "messages to the window itself raise no common events";
  EXPECT_TRUE(SawKey(window.Window(), WM_KEYDOWN, 'R'));
}

TEST_F(WindowFilterTest, InnerWindowsCountAsTheUnitsOwnOnlyForTypesThatAskForIt) {
  forms::LoadedWindow& window = Live();
  HWND in_filter = InnerWindow(UnitWindow(window, kFilter));
  HWND deeper = InnerWindow(in_filter);
  HWND in_box = InnerWindow(UnitWindow(window, kBox));
  HWND stranger = CreateWindowExA(0, "EventTestInner", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                                  nullptr, nullptr, nullptr);
  EXPECT_EQ(forms::FindMessageUnit(window, in_filter), 2);
  EXPECT_EQ(forms::FindMessageUnit(window, deeper), 2);
  EXPECT_EQ(forms::FindMessageUnit(window, in_box), -1);
  EXPECT_EQ(forms::FindMessageUnit(window, window.Window()), -1) << "the window is no unit";
  EXPECT_EQ(forms::FindMessageUnit(window, stranger), -1);

  ClickAt(deeper, 3, 4);
  ClickAt(in_box, 3, 4);
  Pump(window);
  ASSERT_EQ(HandlerCalls().size(), 1u);
  EXPECT_EQ(HandlerCalls()[0].arguments, (std::vector<uint32_t>{3, 4, 0}))
      << "in the inner window's own client pixels";
  DestroyWindow(stranger);
}

}  // namespace
}  // namespace runtime::forms_testing
