// The combo box loaded through the form loader on the headless display.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/forms/property_access.h"
#include "runtime/forms/property_conversion.h"
#include "runtime/forms/unit_record.h"
#include "runtime/units/combobox/combobox_schema.h"
#include "runtime/units/combobox/combobox_type.h"
#include "runtime/units/combobox/combobox_unit.h"
#include "runtime/units/window/window_test_support.h"

namespace runtime::units {
namespace {

using forms_testing::kMainWindow;

constexpr uint32_t kComboId = 0x1601001E;
constexpr uint32_t kComboType = 0x0001000E;

enum Index : int32_t { kStyle = 8, kText = 9, kListIndex = 19, kItems = 20 };

std::string Int32Bytes(std::initializer_list<uint32_t> values) {
  std::string out;
  for (uint32_t v : values) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(v >> shift));
  }
  return out;
}

// The editor's extension box: drop-down, sorted, ".jpg" chosen.
forms::RecordValues EditorRecord() {
  forms::RecordValues record(ComboBoxSchema());
  record.SetInt(combobox::kSorted, 1);
  record.SetItems(combobox::kItems, {".bmp", ".png", ".jpg"});
  record.SetText(combobox::kItemData, Int32Bytes({7}));
  record.SetInt(combobox::kListIndex, 1);
  record.SetText(combobox::kContent, ".jpg");
  return record;
}

class ComboBoxTest : public window_testing::WindowTest {
 protected:
  HWND LoadCombo(const forms::RecordValues& record,
                 std::vector<forms::EventBinding> bindings = {}) {
    forms_testing::FormBuilder form(kMainWindow);
    form.Window(100, 80, 320, 240).properties = window_testing::WindowRecord();
    forms::UnitRecordFields& combo =
        form.Unit(kComboId, kComboType, "\xD7\xE9\xBA\xCF\xBF\xF2\x31", 20, 20, 120, 20);
    combo.properties = forms::WriteRecord(record);
    combo.flags |= forms::kUnitTabStop;
    combo.bindings = std::move(bindings);
    RegisterForms({form.Build()}, {{kComboBoxTypeNumber, ComboBoxTypeDescriptor()}});
    if (!Load()) return nullptr;
    Pump();
    return UnitWindow(kMainWindow, kComboId);
  }
  static std::string Text(int32_t index) {
    const uint64_t value = forms::ReadProperty(kMainWindow, kComboId, index, -1);
    auto* text = static_cast<char*>(const_cast<void*>(forms::ValuePointer(value)));
    std::string copy = text != nullptr ? text : "";
    MemFree(text);
    return copy;
  }
  static int32_t Int(int32_t index) {
    return static_cast<int32_t>(forms::ReadProperty(kMainWindow, kComboId, index, -1));
  }
  static void Write(int32_t index, int32_t value) {
    forms::WriteProperty(kMainWindow, kComboId, index, -1, static_cast<uint32_t>(value), 0);
  }
  static void WriteText(int32_t index, const char* text) {
    const auto bits = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(text));
    forms::WriteProperty(kMainWindow, kComboId, index, -1, static_cast<uint32_t>(bits),
                         static_cast<uint32_t>(bits >> 32));
  }
  static std::vector<std::string> Items() {
    void* set = const_cast<void*>(
        forms::ValuePointer(forms::ReadProperty(kMainWindow, kComboId, kItems, -1)));
    const std::span<const uint8_t> bytes = ByteSetBytes(set);
    auto items = forms::DecodeItemList(bytes);
    MemFree(set);
    return items.value_or(std::vector<std::string>{});
  }
  static HWND Combo() { return UnitWindow(kMainWindow, kComboId); }
};

TEST_F(ComboBoxTest, TheEditorsRecordShowsJpgOverSortedItemsWithTheirData) {
  HWND combo = LoadCombo(EditorRecord());
  ASSERT_NE(combo, nullptr);
  EXPECT_EQ(Text(kText), ".jpg");
  EXPECT_EQ(Items(), (std::vector<std::string>{".bmp", ".jpg", ".png"}));
  EXPECT_EQ(Int(kListIndex), 1);
  // ItemData holds one integer: the first stored item (".bmp") gets it,
  // the others nothing.
  EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 0, 0), 7);
  EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 1, 0), 0);
  EXPECT_EQ(SendMessageA(combo, CB_GETITEMDATA, 2, 0), 0);
  RECT frame{};
  GetWindowRect(combo, &frame);
  EXPECT_LT(frame.bottom - frame.top, combobox::kDropHeight);  // the list drops below it
}

