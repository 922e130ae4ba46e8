#include "runtime/units/common/controls_test_support.h"

#include "runtime/core/byte_set.h"
#include "runtime/core/heap.h"
#include "runtime/forms/property_access.h"
#include "runtime/forms/property_conversion.h"
#include "runtime/units/button/button_type.h"
#include "runtime/units/editbox/editbox_type.h"
#include "runtime/units/label/label_type.h"
#include "runtime/units/window/window_schema.h"

namespace runtime::units::controls_testing {

using forms_testing::FormBuilder;
using forms_testing::kMainWindow;

FormBuilder ControlsTest::Form() {
  FormBuilder form;
  form.Window(100, 80, 360, 260).properties = window_testing::WindowRecord(
      [](forms::RecordValues& v) { v.SetInt(window::kStartPosition, window::kAsStored); });
  return form;
}

forms::UnitRecordFields& ControlsTest::AddUnit(FormBuilder& form, uint32_t number, uint32_t type,
                                               const std::string& record, int32_t left, int32_t top,
                                               int32_t width, int32_t height) {
  auto& unit = form.Unit(kFirstUnit - 1 + number, type, "unit" + std::to_string(number), left, top,
                         width, height);
  unit.flags = forms::kUnitVisible | forms::kUnitTabStop;
  unit.tab_order = static_cast<int32_t>(number);
  unit.properties = record;
  return unit;
}

void ControlsTest::LoadForm(const FormBuilder& form) {
  RegisterForms({form.Build()}, {{kEditBoxTypeNumber, EditBoxTypeDescriptor()},
                                 {kLabelTypeNumber, LabelTypeDescriptor()},
                                 {kButtonTypeNumber, ButtonTypeDescriptor()}});
  ASSERT_TRUE(Load());
  Pump();
  ResetCalls();
}

HWND ControlsTest::UnitHwnd(uint32_t number) {
  return UnitWindow(kMainWindow, kFirstUnit - 1 + number);
}

forms::UnitObject* ControlsTest::Live(uint32_t number) {
  return Window(kMainWindow).LiveAt(static_cast<int32_t>(number));
}

int32_t ControlsTest::ReadInt(uint32_t number, int32_t index) {
  return static_cast<int32_t>(forms::ReadProperty(kMainWindow, kFirstUnit - 1 + number, index, -1));
}

std::string ControlsTest::ReadText(uint32_t number, int32_t index) {
  auto* text = static_cast<char*>(const_cast<void*>(
      forms::ValuePointer(forms::ReadProperty(kMainWindow, kFirstUnit - 1 + number, index, -1))));
  std::string copy = text != nullptr ? text : "";
  MemFree(text);
  return copy;
}

void ControlsTest::WriteInt(uint32_t number, int32_t index, int32_t value) {
  forms::WriteProperty(kMainWindow, kFirstUnit - 1 + number, index, -1,
                       static_cast<uint32_t>(value), 0);
}

void ControlsTest::WriteText(uint32_t number, int32_t index, const std::string& text) {
  const uint64_t value = forms::PointerValue(text.c_str());
  forms::WriteProperty(kMainWindow, kFirstUnit - 1 + number, index, -1,
                       static_cast<uint32_t>(value), static_cast<uint32_t>(value >> 32));
}

void ControlsTest::WriteBytes(uint32_t number, int32_t index, const std::string& bytes) {
  void* set = MakeByteSet(bytes.data(), static_cast<int32_t>(bytes.size()));
  const uint64_t value = forms::PointerValue(set);
  forms::WriteProperty(kMainWindow, kFirstUnit - 1 + number, index, -1,
                       static_cast<uint32_t>(value), static_cast<uint32_t>(value >> 32));
  MemFree(set);
}

std::vector<std::vector<uint32_t>> ControlsTest::CallsOf(int32_t position) {
  std::vector<std::vector<uint32_t>> calls;
  for (const forms_testing::HandlerCall& call : forms_testing::HandlerCalls()) {
    if (call.position == position) calls.push_back(call.arguments);
  }
  return calls;
}

}  // namespace runtime::units::controls_testing
