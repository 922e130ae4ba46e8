// Window events: the load events, closing with its vetoes, destruction and
// the end of the loop, activation, showing and hiding, idle time, focus
// coming back, and mouse pointers.
#include "runtime/core/app_state.h"
#include "runtime/core/hooks.h"
#include "runtime/units/window/window_test_support.h"

namespace runtime::units::window_testing {
namespace {

using forms::RecordValues;
using forms_testing::FormBuilder;
using forms_testing::HandlerCalls;
using forms_testing::HandlerResults;
using forms_testing::kMainWindow;
using forms_testing::kSecondWindow;
using namespace window;

constexpr HandlerResult kFalse{true, 0};
constexpr HandlerResult kTrue{true, 1};

class EventsTest : public WindowTest {
 protected:
  // A window bound to handler positions by event: {event, position}.
  forms::WindowTemplate Bound(std::vector<forms::EventBinding> bindings,
                              uint32_t window_id = kMainWindow, int32_t left = 100) {
    FormBuilder form(window_id);
    auto& own = form.Window(left, 80, 300, 200);
    own.properties = WindowRecord([](RecordValues& v) { v.SetInt(kStartPosition, kAsStored); });
    own.bindings = std::move(bindings);
    return form.Build();
  }
};

TEST_F(EventsTest, LoadingRaisesCreatedMovedResizedThenShownAndActivated) {
  RegisterForms({Bound({{kEventCreated, 0},
                        {kEventMoved, 1},
                        {kEventResized, 2},
                        {kEventShown, 3},
                        {kEventActivated, 4},
                        {kEventFirstActivation, 5}})});
  ASSERT_TRUE(Load());
  Pump();
  EXPECT_EQ(CalledHandlers(), (std::vector<int32_t>{0, 1, 2, 3, 4, 5}));
  ResetCalls();
  MoveWindow(HandleOf(), 120, 90, 310, 200, TRUE);
  EXPECT_EQ(CalledHandlers(), (std::vector<int32_t>{1, 2}));
}

TEST_F(EventsTest, EventTwelveVetoesTheCloseBeforeEventOneIsAsked) {
  RegisterForms({Bound({{kEventClosing, 0}, {kEventCloseQuery, 1}, {kEventDestroying, 2}})});
  ASSERT_TRUE(Load());
  ResetCalls();
  HandlerResults()[0] = kFalse;
  SendMessageA(HandleOf(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(HandleOf()));
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{0});
  EXPECT_FALSE(Window().being_closed) << "a vetoed close is over";
}

TEST_F(EventsTest, EventOneVetoesTheCloseAfterEventTwelve) {
  RegisterForms({Bound({{kEventClosing, 0}, {kEventCloseQuery, 1}, {kEventDestroying, 2}})});
  ASSERT_TRUE(Load());
  ResetCalls();
  HandlerResults()[1] = kFalse;
  SendMessageA(HandleOf(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(HandleOf()));
  EXPECT_EQ(CalledHandlers(), (std::vector<int32_t>{0, 1}));
  HandlerResults()[1] = kTrue;
  HWND hwnd = HandleOf();
  SendMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(CalledHandlers(), (std::vector<int32_t>{0, 1, 0, 1, 2})) << "then event 2";
  EXPECT_EQ(HandleOf(), nullptr) << "the framework heard of it";
}

TEST_F(EventsTest, EndOfSessionAsksEventOne) {
  RegisterForms({Bound({{kEventCloseQuery, 1}})});
  ASSERT_TRUE(Load());
  HandlerResults()[1] = kFalse;
  EXPECT_EQ(SendMessageA(HandleOf(), WM_QUERYENDSESSION, 0, 0), FALSE);
  HandlerResults()[1] = {};
  EXPECT_EQ(SendMessageA(HandleOf(), WM_QUERYENDSESSION, 0, 0), TRUE);
}

TEST_F(EventsTest, ClosingOneOfTwoWindowsDoesNotEndTheProgram) {
  RegisterForms({Bound({}), Bound({}, kSecondWindow, 300)});
  ASSERT_TRUE(Load());
  ASSERT_TRUE(Load(kSecondWindow));
  App().message_loop_running = true;
  SendMessageA(HandleOf(kSecondWindow), WM_CLOSE, 0, 0);
  EXPECT_EQ(HandleOf(kSecondWindow), nullptr);
  EXPECT_FALSE(TakeQuit());
  SendMessageA(HandleOf(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(TakeQuit()) << "the last window ends the loop";
}

TEST_F(EventsTest, ActivationDeactivationAndTheFirstActivationOnce) {
  RegisterForms({Bound({{kEventActivated, 0}, {kEventDeactivated, 1}, {kEventFirstActivation, 2}}),
                 Bound({}, kSecondWindow, 300)});
  ASSERT_TRUE(Load());
  ASSERT_TRUE(Load(kSecondWindow));
  Pump();
  EXPECT_EQ(CalledHandlers(), (std::vector<int32_t>{0, 2, 1}));
  ResetCalls();
  SetActiveWindow(HandleOf());
  SetActiveWindow(HandleOf(kSecondWindow));
  EXPECT_EQ(CalledHandlers(), (std::vector<int32_t>{0, 1}));
}

TEST_F(EventsTest, HidingAndShowingThroughTheVisibleProperty) {
  RegisterForms({Bound({{kEventShown, 0}, {kEventHidden, 1}})});
  ASSERT_TRUE(Load());
  ResetCalls();
  Hooks().write_property(kMainWindow, 0x06010000, 5, -1, 0, 0);
  EXPECT_FALSE(IsWindowVisible(HandleOf()));
  Hooks().write_property(kMainWindow, 0x06010000, 5, -1, 1, 0);
  EXPECT_TRUE(IsWindowVisible(HandleOf()));
  EXPECT_EQ(CalledHandlers(), (std::vector<int32_t>{1, 0}));
}

TEST_F(EventsTest, IdleEventCarriesTheTimeAndAsksForMore) {
  RegisterForms({Bound({{kEventIdle, 0}})});
  ASSERT_TRUE(Load());
  ResetCalls();
  HandlerResults()[0] = kTrue;
  EXPECT_EQ(Hooks().raise_idle_event(0, 250), 1);
  ASSERT_EQ(HandlerCalls().size(), 1u);
  EXPECT_EQ(HandlerCalls()[0].arguments, std::vector<uint32_t>{250});
  HandlerResults()[0] = {};
  EXPECT_EQ(Hooks().raise_idle_event(0, 300), 0) << "no answer, no more idle events";
}

TEST_F(EventsTest, FocusComesBackToTheUnitThatHadIt) {
  FormBuilder form;
  form.Window(100, 80, 300, 200).properties =
      WindowRecord([](RecordValues& v) { v.SetInt(kStartPosition, kAsStored); });
  for (uint32_t n = 1; n <= 2; ++n) {
    auto& unit = form.Unit(0x16010000 + n, kLineEditType, "edit", 10, 10 + 30 * n, 100, 24);
    unit.flags = forms::kUnitVisible | forms::kUnitTabStop;
    unit.tab_order = static_cast<int32_t>(n);
  }
  RegisterForms({form.Build(), Bound({}, kSecondWindow, 420)});
  ASSERT_TRUE(Load());
  HWND second_edit = UnitWindow(kMainWindow, 0x16010002);
  EXPECT_EQ(GetFocus(), UnitWindow(kMainWindow, 0x16010001));
  SetFocus(second_edit);
  ASSERT_TRUE(Load(kSecondWindow));
  EXPECT_EQ(GetActiveWindow(), HandleOf(kSecondWindow));
  SetActiveWindow(HandleOf());
  EXPECT_EQ(GetFocus(), second_edit);
}

TEST_F(EventsTest, WindowWithoutUnitsRaisesItsOwnFocusEvents) {
  RegisterForms({Bound({{forms::kEventFocusGained, 0}, {forms::kEventFocusLost, 1}}),
                 Bound({}, kSecondWindow, 420)});
  ASSERT_TRUE(Load());
  EXPECT_EQ(GetFocus(), HandleOf());
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{0}) << "once, not again by the show";
  ASSERT_TRUE(Load(kSecondWindow));
  EXPECT_EQ(CalledHandlers(), (std::vector<int32_t>{0, 1}));
}

TEST_F(EventsTest, MousePointersOfTheWindowAndItsUnits) {
  FormBuilder form;
  auto& own = form.Window(100, 80, 300, 200);
  own.properties = WindowRecord([](RecordValues& v) { v.SetInt(kStartPosition, kAsStored); });
  own.mouse_pointer = std::string("\x03\0\0\0", 4);  // I-beam
  // Buttons: a label's static control lets the mouse through to the window.
  auto& cross = form.Unit(0x16010001, kButtonType, "cross", 10, 10, 80, 40);
  cross.mouse_pointer = std::string("\x02\0\0\0", 4);
  form.Unit(0x16010002, kButtonType, "plain", 150, 10, 80, 40);
  RegisterForms({form.Build()});
  ASSERT_TRUE(Load());
  Pump();
  const auto pointer_at = [&](int x, int y) {
    POINT at{x, y};
    ClientToScreen(HandleOf(), &at);
    display_.MoveMouse(at.x, at.y);
    Pump();
    return display_.cursor();
  };
  EXPECT_EQ(pointer_at(20, 20), LoadCursorA(nullptr, IDC_CROSS));
  EXPECT_EQ(pointer_at(160, 20), LoadCursorA(nullptr, IDC_ARROW)) << "the class cursor";
  EXPECT_EQ(pointer_at(150, 150), LoadCursorA(nullptr, IDC_IBEAM)) << "the window's own";
}

}  // namespace
}  // namespace runtime::units::window_testing

namespace runtime::units::window_testing {
namespace {

using forms_testing::kSecondWindow;
using namespace window;

TEST_F(WindowTest, KeptTitleStaysDrawnActive) {
  const std::string keeps = WindowRecord([](forms::RecordValues& v) {
    v.SetInt(kStartPosition, kAsStored);
    v.SetInt(kKeepTitleActive, 1);
    v.SetText(kCaption, "Kept");
  });
  const std::string plain = WindowRecord([](forms::RecordValues& v) {
    v.SetInt(kStartPosition, kAsStored);
    v.SetText(kCaption, "Plain");
  });
  RegisterForms({OneWindow(keeps, 100, 80), OneWindow(plain, 100, 400, 320, 240, kSecondWindow)});
  ASSERT_TRUE(Load());
  ASSERT_TRUE(Load(kSecondWindow));
  Pump();
  RECT kept{}, other{};
  GetWindowRect(HandleOf(), &kept);
  GetWindowRect(HandleOf(kSecondWindow), &other);
  const uint32_t active_title = display_.ScreenPixel(other.left + 150, other.top + 8);
  SetActiveWindow(HandleOf());
  Pump();
  EXPECT_EQ(display_.ScreenPixel(kept.left + 150, kept.top + 8), active_title);
  const uint32_t inactive_title = display_.ScreenPixel(other.left + 150, other.top + 8);
  EXPECT_NE(inactive_title, active_title) << "an ordinary title shows it lost the activation";
  SetActiveWindow(HandleOf(kSecondWindow));
  Pump();
  EXPECT_EQ(display_.ScreenPixel(kept.left + 150, kept.top + 8), active_title)
      << "the kept title stays active";
}

}  // namespace
}  // namespace runtime::units::window_testing