TEST_F(ComboBoxTest, ListIndexIsClampedAndADropListWithoutSelectionIsEmpty) {
  forms::RecordValues record = EditorRecord();
  record.SetInt(combobox::kComboStyle, combobox::kDropDownList);
  ASSERT_NE(LoadCombo(record), nullptr);
  EXPECT_EQ(Text(kText), ".jpg");
  Write(kListIndex, 99);
  EXPECT_EQ(Int(kListIndex), 2);
  EXPECT_EQ(Text(kText), ".png");
  Write(kListIndex, -7);
  EXPECT_EQ(Int(kListIndex), -1);
  EXPECT_EQ(Text(kText), "");
}

TEST_F(ComboBoxTest, StyleChangeRecreatesWithItemsSelectionAndText) {
  ASSERT_NE(LoadCombo(EditorRecord()), nullptr);
  Write(kListIndex, 2);
  WriteText(kText, "typed");
  HWND before = Combo();
  Write(kStyle, combobox::kSimple);
  EXPECT_NE(Combo(), before);
  EXPECT_EQ(GetWindowLongA(Combo(), GWL_STYLE) & 3, CBS_SIMPLE);
  EXPECT_EQ(Int(kStyle), 0);
  EXPECT_EQ(Items(), (std::vector<std::string>{".bmp", ".jpg", ".png"}));
  EXPECT_EQ(Int(kListIndex), 2);
  EXPECT_EQ(Text(kText), "typed");
  EXPECT_EQ(static_cast<uint32_t>(Int(17)),
            0xFF000000u);  // the white background went to the marker
}

TEST_F(ComboBoxTest, PickingByMouseAndByKeyboardRaisesEventZeroOnce) {
  HWND combo = LoadCombo(EditorRecord(), {{combobox::kEventChosen, 1}, {2, 2}});
  ASSERT_NE(combo, nullptr);
  RECT box{};
  GetWindowRect(combo, &box);
  display_.Click(box.right - 6, (box.top + box.bottom) / 2);  // the drop button
  Pump();
  ASSERT_TRUE(SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0));
  window_testing::SaveScreenshotIfAsked(display_, "units-combobox-dropped.png");
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{2});
  ResetCalls();
  RECT list{};
  SendMessageA(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
  const LRESULT item_height = SendMessageA(combo, CB_GETITEMHEIGHT, 0, 0);
  display_.Click(list.left + 10, list.top + 2 + static_cast<int>(item_height) * 2 + 3);  // ".png"
  Pump();
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{1});
  EXPECT_EQ(Text(kText), ".png");
  ResetCalls();
  Press(VK_UP);
  EXPECT_EQ(CalledHandlers(), std::vector<int32_t>{1});
  EXPECT_EQ(Text(kText), ".jpg");
  EXPECT_EQ(Int(kListIndex), 1);
}

TEST_F(ComboBoxTest, SelectionPropertiesEditTheField) {
  ASSERT_NE(LoadCombo(EditorRecord()), nullptr);
  Write(11, -1);  // caret to the end
  EXPECT_EQ(Int(11), 4);
  Write(11, 1);
  Write(12, 2);
  EXPECT_EQ(Text(13), "jp");
  WriteText(13, "PE");
  EXPECT_EQ(Text(kText), ".PEg");
  EXPECT_EQ(Int(11), 3);
  Write(12, -1);
  EXPECT_EQ(Text(13), ".PEg");
}

TEST_F(ComboBoxTest, ARecordOfAHigherVersionMakesNoUnit) {
  forms::RecordValues record = EditorRecord();
  std::string bytes = forms::WriteRecord(record);
  bytes[0] = 4;
  forms_testing::FormBuilder form(kMainWindow);
  form.Window(100, 80, 320, 240).properties = window_testing::WindowRecord();
  form.Unit(kComboId, kComboType, "c", 20, 20, 120, 20).properties = bytes;
  RegisterForms({form.Build()}, {{kComboBoxTypeNumber, ComboBoxTypeDescriptor()}});
  EXPECT_FALSE(Load());
}

}  // namespace
}  // namespace runtime::units
