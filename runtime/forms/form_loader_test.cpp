// The form loader over the test library's unit types, on the headless
// display: what it creates, in which order, where, and what it leaves
// behind when a load fails or a window goes.
#include "runtime/forms/form_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "runtime/core/app_state.h"
#include "runtime/forms/framework_state.h"
#include "runtime/forms/loader_test_support.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/unit_record.h"
#include "runtime/forms/window_notices.h"

namespace runtime::forms_testing {
namespace {

using forms::LoadOptions;

constexpr uint32_t kWindowEntry = 0x06010000;
constexpr uint32_t kUnit1 = 0x16010001;
constexpr uint32_t kUnit2 = 0x16010002;
constexpr uint32_t kUnit3 = 0x16010003;
constexpr uint32_t kUnit4 = 0x16010004;
constexpr uint32_t kUnit5 = 0x16010005;
constexpr uint32_t kUnit6 = 0x16010006;
constexpr uint32_t kUnit7 = 0x16010007;

// The window and three boxes, with a menu item between the first two.
forms::WindowTemplate ThreeBoxes(uint32_t third_type = kBoxType) {
  FormBuilder form;
  form.Window();
  form.Unit(kUnit1, kBoxType, "one", 10, 10, 50, 20).flags =
      forms::kUnitVisible | forms::kUnitTabStop;
  form.MenuItem(0x26010001, "File", 0);
  form.Unit(kUnit2, kBoxType, "two", 10, 40, 50, 20).flags =
      forms::kUnitVisible | forms::kUnitDisabled;
  form.Unit(kUnit3, third_type, "three", 10, 70, 50, 20).flags =
      forms::kUnitVisible | forms::kUnitDisabled | forms::kUnitTabStop;
  return form.Build();
}

class FormLoaderTest : public LoaderTest {};

TEST_F(FormLoaderTest, WindowFirstThenUnitsFromTheLastEntryWithControlIdsInCreationOrder) {
  Register({ThreeBoxes(kHiddenType)});
  ASSERT_TRUE(Load());
  const auto& created = CreatedUnits();
  ASSERT_EQ(created.size(), 4u) << "the menu item is no unit";
  const std::vector<std::pair<uint32_t, int32_t>> expected = {
      {kWindowEntry, 0}, {kUnit3, 100}, {kUnit2, 110}, {kUnit1, 120}};
  for (size_t i = 0; i < created.size(); ++i) {
    EXPECT_EQ(std::make_pair(created[i].unit_id, created[i].control_id), expected[i]) << i;
    EXPECT_EQ(created[i].suppression, 1) << "units are created with events suspended";
  }
  EXPECT_EQ(App().event_suppression, 0);
  EXPECT_EQ(GetDlgCtrlID(UnitWindow(kMainWindow, kUnit1)), 120);

  auto style_of = [&](uint32_t id) {
    return static_cast<TestUnit*>(Window().LiveAt(Window().units.IndexOf(id)))->create_style;
  };
  EXPECT_EQ(style_of(kUnit1), static_cast<uint32_t>(WS_TABSTOP));
  EXPECT_EQ(style_of(kUnit2), static_cast<uint32_t>(WS_DISABLED));
  EXPECT_EQ(style_of(kUnit3), 0u) << "a unit without a visible window gets no style bits";
  EXPECT_FALSE(IsWindowVisible(UnitWindow(kMainWindow, kUnit3))) << "and is never shown";
  EXPECT_TRUE(IsWindowVisible(UnitWindow(kMainWindow, kUnit2)));
  EXPECT_TRUE(Window().loaded);
  EXPECT_TRUE(IsWindowVisible(Window().Window()));
}

// Units 1, 3, 4, 6, 7 sit on the window; 2 and 5 in the paged container 4,
// 5 on its second page.
forms::WindowTemplate NestedUnits() {
  FormBuilder form;
  form.Window();
  form.Unit(kUnit1, kBoxType, "one", 0, 0, 30, 30);
  form.Unit(kUnit2, kBoxType, "two", 0, 0, 30, 30).parent_id = kUnit4;
  form.Unit(kUnit3, kOtherType, "three", 0, 0, 30, 30);
  auto& pages = form.Unit(kUnit4, kPagedType, "pages", 40, 0, 100, 100);
  pages.children = {kUnit2, 0, kUnit5};
  form.Unit(kUnit5, kBoxType, "five", 0, 0, 30, 30).parent_id = kUnit4;
  form.Unit(kUnit6, kHiddenType, "six", 0, 0, 30, 30);
  form.Unit(kUnit7, kBoxType, "seven", 0, 0, 30, 30).flags = 0;
  return form.Build();
}

TEST_F(FormLoaderTest, UnitsGetTheirParentsTableOrderAsZOrderAndFirstPageVisibility) {
  Register({NestedUnits()});
  ASSERT_TRUE(Load());
  HWND window = Window().Window();
  HWND pages = UnitWindow(kMainWindow, kUnit4);
  EXPECT_EQ(GetParent(UnitWindow(kMainWindow, kUnit2)), pages);
  EXPECT_EQ(GetParent(UnitWindow(kMainWindow, kUnit5)), pages);
  EXPECT_EQ(GetParent(UnitWindow(kMainWindow, kUnit1)), window);

  std::vector<HWND> top_to_bottom;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    top_to_bottom.push_back(child);
  }
  const std::vector<HWND> expected = {
      UnitWindow(kMainWindow, kUnit1), UnitWindow(kMainWindow, kUnit3), pages,
      UnitWindow(kMainWindow, kUnit6), UnitWindow(kMainWindow, kUnit7)};
  EXPECT_EQ(top_to_bottom, expected);
  EXPECT_EQ(GetWindow(pages, GW_CHILD), UnitWindow(kMainWindow, kUnit2));

