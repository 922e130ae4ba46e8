// What the edit box, label and button tests share: a window of the real
// window type holding units of the real control types, and property access
// by number.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/forms/record_schema.h"
#include "runtime/units/window/window_test_support.h"

namespace runtime::units::controls_testing {

inline constexpr uint32_t kEditBoxType = 0x00010005;
inline constexpr uint32_t kLabelType = 0x0001000A;
inline constexpr uint32_t kButtonType = 0x0001000B;
inline constexpr uint32_t kFirstUnit = 0x16010001;

class ControlsTest : public window_testing::WindowTest {
 protected:
  forms_testing::FormBuilder Form();
  // Adds unit `number` (1 on) of `type` with stored record `record`.
  forms::UnitRecordFields& AddUnit(forms_testing::FormBuilder& form, uint32_t number, uint32_t type,
                                   const std::string& record, int32_t left, int32_t top,
                                   int32_t width, int32_t height);
  void LoadForm(const forms_testing::FormBuilder& form);

  static HWND UnitHwnd(uint32_t number);
  static forms::UnitObject* Live(uint32_t number);
  static int32_t ReadInt(uint32_t number, int32_t index);
  static std::string ReadText(uint32_t number, int32_t index);
  static void WriteInt(uint32_t number, int32_t index, int32_t value);
  static void WriteText(uint32_t number, int32_t index, const std::string& text);
  static void WriteBytes(uint32_t number, int32_t index, const std::string& bytes);
  // Handler positions and arguments called since the last reset.
  static std::vector<std::vector<uint32_t>> CallsOf(int32_t position);
};

}  // namespace runtime::units::controls_testing
