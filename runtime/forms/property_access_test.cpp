// Reading and writing properties by number through ReadProperty and
// WriteProperty, over windows the form loader made live from the test
// library's unit types.
#include "runtime/forms/property_access.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/core/value.h"
#include "runtime/forms/common_properties.h"
#include "runtime/forms/loader_test_support.h"
#include "runtime/forms/property_conversion.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/unit_record.h"

namespace runtime::forms_testing {
namespace {

using forms::JoinWords;
using forms::PointerValue;
using forms::ValuePointer;

constexpr uint32_t kOwn = 0x06010000;
constexpr uint32_t kFirst = 0x16010001;
constexpr uint32_t kSecond = 0x16010002;
constexpr uint32_t kHidden = 0x16010003;
constexpr uint32_t kMenu = 0x26010004;
constexpr const char* kSongTi = "\xCB\xCE\xCC\xE5";  // 宋体

uint64_t Read(uint32_t unit, int32_t index, int32_t sub_index = -1) {
  return forms::ReadProperty(kMainWindow, unit, index, sub_index);
}
int32_t ReadInt(uint32_t unit, int32_t index, int32_t sub_index = -1) {
  return static_cast<int32_t>(static_cast<uint32_t>(Read(unit, index, sub_index)));
}
void Write(uint32_t unit, int32_t index, uint64_t value, int32_t sub_index = -1) {
  forms::WriteProperty(kMainWindow, unit, index, sub_index, static_cast<uint32_t>(value),
                       static_cast<uint32_t>(value >> 32));
}
void WriteInt(uint32_t unit, int32_t index, int32_t value, int32_t sub_index = -1) {
  Write(unit, index, static_cast<uint32_t>(value), sub_index);
}
std::string ReadText(uint32_t unit, int32_t index, int32_t sub_index = -1) {
  auto* text = static_cast<char*>(const_cast<void*>(ValuePointer(Read(unit, index, sub_index))));
  std::string copy = text != nullptr ? text : "";
  MemFree(text);
  return copy;
}
std::string ReadBytes(uint32_t unit, int32_t index) {
  void* set = const_cast<void*>(ValuePointer(Read(unit, index)));
  auto bytes = ByteSetBytes(set);
  std::string copy(bytes.begin(), bytes.end());
  MemFree(set);
  return copy;
}

// The window (50, 50, 400, 300); two boxes, a unit without a visible window
// and a menu item.
forms::WindowTemplate Form() {
  FormBuilder form;
  form.Window(50, 50, 400, 300);
  form.Unit(kFirst, kBoxType, "first", 10, 20, 100, 30).tag = "one";
  form.Unit(kSecond, kBoxType, "second", 10, 60, 100, 30).properties = BoxRecord(7, "box");
  form.Unit(kHidden, kHiddenType, "hidden", 0, 0, 10, 10).tag = "three";
  form.MenuItem(kMenu, "File", 0).flags = forms::kMenuChecked;
  return form.Build();
}

class PropertyAccessTest : public LoaderTest {
 protected:
  void SetUp() override { Register({Form()}); }
  HWND Unit(uint32_t id) { return UnitWindow(kMainWindow, id); }
  TestUnit& Object(uint32_t id) {
    return *static_cast<TestUnit*>(Window().LiveAt(Window().units.IndexOf(id)));
  }
  // A word of unit `id`'s record in the working table.
  int32_t RecordField(uint32_t id, size_t forms::UnitRecordLayout::*field) {
    auto record = Window().units.RecordAt(Window().units.IndexOf(id));
    auto layout = forms::LocateUnitFields(record);
    EXPECT_TRUE(layout.has_value());
    return layout ? static_cast<int32_t>(forms::RecordWord(record, (*layout).*field)) : 0;
  }
};

TEST_F(PropertyAccessTest, GeometryIsClampedToPlusMinus32627) {
  // Before the window is loaded only the record changes.
  WriteInt(kOwn, forms::kPropertyLeft, -40000);
  WriteInt(kOwn, forms::kPropertyTop, 40000);
  WriteInt(kOwn, forms::kPropertyWidth, 40000);
  WriteInt(kOwn, forms::kPropertyHeight, -1);
  EXPECT_EQ(ReadInt(kOwn, forms::kPropertyLeft), -32627);
  EXPECT_EQ(ReadInt(kOwn, forms::kPropertyTop), 32627);
  EXPECT_EQ(ReadInt(kOwn, forms::kPropertyWidth), 32627);
  EXPECT_EQ(ReadInt(kOwn, forms::kPropertyHeight), 0);

  WriteInt(kOwn, forms::kPropertyWidth, 300);
  WriteInt(kOwn, forms::kPropertyHeight, 200);
  ASSERT_TRUE(Load());
  WriteInt(kFirst, forms::kPropertyWidth, 40000);
  WriteInt(kFirst, forms::kPropertyLeft, -40000);
  EXPECT_EQ(RecordField(kFirst, &forms::UnitRecordLayout::width), 32627);
  EXPECT_EQ(RecordField(kFirst, &forms::UnitRecordLayout::left), -32627);
  RECT rect{};
  GetWindowRect(Unit(kFirst), &rect);
  EXPECT_EQ(rect.right - rect.left, 32627) << "the live window follows";
  EXPECT_EQ(ReadInt(kFirst, forms::kPropertyLeft), -32627);
  EXPECT_EQ(ReadInt(kFirst, forms::kPropertyTop), 20) << "moving keeps the other coordinate";
  EXPECT_EQ(ReadInt(kFirst, forms::kPropertyHeight), 30) << "and resizing the other size";
}

TEST_F(PropertyAccessTest, LiveGeometryWhileTheWindowLivesTemplateValuesAfterItCloses) {
  ASSERT_TRUE(Load());
  EXPECT_EQ(ReadInt(kOwn, forms::kPropertyLeft), 50) << "the window's place is on the screen";
  EXPECT_EQ(ReadInt(kFirst, forms::kPropertyLeft), 10) << "a unit's in its parent's client area";
  SetWindowPos(Unit(kFirst), nullptr, 77, 88, 120, 40, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(ReadInt(kFirst, forms::kPropertyLeft), 77);
  EXPECT_EQ(ReadInt(kFirst, forms::kPropertyTop), 88);
  EXPECT_EQ(ReadInt(kFirst, forms::kPropertyWidth), 120);
  EXPECT_EQ(ReadInt(kFirst, forms::kPropertyHeight), 40);
  WriteInt(kSecond, forms::kPropertyTop, 99);
  EXPECT_EQ(ReadInt(kSecond, forms::kPropertyTop), 99);

  DestroyWindow(Window().Window());
  EXPECT_EQ(ReadInt(kFirst, forms::kPropertyLeft), 10) << "the template's values are back";
  EXPECT_EQ(ReadInt(kFirst, forms::kPropertyWidth), 100);
  EXPECT_EQ(ReadInt(kSecond, forms::kPropertyTop), 60) << "writes while it lived are forgotten";
  ASSERT_TRUE(Load());
  EXPECT_EQ(ReadInt(kSecond, forms::kPropertyTop), 60);
}

TEST_F(PropertyAccessTest, ALongerTagMovesLaterRecordsAndKeepsThemReadable) {
  ASSERT_TRUE(Load());
  EXPECT_EQ(ReadText(kFirst, forms::kPropertyTag), "one");
  const std::string tag(300, 'x');
  Write(kFirst, forms::kPropertyTag, PointerValue(tag.c_str()));
  EXPECT_EQ(ReadText(kFirst, forms::kPropertyTag), tag);
  for (int32_t i = 0; i < Window().units.Count(); ++i) {
    EXPECT_TRUE(forms::IsReadableRecord(Window().units.RecordAt(i))) << i;
  }
  EXPECT_EQ(ReadText(kHidden, forms::kPropertyTag), "three");
  EXPECT_EQ(ReadText(kMenu, 0), "File");
  EXPECT_EQ(ReadInt(kSecond, kBoxNumber), 7) << "the unit's own properties still answer";
  WriteInt(kHidden, forms::kPropertyDisabled, 1);
  EXPECT_EQ(ReadInt(kHidden, forms::kPropertyDisabled), 1) << "a later record can be written";

  Write(kFirst, forms::kPropertyTag, 0);
  EXPECT_EQ(Read(kFirst, forms::kPropertyTag), 0u) << "null becomes the empty tag";
  EXPECT_TRUE(forms::IsReadableRecord(Window().units.RecordAt(1)));
}

TEST_F(PropertyAccessTest, VisibleAndDisabledReachTheWindowButNeverShowAWindowlessUnit) {
  WriteInt(kFirst, forms::kPropertyVisible, 0);
  EXPECT_EQ(ReadInt(kFirst, forms::kPropertyVisible), 0) << "from the record";
  ASSERT_TRUE(Load());
  EXPECT_FALSE(IsWindowVisible(Unit(kFirst))) << "the loader reads the record";
  WriteInt(kFirst, forms::kPropertyVisible, 5);
  EXPECT_TRUE(IsWindowVisible(Unit(kFirst)));
  EXPECT_EQ(ReadInt(kFirst, forms::kPropertyVisible), 1);
  WriteInt(kSecond, forms::kPropertyVisible, 0);
  EXPECT_FALSE(IsWindowVisible(Unit(kSecond)));

  WriteInt(kHidden, forms::kPropertyVisible, 1);
  EXPECT_FALSE(IsWindowVisible(Unit(kHidden)));
  EXPECT_EQ(ReadInt(kHidden, forms::kPropertyVisible), 0) << "the live window answers";

  WriteInt(kSecond, forms::kPropertyDisabled, 1);
  EXPECT_FALSE(IsWindowEnabled(Unit(kSecond)));
  EXPECT_EQ(ReadInt(kSecond, forms::kPropertyDisabled), 1);
  EnableWindow(Unit(kSecond), TRUE);
  EXPECT_EQ(ReadInt(kSecond, forms::kPropertyDisabled), 0) << "the live state, not the record";

  WriteInt(kOwn, forms::kPropertyVisible, 0);
  EXPECT_FALSE(IsWindowVisible(Window().Window()));
  int shown = 0;
  WindowShowRoutine() = [&](void* unit) {
    ++shown;
    ShowWindow(static_cast<TestUnit*>(unit)->window, SW_SHOW);
  };
  WriteInt(kOwn, forms::kPropertyVisible, 1);
  EXPECT_EQ(shown, 1) << "the window shows through its type's show routine";
  EXPECT_TRUE(IsWindowVisible(Window().Window()));
}

TEST_F(PropertyAccessTest, MousePointersAreKeptAsHandleNumbersAndMadeIntoCursors) {
  ASSERT_TRUE(Load());
  const int32_t index = Window().units.IndexOf(kFirst);
  void* cross = MakeByteSet("\x02\x00\x00\x00", 4);
  Write(kFirst, forms::kPropertyMousePointer, PointerValue(cross));
  MemFree(cross);
  EXPECT_EQ(Window().slots[static_cast<size_t>(index)].cursor, LoadCursorA(nullptr, IDC_CROSS));
  EXPECT_EQ(ReadBytes(kFirst, forms::kPropertyMousePointer), std::string("\x02\0\0\0", 4));
  auto record = Window().units.RecordAt(index);
  auto layout = forms::LocateUnitFields(record);
  ASSERT_TRUE(layout.has_value());
  EXPECT_EQ(forms::RecordWord(record, layout->pointer_data), 32515u) << "IDC_CROSS";

  void* none = MakeByteSet("\x00\x00\x00\x00\x00\x00", 6);
  Write(kFirst, forms::kPropertyMousePointer, PointerValue(none));
  MemFree(none);
  EXPECT_EQ(Window().slots[static_cast<size_t>(index)].cursor, nullptr);
  EXPECT_EQ(ReadBytes(kFirst, forms::kPropertyMousePointer), std::string(6, '\0'));
  EXPECT_EQ(ReadText(kFirst, forms::kPropertyTag), "one") << "the tag after the longer data";
}

TEST_F(PropertyAccessTest, OwnPropertiesCrossByTheirTypeCodes) {
  ASSERT_TRUE(Load());
  TestUnit& box = Object(kSecond);
  EXPECT_EQ(ReadInt(kSecond, kBoxNumber), 7);
  WriteInt(kSecond, kBoxNumber, -9);
  EXPECT_EQ(box.number, -9);
  WriteInt(kSecond, kBoxChoice, -3);
  EXPECT_EQ(box.pair_first, 0u) << "a negative choice is stored as 0";
  WriteInt(kSecond, kBoxFlag, 5);
  EXPECT_EQ(box.pair_first, 1u);
  EXPECT_EQ(ReadInt(kSecond, kBoxFlag), 1);

  EXPECT_EQ(ReadText(kSecond, kBoxText), "box");
  Write(kSecond, kBoxText, PointerValue("new"));
  EXPECT_EQ(box.text, "new");
  Write(kSecond, kBoxText, 0);
  EXPECT_EQ(box.text, "");

  void* bytes = MakeByteSet("\x01\x02\x03", 3);
  Write(kSecond, kBoxBytes, PointerValue(bytes));
  MemFree(bytes);
  EXPECT_EQ(box.bytes, "\x01\x02\x03");
  EXPECT_EQ(ReadBytes(kSecond, kBoxBytes), "\x01\x02\x03");
  Write(kSecond, kBoxBytes, 0);
  EXPECT_EQ(Read(kSecond, kBoxBytes), 0u);

  Write(kSecond, kBoxLong, 0x123456789ABCDEF0ull);
  EXPECT_EQ(box.long_value, 0x123456789ABCDEF0ll);
  EXPECT_EQ(Read(kSecond, kBoxLong), 0x123456789ABCDEF0ull);
  WriteInt(kSecond, kBoxColour, 0x00FF8040);
  EXPECT_EQ(ReadInt(kSecond, kBoxColour), 0x00FF8040);
  EXPECT_EQ(Read(kSecond, kBoxPropertyEnd), 0u) << "a property the type does not have";
}

TEST_F(PropertyAccessTest, FontFieldsAndWholeFonts) {
  ASSERT_TRUE(Load());
  TestUnit& box = Object(kFirst);
  EXPECT_EQ(ReadInt(kFirst, kBoxFont, 5), 9) << "the default GUI font stands in";
  EXPECT_EQ(ReadText(kFirst, kBoxFont, 6), kSongTi);
  Write(kFirst, kBoxFont, PointerValue(""), 6);
  ASSERT_EQ(box.font.size(), 60u);
  EXPECT_STREQ(reinterpret_cast<LOGFONTA*>(box.font.data())->lfFaceName, kSongTi);
  WriteInt(kFirst, kBoxFont, 14, 5);
  WriteInt(kFirst, kBoxFont, 1, 1);
  EXPECT_EQ(ReadInt(kFirst, kBoxFont, 5), 14);
  EXPECT_EQ(ReadInt(kFirst, kBoxFont, 1), 1);
  EXPECT_EQ(ReadText(kFirst, kBoxFont, 6), kSongTi) << "one field changes, the others stay";

  char face[] = "Arial";
  FontValue whole{900, 0, 1, 0, 1, 20, face};
  Write(kFirst, kBoxFont, PointerValue(&whole));
  auto* read = static_cast<FontValue*>(const_cast<void*>(ValuePointer(Read(kFirst, kBoxFont))));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->angle, 900);
  EXPECT_EQ(read->bold, 0);
  EXPECT_EQ(read->italic, 1);
  EXPECT_EQ(read->underline, 1);
  EXPECT_EQ(read->size, 20);
  EXPECT_STREQ(read->face_name, "Arial");
  MemFree(read->face_name);
  MemFree(read);
}

TEST_F(PropertyAccessTest, MenuItemsCaptionAndStateFlags) {
  auto item_flags = [&] {
    auto record = Window().units.RecordAt(Window().units.IndexOf(kMenu));
    return forms::RecordWord(record, forms::LocateMenuItemFields(record)->flags);
  };
  EXPECT_EQ(ReadText(kMenu, 0), "File");
  EXPECT_EQ(ReadInt(kMenu, 1), 1) << "checked";
  EXPECT_EQ(ReadInt(kMenu, 2), 0) << "disabled";
  EXPECT_EQ(ReadInt(kMenu, 3), 1) << "visible: the hidden bit clear";
  Write(kMenu, 0, PointerValue("A longer caption"));
  EXPECT_EQ(ReadText(kMenu, 0), "A longer caption");
  EXPECT_EQ(ReadText(kHidden, forms::kPropertyTag), "three");
  WriteInt(kMenu, 1, 0);
  WriteInt(kMenu, 2, 7);
  WriteInt(kMenu, 3, 0);
  EXPECT_EQ(item_flags(), forms::kMenuDisabled | forms::kMenuHidden);
  EXPECT_EQ(ReadInt(kMenu, 3), 0);
  EXPECT_EQ(ReadInt(kMenu, 9), 0) << "menu items have four properties";
}

using PropertyAccessDeathTest = PropertyAccessTest;

TEST_F(PropertyAccessDeathTest, MisuseIsARunTimeError) {
  EXPECT_EXIT(forms::ReadProperty(0x52010099, kFirst, 0, -1), testing::ExitedWithCode(255),
              "未载入欲访问窗口组件所在的窗口");
  EXPECT_EXIT(Read(kSecond, kBoxNumber), testing::ExitedWithCode(255), "指定窗口尚未载入");
  EXPECT_EXIT(WriteInt(kSecond, kBoxNumber, 1), testing::ExitedWithCode(255), "指定窗口尚未载入");
  EXPECT_EXIT(Read(0x16010077, 0), testing::ExitedWithCode(255),
              "指定窗口或窗口组件不存在或尚未载入");
}

}  // namespace
}  // namespace runtime::forms_testing