  EXPECT_TRUE(IsWindowVisible(UnitWindow(kMainWindow, kUnit2)));
  EXPECT_FALSE(IsWindowVisible(UnitWindow(kMainWindow, kUnit5))) << "second page";
  EXPECT_FALSE(IsWindowVisible(UnitWindow(kMainWindow, kUnit7))) << "stored invisible";
}

TEST_F(FormLoaderTest, PrivateNotificationsGoLastEntryFirstWithTheWindowLast) {
  Register({ThreeBoxes()});
  ASSERT_TRUE(Load());
  using Seen = std::pair<uint32_t, UINT>;
  const std::vector<Seen> expected = {
      {kUnit3, forms::kUnitsCreated},        {kUnit2, forms::kUnitsCreated},
      {kUnit1, forms::kUnitsCreated},        {kWindowEntry, forms::kUnitsCreated},
      {kWindowEntry, forms::kUnitsPlaced},   {kUnit3, forms::kWindowComplete},
      {kUnit2, forms::kWindowComplete},      {kUnit1, forms::kWindowComplete},
      {kWindowEntry, forms::kWindowComplete}};
  EXPECT_EQ(PrivateMessageLog(), expected);
}

// After a failed load nothing of it is left: no window, no slot, the table
// as in the template, events no longer suspended.
void ExpectNothingLeft(const forms::LoadedWindow& window,
                       const std::vector<uint8_t>& template_bytes) {
  for (const CreatedUnit& unit : CreatedUnits()) {
    EXPECT_TRUE(unit.destroyed) << std::hex << unit.unit_id;
  }
  for (const forms::UnitSlots& slot : window.slots) EXPECT_EQ(slot.live, nullptr);
  EXPECT_FALSE(window.loaded);
  EXPECT_EQ(window.units.bytes(), template_bytes);
  EXPECT_EQ(App().event_suppression, 0);
}

TEST_F(FormLoaderTest, AUnitThatCannotBeCreatedEndsTheLoadAndTakesDownWhatWasMade) {
  Register({ThreeBoxes()});
  const std::vector<uint8_t> template_bytes = Window().units.bytes();
  FailingUnits() = {kUnit2};
  EXPECT_FALSE(Load());
  ASSERT_EQ(CreatedUnits().size(), 2u) << "window and unit 3 were made before unit 2 failed";
  ExpectNothingLeft(Window(), template_bytes);

  FailingUnits().clear();
  EXPECT_TRUE(Load()) << "a later load starts afresh";
  EXPECT_NE(UnitWindow(kMainWindow, kUnit1), nullptr);
}

TEST_F(FormLoaderTest, AUnitOfAMissingTypeFailsTheLoad) {
  Register({ThreeBoxes(kMissingType)});
  const std::vector<uint8_t> template_bytes = Window().units.bytes();
  EXPECT_FALSE(Load());
  ASSERT_EQ(CreatedUnits().size(), 1u);
  ExpectNothingLeft(Window(), template_bytes);
}

TEST_F(FormLoaderTest, AnOwnerThatIsNoWindowFailsTheLoadBeforeAnythingIsMade) {
  Register({ThreeBoxes()});
  LoadOptions options;
  options.owner = reinterpret_cast<HWND>(uintptr_t{0x7FF0});
  EXPECT_FALSE(Load(kMainWindow, options));
  EXPECT_TRUE(CreatedUnits().empty());
  options.owner_less = true;  // which ignores the owner
  EXPECT_TRUE(Load(kMainWindow, options));
}

TEST_F(FormLoaderTest, LoadingALiveWindowRestoresOrActivatesItInsteadOfBuildingItAgain) {
  Register({ThreeBoxes(), PlainWindow(kSecondWindow, 300)});
  ASSERT_TRUE(Load());
  ASSERT_TRUE(Load(kSecondWindow));
  const size_t made = CreatedUnits().size();
  HWND main = Window().Window();
  EXPECT_NE(GetActiveWindow(), main);
  EXPECT_TRUE(Load());
  EXPECT_EQ(GetActiveWindow(), main);
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(main));
  EXPECT_TRUE(Load());
  EXPECT_FALSE(IsIconic(main));
  EXPECT_EQ(CreatedUnits().size(), made);
  EXPECT_EQ(Window().Window(), main);
}

