#include "runtime/forms/common_events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/user/input.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/event_test_support.h"

namespace runtime::forms_testing {
namespace {

using Words = std::vector<uint32_t>;

constexpr uint32_t kFirst = 0x16010001;
constexpr uint32_t kSecond = 0x16010002;

bool Contains(const std::vector<UINT>& messages, UINT message) {
  return std::find(messages.begin(), messages.end(), message) != messages.end();
}

std::vector<Words> ArgumentsOf(int32_t position) {
  std::vector<Words> arguments;
  for (const HandlerCall& call : HandlerCalls()) {
    if (call.position == position) arguments.push_back(call.arguments);
  }
  return arguments;
}

MSG Message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  MSG msg{};
  msg.hwnd = hwnd;
  msg.message = message;
  msg.wParam = wparam;
  msg.lParam = lparam;
  return msg;
}

class CommonEventsTest : public EventTest {
 protected:
  // Two boxes side by side, bound as given.
  forms::LoadedWindow& Live(std::vector<forms::EventBinding> first,
                            std::vector<forms::EventBinding> second = {}) {
    FormBuilder form;
    form.Window();
    form.Unit(kFirst, kBoxType, "first", 10, 10, 100, 80).bindings = std::move(first);
    form.Unit(kSecond, kBoxType, "second", 150, 10, 100, 80).bindings = std::move(second);
    Register({form.Build()});
    return MakeLive();
  }
};

TEST_F(CommonEventsTest, MessagesMapToEventsWithUnsignedPositionsAndTruncatedWheelSteps) {
  const struct {
    UINT message;
    int32_t event;
  } mouse[] = {{WM_LBUTTONDOWN, -1}, {WM_LBUTTONUP, -2}, {WM_LBUTTONDBLCLK, -3},
               {WM_RBUTTONDOWN, -4}, {WM_RBUTTONUP, -5}, {WM_MOUSEMOVE, -6}};
  for (const auto& entry : mouse) {
    forms::EventRecord record;
    MSG msg = Message(nullptr, entry.message, 0, static_cast<LPARAM>(0x8000FFFFu));
    ASSERT_TRUE(forms::MapCommonEvent(msg, &record));
    EXPECT_EQ(record.event, entry.event);
    EXPECT_EQ(Words(record.arguments, record.arguments + record.argument_count),
              (Words{0xFFFF, 0x8000, 0}))
        << "x and y are unsigned halves, even left of or above the window";
  }
  for (UINT silent : {WM_RBUTTONDBLCLK, WM_MBUTTONDOWN, WM_MBUTTONUP, WM_SYSCHAR, WM_PAINT}) {
    forms::EventRecord record;
    EXPECT_FALSE(forms::MapCommonEvent(Message(nullptr, silent, 0, 0), &record)) << silent;
  }
  const std::pair<int16_t, uint32_t> wheel[] = {{-120, static_cast<uint32_t>(-1)},
                                                {60, 0},
                                                {-60, 0},
                                                {240, 2},
                                                {-359, static_cast<uint32_t>(-2)}};
  for (const auto& [delta, steps] : wheel) {
    forms::EventRecord record;
    const MSG msg = Message(nullptr, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
    ASSERT_TRUE(forms::MapCommonEvent(msg, &record));
    EXPECT_EQ(record.arguments[0], steps) << delta;
  }
}

TEST_F(CommonEventsTest, PressHandlerAnsweringZeroSwallowsThePressButNoAnswerDoesNot) {
  forms::LoadedWindow& window = Live({{-1, 0}}, {{-1, 1}});
  HandlerResults()[0] = {true, 0};
  HWND first = UnitWindow(window, kFirst);
  HWND second = UnitWindow(window, kSecond);
  ClickAt(first, 5, 7);
  Pump(window);
  ClickAt(second, 5, 7);
  Pump(window);

  EXPECT_EQ(ArgumentsOf(0), (std::vector<Words>{{5, 7, 0}}));
  EXPECT_EQ(ArgumentsOf(1), (std::vector<Words>{{5, 7, 0}}));
  EXPECT_FALSE(Contains(SeenBy(first), WM_LBUTTONDOWN)) << "swallowed";
  EXPECT_TRUE(Contains(SeenBy(first), WM_LBUTTONUP)) << "only the answered message";
  EXPECT_TRUE(Contains(SeenBy(second), WM_LBUTTONDOWN));
}

TEST_F(CommonEventsTest, ClickOnUnitBindingOnlyMovesRaisesNothingAndReachesTheWindow) {
  forms::LoadedWindow& window = Live({{-6, 2}});
  HWND first = UnitWindow(window, kFirst);
  ClickAt(first, 20, 30);
  Pump(window);
  EXPECT_EQ(ArgumentsOf(2), (std::vector<Words>{{20, 30, 0}})) << "the move to the point";
  EXPECT_EQ(HandlerCalls().size(), 1u);
  EXPECT_TRUE(Contains(SeenBy(first), WM_LBUTTONDOWN));
  EXPECT_TRUE(Contains(SeenBy(first), WM_LBUTTONUP));
}

TEST_F(CommonEventsTest, MouseModifiersAreTheKeysHeldAtTheMessage) {
  forms::LoadedWindow& window = Live({{-4, 3}});
  Focus(window, kSecond);
  display_.KeyDown(VK_CONTROL);
  display_.KeyDown(VK_SHIFT);
  ClickAt(UnitWindow(window, kFirst), 1, 2, platform::input::Button::kRight);
  display_.KeyUp(VK_SHIFT);
  display_.KeyUp(VK_CONTROL);
  ClickAt(UnitWindow(window, kFirst), 30, 40, platform::input::Button::kRight);
  Pump(window);
  EXPECT_EQ(ArgumentsOf(3), (std::vector<Words>{{1, 2, 3}, {30, 40, 0}}));
}

TEST_F(CommonEventsTest, CharacterHandlerReplacesTheCharacterOrSwallowsItWithZero) {
  forms::LoadedWindow& window = Live({{-11, 3}});
  HWND first = Focus(window, kFirst);
  HandlerResults()[3] = {true, 'B'};
  display_.Type("a");
  Pump(window);
  HandlerResults()[3] = {true, 0};
  display_.Type("c");
  Pump(window);
  HandlerResults()[3] = {};
  display_.Type("d");
  Pump(window);

  EXPECT_EQ(ArgumentsOf(3), (std::vector<Words>{{'a'}, {'c'}, {'d'}}));
  std::vector<WPARAM> characters;
  for (const SeenMessage& seen : Seen()) {
    if (seen.window == first && seen.message == WM_CHAR) characters.push_back(seen.wparam);
  }
  EXPECT_EQ(characters, (std::vector<WPARAM>{'B', 'd'}));
}

TEST_F(CommonEventsTest, WheelStepsAreWholeNotchesTowardZero) {
  forms::LoadedWindow& window = Live({{-12, 4}});
  Focus(window, kFirst);
  for (int delta : {-120, 60, 240}) platform::input::MouseWheel(delta);
  display_.KeyDown(VK_SHIFT);
  platform::input::MouseWheel(120);
  display_.KeyUp(VK_SHIFT);
  Pump(window);
  EXPECT_EQ(ArgumentsOf(4),
            (std::vector<Words>{{static_cast<uint32_t>(-1), 0}, {0, 0}, {2, 0}, {1, 2}}));
}

TEST_F(CommonEventsTest, KeyEventsCarryKeypadMappingAndModifiersOtherThanTheKeyItself) {
  forms::LoadedWindow& window = Live({{-9, 5}, {-10, 6}});
  Focus(window, kFirst);
  display_.Key(VK_NUMPAD0 + 5);
  display_.Key(VK_DIVIDE);
  display_.Key(VK_MULTIPLY);     // no main-keyboard twin: as it is
  display_.KeyDown(VK_CONTROL);  // Ctrl alone: no modifiers
  display_.KeyDown(VK_SHIFT);    // Shift while Ctrl is held: Ctrl
  display_.KeyUp(VK_CONTROL);    // Ctrl let go while Shift is held: Shift
  display_.KeyUp(VK_SHIFT);
  Pump(window);
  EXPECT_EQ(
      ArgumentsOf(5),
      (std::vector<Words>{{0x35, 0}, {0xBF, 0}, {VK_MULTIPLY, 0}, {VK_CONTROL, 0}, {VK_SHIFT, 1}}));
  EXPECT_EQ(
      ArgumentsOf(6),
      (std::vector<Words>{{0x35, 0}, {0xBF, 0}, {VK_MULTIPLY, 0}, {VK_CONTROL, 2}, {VK_SHIFT, 0}}));
}

TEST_F(CommonEventsTest, KeysForADisabledWindowRaiseNothingButStillGoThrough) {
  forms::LoadedWindow& window = Live({{-9, 5}, {-1, 0}});
  HWND first = UnitWindow(window, kFirst);
  EnableWindow(first, FALSE);
  HandlerResults()[5] = {true, 0};  // would swallow, were it asked
  MSG key = Message(first, WM_KEYDOWN, 'A', 0);
  EXPECT_FALSE(forms::PreTranslateWindowMessage(window, &key));
  MSG press = Message(first, WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
  EXPECT_FALSE(forms::PreTranslateWindowMessage(window, &press));
  EXPECT_EQ(ArgumentsOf(5).size(), 0u);
  EXPECT_EQ(ArgumentsOf(0).size(), 1u) << "only keys are held back";
}

TEST_F(CommonEventsTest, MessageIsSwallowedWhenTheHandlerClosedTheWindow) {
  forms::LoadedWindow& window = Live({{-1, 0}});
  HWND top = window.Window();
  HandlerActions()[0] = [top] { DestroyWindow(top); };
  MSG press = Message(UnitWindow(window, kFirst), WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
  EXPECT_TRUE(forms::PreTranslateWindowMessage(window, &press));
  EXPECT_FALSE(IsWindow(top));
  EXPECT_EQ(HandlerCalls().size(), 1u);
}

TEST_F(CommonEventsTest, FocusEventsAreRaisedForTheUnitWithoutArguments) {
  forms::LoadedWindow& window = Live({{-7, 1}, {-8, 2}});
  forms::UnitObject* first = window.LiveAt(1);
  EXPECT_EQ(forms::RaiseFocusEvent(first, true), 1);
  EXPECT_EQ(forms::RaiseFocusEvent(first, false), 1);
  EXPECT_EQ(forms::RaiseFocusEvent(window.LiveAt(2), true), 0) << "not bound";
  EXPECT_EQ(forms::RaiseFocusEvent(nullptr, true), 0);
  EXPECT_EQ(ArgumentsOf(1), (std::vector<Words>{{}}));
  EXPECT_EQ(ArgumentsOf(2), (std::vector<Words>{{}}));
}

}  // namespace
}  // namespace runtime::forms_testing
