// The edit box's property handlers: get, set (with re-creation where a style
// cannot change on a live control) and save.
#include <string>

#include "runtime/units/common/unit_controls.h"
#include "runtime/units/editbox/editbox_unit.h"
#include "runtime/units/editbox/input_modes.h"

namespace runtime::units::editbox {

namespace {

struct Selection {
  int32_t start = 0;
  int32_t end = 0;
};

Selection CurrentSelection(HWND hwnd) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {static_cast<int32_t>(start), static_cast<int32_t>(end)};
}

const char* TextOf(const forms::PropertyPair& pair) {
  return pair.address != nullptr ? static_cast<const char*>(pair.address) : "";
}

// Thread-free scratch for the texts a get hands out: the framework copies
// them before the next call.
std::string& Scratch() {
  static std::string scratch;
  return scratch;
}

void GiveText(forms::PropertyPair* pair, std::string text) {
  Scratch() = std::move(text);
  pair->address = Scratch().c_str();
}

// A choice that only a new control can show: recreate when it changed.
int32_t SetStyleChoice(EditBoxUnit& unit, Field field, int32_t value, int32_t last) {
  value = ClampTo(value, 0, last);
  if (value == unit.Int(field)) return 0;
  unit.record.SetText(kContent, CurrentText(unit.window));
  unit.record.SetInt(field, value);
  return 1;
}

void SetSelection(EditBoxUnit& unit, int32_t index, int32_t value) {
  const Selection now = CurrentSelection(unit.window);
  if (index == kSelStartIndex) {
    Select(unit, value < -1 ? 0 : value, value == -1 ? 0 : now.end - now.start);
  } else {
    Select(unit, value == -1 ? 0 : now.start, value < -1 ? 0 : value);
  }
}

void SetInteger(EditBoxUnit& unit, int32_t index, int32_t value) {
  switch (index) {
    case kBorderIndex:
      unit.record.SetInt(kBorder, ClampTo(value, 0, kLastBorderStyle));
      ApplyBorderStyle(unit.window, unit.Int(kBorder));
      break;
    case kTextColorIndex:
      unit.record.SetInt(kTextColor, value);
      InvalidateRect(unit.window, nullptr, TRUE);
      break;
    case kBackColorIndex:
      unit.record.SetInt(kBackColor, value);
      MakeBackBrush(unit);
      RedrawWindow(unit.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      break;
    case kMaxLengthIndex:
      unit.record.SetInt(kMaxLength, value < 0 ? 0 : value);
      SendMessageA(unit.window, EM_LIMITTEXT, static_cast<WPARAM>(unit.Int(kMaxLength)), 0);
      break;
    case kInputModeIndex:
      unit.record.SetInt(kInputMode, ClampTo(value, 0, kLastInputMode));
      ApplyInputMode(unit);
      break;
    case kSpinMinIndex:
    case kSpinMaxIndex:
      unit.record.SetInt(index == kSpinMinIndex ? kSpinMin : kSpinMax, value);
      ApplySpinRange(unit);
      break;
    case kSelStartIndex:
    case kSelLengthIndex:
      SetSelection(unit, index, value);
      break;
    default:
      break;
  }
}

}  // namespace

std::string CurrentText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void WriteText(EditBoxUnit& unit, const std::string& text) {
  unit.writing = true;
  SetWindowTextA(unit.window, text.c_str());
  unit.writing = false;
}

void GetEditBoxProperty(void* object, int32_t index, forms::PropertyPair* pair) {
  auto& unit = *static_cast<EditBoxUnit*>(object);
  *pair = {};
  const Selection selection = CurrentSelection(unit.window);
  switch (index) {
    case kContentIndex:
      GiveText(pair, CurrentText(unit.window));
      return;
    case kFontIndex: {
      const std::span<const uint8_t> font = unit.record.Bytes(kFont);
      pair->address = font.empty() ? nullptr : font.data();
      pair->second = static_cast<uint32_t>(font.size());
      return;
    }
    case kPasswordCharIndex:
      GiveText(pair, std::string(1, static_cast<char>(unit.Int(kPasswordChar) & 0xFF)));
      return;
    case kSelStartIndex:
      pair->first = static_cast<uint32_t>(selection.start);
      return;
    case kSelLengthIndex:
      pair->first = static_cast<uint32_t>(selection.end - selection.start);
      return;
    case kSelTextIndex: {
      const std::string text = CurrentText(unit.window);
      const auto start = std::min(static_cast<size_t>(selection.start), text.size());
      const auto end = std::min(static_cast<size_t>(selection.end), text.size());
      GiveText(pair, text.substr(start, end > start ? end - start : 0));
      return;
    }
    case kDataSourceIndex:
    case kDataFieldIndex:
      GiveText(pair, unit.record.Text(index == kDataSourceIndex ? kDataSource : kDataField));
      return;
    default:
      break;
  }
  // Everything else is a stored integer; property order follows the record
  // except for Content, which comes first among the properties.
  static constexpr Field kIntegers[] = {kContent,        kBorder,        kTextColor, kBackColor,
                                        kFont,           kHideSelection, kMaxLength, kMultiLine,
                                        kScrollBars,     kAlignment,     kInputMode, kPasswordChar,
                                        kCaseConversion, kSpinMode,      kSpinMin,   kSpinMax};
  if (index >= 0 && index < static_cast<int32_t>(std::size(kIntegers))) {
    pair->first = static_cast<uint32_t>(unit.Int(kIntegers[index]));
  }
}

int32_t SetEditBoxProperty(void* object, int32_t index, const forms::PropertyPair* pair, int32_t) {
  auto& unit = *static_cast<EditBoxUnit*>(object);
  const auto value = static_cast<int32_t>(pair->first);
  switch (index) {
    case kContentIndex:
      unit.record.SetText(kContent, TextOf(*pair));
      WriteText(unit, unit.record.Text(kContent));
      RaiseUnitEvent(unit, 0);
      return 0;
    case kFontIndex:
      unit.record.SetText(kFont,
                          pair->address != nullptr
                              ? std::string(static_cast<const char*>(pair->address), pair->second)
                              : std::string());
      ApplyFont(unit);
      return 0;
    case kHideSelectionIndex:
      return SetStyleChoice(unit, kHideSelection, value != 0 ? 1 : 0, 1);
    case kMultiLineIndex:
      return SetStyleChoice(unit, kMultiLine, value != 0 ? 1 : 0, 1);
    case kScrollBarsIndex:
      return SetStyleChoice(unit, kScrollBars, value, 3);
    case kAlignmentIndex:
      return SetStyleChoice(unit, kAlignment, value, 2);
    case kCaseConversionIndex:
      return SetStyleChoice(unit, kCaseConversion, value, 2);
    case kSpinModeIndex:
      return SetStyleChoice(unit, kSpinMode, value, 2);
    case kPasswordCharIndex:
      unit.record.SetInt(kPasswordChar, static_cast<uint8_t>(TextOf(*pair)[0]));
      if (unit.Int(kInputMode) == kPassword) ApplyInputMode(unit);
      return 0;
    case kSelTextIndex:
      SendMessageA(unit.window, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(TextOf(*pair)));
      return 0;
    case kDataSourceIndex:
    case kDataFieldIndex:
      unit.record.SetText(index == kDataSourceIndex ? kDataSource : kDataField, TextOf(*pair));
      return 0;
    default:
      SetInteger(unit, index, value);
      return 0;
  }
}

HGLOBAL SaveEditBoxProperties(void* object) {
  auto& unit = *static_cast<EditBoxUnit*>(object);
  forms::RecordValues record = unit.record;
  record.SetText(kContent, CurrentText(unit.window));
  const Selection selection = CurrentSelection(unit.window);
  record.SetInt(kSelStart, selection.start);
  record.SetInt(kSelLength, selection.end - selection.start);
  return GlobalCopy(forms::WriteRecord(record));
}

}  // namespace runtime::units::editbox