TEST_F(FormLoaderTest, AWindowBeingClosedIsToldAndEndedBeforeItIsBuiltAgain) {
  Register({ThreeBoxes()});
  ASSERT_TRUE(Load());
  Window().being_closed = true;
  ASSERT_TRUE(Load());
  ASSERT_EQ(CreatedUnits().size(), 8u);
  for (size_t i = 0; i < 4; ++i) EXPECT_TRUE(CreatedUnits()[i].destroyed) << i;
  EXPECT_NE(std::find(PrivateMessageLog().begin(), PrivateMessageLog().end(),
                      std::make_pair(kWindowEntry, forms::kReloadWhileClosing)),
            PrivateMessageLog().end());
  EXPECT_TRUE(IsWindow(Window().Window()));
  EXPECT_FALSE(Window().being_closed);
}

TEST_F(FormLoaderTest, AnOwnerlessWindowDisablesTheOthersUntilItIsDestroyed) {
  Register(
      {PlainWindow(kMainWindow), PlainWindow(kSecondWindow, 300), PlainWindow(kThirdWindow, 500)});
  ASSERT_TRUE(Load(kMainWindow));
  ASSERT_TRUE(Load(kThirdWindow));
  HWND main = Window(kMainWindow).Window();
  HWND third = Window(kThirdWindow).Window();
  EnableWindow(third, FALSE);
  LoadOptions options;
  options.owner_less = true;
  ASSERT_TRUE(Load(kSecondWindow, options));
  EXPECT_FALSE(IsWindowEnabled(main));
  EXPECT_FALSE(IsWindowEnabled(third));
  EXPECT_TRUE(IsWindowEnabled(Window(kSecondWindow).Window()));

  DestroyWindow(Window(kSecondWindow).Window());
  EXPECT_TRUE(IsWindowEnabled(main));
  EXPECT_FALSE(IsWindowEnabled(third)) << "it was disabled before";
  EXPECT_TRUE(Window(kSecondWindow).disabled_windows.empty());
}

TEST_F(FormLoaderTest, ADestroyedWindowForgetsEveryChangeAndLoadsFromTheTemplateAgain) {
  Register({ThreeBoxes()});
  const std::vector<uint8_t> template_bytes = Window().units.bytes();
  ASSERT_TRUE(Load());
  forms::LoadedWindow& window = Window();
  const int32_t index = window.units.IndexOf(kUnit1);
  const auto layout = forms::LocateUnitFields(window.units.RecordAt(index));
  ASSERT_TRUE(layout.has_value());
  forms::SetRecordWord(window.units.RecordAt(index), layout->left, 77);
  const uint8_t tag[] = {'n', 'e', 'w', 0};
  ASSERT_TRUE(window.units.Rewrite(index, layout->tag, layout->tag_length, tag));
  ASSERT_NE(window.units.bytes(), template_bytes);

  DestroyWindow(window.Window());
  EXPECT_EQ(window.units.bytes(), template_bytes);
  EXPECT_EQ(window.saved_units.Count(), 0);
  EXPECT_FALSE(window.loaded);
  for (const forms::UnitSlots& slot : window.slots) EXPECT_EQ(slot.live, nullptr);

  ASSERT_TRUE(Load());
  RECT rect{};
  GetWindowRect(UnitWindow(kMainWindow, kUnit1), &rect);
  POINT corner{rect.left, rect.top};
  ScreenToClient(window.Window(), &corner);
  EXPECT_EQ(corner.x, 10) << "the template's left, not the 77 written while it lived";
}

