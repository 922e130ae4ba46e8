// Re-creating units after a set handler's recreate request: the new unit
// takes the old one's place in every respect, with events suspended.
#include "runtime/forms/unit_recreation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "runtime/core/app_state.h"
#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/forms/common_properties.h"
#include "runtime/forms/loader_test_support.h"
#include "runtime/forms/property_access.h"
#include "runtime/forms/property_conversion.h"
#include "runtime/forms/unit_record.h"

namespace runtime::forms_testing {
namespace {

constexpr uint32_t kFirst = 0x16010001;
constexpr uint32_t kSecond = 0x16010002;
constexpr uint32_t kThird = 0x16010003;
constexpr uint32_t kMover = 0x16010004;
constexpr uint32_t kInside = 0x16010005;

// Three boxes side by side, a container holding a fourth box.
forms::WindowTemplate Form() {
  FormBuilder form;
  form.Window(50, 50, 400, 300);
  form.Unit(kFirst, kBoxType, "first", 10, 10, 50, 20);
  form.Unit(kSecond, kBoxType, "second", 70, 10, 50, 20).properties = BoxRecord(3, "two");
  form.Unit(kThird, kBoxType, "third", 130, 10, 50, 20);
  auto& mover = form.Unit(kMover, kMoverType, "mover", 10, 100, 200, 100);
  mover.children = {kInside};
  form.Unit(kInside, kBoxType, "inside", 5, 5, 20, 20).parent_id = kMover;
  return form.Build();
}

void Rebuild(uint32_t unit, int32_t value) {
  forms::WriteProperty(kMainWindow, unit, kBoxRebuild, -1, static_cast<uint32_t>(value), 0);
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

std::vector<UINT> PrivateMessagesOf(uint32_t unit) {
  std::vector<UINT> messages;
  for (const auto& [id, message] : PrivateMessageLog()) {
    if (id == unit) messages.push_back(message);
  }
  return messages;
}

class UnitRecreationTest : public LoaderTest {
 protected:
  void SetUp() override {
    Register({Form()});
    ASSERT_TRUE(Load());
    PrivateMessageLog().clear();
  }
  HWND Unit(uint32_t id) { return UnitWindow(kMainWindow, id); }
  TestUnit& Object(uint32_t id) {
    return *static_cast<TestUnit*>(Window().LiveAt(Window().units.IndexOf(id)));
  }
};

TEST_F(UnitRecreationTest, TheNewUnitTakesTheOldOnesPlace) {
  HWND old = Unit(kSecond);
  SetFocus(old);
  SetWindowPos(old, nullptr, 75, 15, 55, 25, SWP_NOZORDER | SWP_NOACTIVATE);
  const int control_id = GetDlgCtrlID(old);
  const std::vector<HWND> before = Children(Window().Window());
  const auto place = std::find(before.begin(), before.end(), old) - before.begin();

  Rebuild(kSecond, 42);

  HWND fresh = Unit(kSecond);
  ASSERT_NE(fresh, nullptr);
  EXPECT_NE(fresh, old);
  EXPECT_FALSE(IsWindow(old)) << "the old unit is destroyed";
  EXPECT_EQ(Object(kSecond).creations, 2);
  EXPECT_EQ(Object(kSecond).number, 42) << "made from the properties the old one saved";
  EXPECT_EQ(Object(kSecond).text, "two");
  EXPECT_EQ(GetDlgCtrlID(fresh), control_id);
  const forms::Placement placement = forms::LivePlacement(fresh);
  EXPECT_EQ(placement.left, 75);
  EXPECT_EQ(placement.top, 15);
  EXPECT_EQ(placement.width, 55);
  EXPECT_EQ(placement.height, 25);
  const std::vector<HWND> after = Children(Window().Window());
  ASSERT_EQ(after.size(), before.size());
  EXPECT_EQ(after[static_cast<size_t>(place)], fresh) << "the same Z-order place";
  EXPECT_TRUE(IsWindowVisible(fresh));
  EXPECT_EQ(GetFocus(), fresh) << "the focus moves on to the new unit";
  EXPECT_EQ(PrivateMessagesOf(kSecond), (std::vector<UINT>{0x806F, 0x8076}));
  EXPECT_EQ(CreatedUnits().back().suppression, 1) << "created while events are suspended";
  EXPECT_EQ(App().event_suppression, 0);
  EXPECT_EQ(forms::ReadProperty(kMainWindow, kSecond, kBoxNumber, -1), 42u);
}

TEST_F(UnitRecreationTest, StateCarriesOverAndTheCursorStays) {
  const int32_t index = Window().units.IndexOf(kFirst);
  void* cross = MakeByteSet("\x02\x00\x00\x00", 4);
  forms::WriteProperty(kMainWindow, kFirst, forms::kPropertyMousePointer, -1,
                       static_cast<uint32_t>(forms::PointerValue(cross)),
                       static_cast<uint32_t>(forms::PointerValue(cross) >> 32));
  MemFree(cross);
  forms::WriteProperty(kMainWindow, kFirst, forms::kPropertyDisabled, -1, 1, 0);
  forms::WriteProperty(kMainWindow, kFirst, forms::kPropertyVisible, -1, 0, 0);
  Rebuild(kFirst, 1);
  HWND fresh = Unit(kFirst);
  EXPECT_EQ(Object(kFirst).creations, 2);
  EXPECT_EQ(Object(kFirst).create_style & WS_DISABLED, static_cast<uint32_t>(WS_DISABLED));
  EXPECT_FALSE(IsWindowEnabled(fresh));
  EXPECT_FALSE(IsWindowVisible(fresh)) << "a hidden unit stays hidden";
  EXPECT_EQ(Window().slots[static_cast<size_t>(index)].cursor, LoadCursorA(nullptr, IDC_CROSS))
      << "the old unit's destroy notice was ignored";
}

TEST_F(UnitRecreationTest, AContainerTakesItsChildrenAlongAndTellsItsParent) {
  HWND old = Unit(kMover);
  HWND inside = Unit(kInside);
  ASSERT_EQ(GetParent(inside), old);
  Rebuild(kMover, 1);
  HWND fresh = Unit(kMover);
  EXPECT_NE(fresh, old);
  EXPECT_TRUE(IsWindow(inside)) << "the child outlives its old container";
  EXPECT_EQ(GetParent(inside), fresh);
  EXPECT_EQ(Unit(kInside), inside);
  EXPECT_EQ(PrivateMessagesOf(kMover), (std::vector<UINT>{0x806F, 0x8076}));
  EXPECT_EQ(PrivateMessagesOf(0x06010000), (std::vector<UINT>{0x8004}));
}

TEST_F(UnitRecreationTest, TheWindowIsNeverRecreated) {
  HWND own = Window().Window();
  EXPECT_FALSE(forms::RecreateUnit(Window(), 0));
  EXPECT_EQ(Window().Window(), own);
  EXPECT_TRUE(IsWindow(own));
}

TEST_F(UnitRecreationTest, AFailedCreationKeepsTheOldUnit) {
  HWND old = Unit(kThird);
  FailingUnits().push_back(kThird);
  Rebuild(kThird, 1);
  EXPECT_EQ(Unit(kThird), old);
  EXPECT_TRUE(IsWindow(old));
  EXPECT_EQ(forms::ReadProperty(kMainWindow, kThird, kBoxNumber, -1), 1u);
}

}  // namespace
}  // namespace runtime::forms_testing