TEST_F(FormLoaderTest, ADestroyedUnitLosesItsSlotUnlessItIsBeingRecreated) {
  Register({ThreeBoxes()});
  ASSERT_TRUE(Load());
  forms::LoadedWindow& window = Window();
  const size_t index2 = static_cast<size_t>(window.units.IndexOf(kUnit2));
  DestroyWindow(UnitWindow(kMainWindow, kUnit2));
  EXPECT_EQ(window.slots[index2].live, nullptr);
  EXPECT_NE(UnitWindow(kMainWindow, kUnit1), nullptr);
  EXPECT_TRUE(window.loaded);

  const size_t index3 = static_cast<size_t>(window.units.IndexOf(kUnit3));
  forms::UnitObject* kept = window.slots[index3].live;
  {
    forms::RecreationGuard guard;
    DestroyWindow(kept->window);
    EXPECT_EQ(window.slots[index3].live, kept) << "the re-creation owns the slot";
  }
  window.slots[index3].live = nullptr;            // its object is gone with the window
  forms::NoteDestroyed(kMainWindow, 0x16019999);  // an unknown unit changes nothing
  EXPECT_TRUE(window.loaded);
}

TEST_F(FormLoaderTest, ClosingOneOfTwoWindowsKeepsTheLoopGoingAndTheLastEndsIt) {
  Register({PlainWindow(kMainWindow), PlainWindow(kSecondWindow, 300)});
  ASSERT_TRUE(Load(kMainWindow));
  ASSERT_TRUE(Load(kSecondWindow));
  DestroyWindow(Window(kSecondWindow).Window());
  EXPECT_FALSE(TakeQuit()) << "the loop has not started";
  ASSERT_TRUE(Load(kSecondWindow));

  App().message_loop_running = true;
  DestroyWindow(Window(kMainWindow).Window());
  EXPECT_FALSE(TakeQuit());
  DestroyWindow(Window(kSecondWindow).Window());
  EXPECT_TRUE(TakeQuit());
}

// Window entry bindings: event 0 to handler 0, 3 to 1, 4 to 2.
forms::WindowTemplate WindowWithLoadEvents(uint32_t window_flags = forms::kUnitVisible) {
  FormBuilder form;
  auto& own = form.Window();
  own.flags = window_flags;
  own.bindings = {{0, 0}, {3, 1}, {4, 2}};
  form.Unit(kUnit1, kBoxType, "one", 10, 10, 50, 20);
  return form.Build();
}

TEST_F(FormLoaderTest, WindowEventsZeroThreeFourFollowCreationThenTheWindowIsShown) {
  Register({WindowWithLoadEvents()});
  std::vector<bool> visible_during;
  for (int32_t h = 0; h < 3; ++h) {
    HandlerActions()[h] = [&] { visible_during.push_back(IsWindowVisible(Window().Window())); };
  }
  void* shown_by_routine = nullptr;
  WindowShowRoutine() = [&](void* unit) {
    shown_by_routine = unit;
    ShowWindow(static_cast<forms::UnitObject*>(unit)->window, SW_SHOWNORMAL);
  };
  ASSERT_TRUE(Load());
  std::vector<int32_t> order;
  for (const HandlerCall& call : HandlerCalls()) order.push_back(call.position);
  EXPECT_EQ(order, (std::vector<int32_t>{0, 1, 2}));
  EXPECT_EQ(visible_during, (std::vector<bool>{false, false, false}));
  EXPECT_EQ(shown_by_routine, Window().WindowObject()) << "the type's show routine shows it";
  EXPECT_TRUE(IsWindowVisible(Window().Window()));
}

TEST_F(FormLoaderTest, AWindowStoredInvisibleIsNotShown) {
  Register({WindowWithLoadEvents(0)});
  ASSERT_TRUE(Load());
  EXPECT_FALSE(IsWindowVisible(Window().Window()));
  EXPECT_TRUE(Window().loaded);
}

TEST_F(FormLoaderTest, AWindowThatClosesInItsFirstEventEndsTheLoadQuietly) {
  Register({WindowWithLoadEvents()});
  HandlerActions()[0] = [] { DestroyWindow(Window().Window()); };
  EXPECT_TRUE(Load()) << "the load itself succeeded";
  ASSERT_EQ(HandlerCalls().size(), 1u) << "events 3 and 4 need the window";
  EXPECT_FALSE(Window().loaded);
  EXPECT_EQ(Window().Window(), nullptr);
  for (const auto& seen : PrivateMessageLog()) {
    EXPECT_NE(seen.second, forms::kWindowComplete) << "the window is gone before it is complete";
  }
}

}  // namespace
}  // namespace runtime::forms_testing
