// The combo box's own properties (index - 8) and its stored record.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/units/combobox/combobox_schema.h"
#include "runtime/units/combobox/combobox_unit.h"

namespace runtime::units::combobox {

namespace {

using forms::PropertyPair;

std::string TextOf(const PropertyPair& pair) {
  return pair.address != nullptr ? static_cast<const char*>(pair.address) : "";
}

std::string BytesOf(const PropertyPair& pair) {
  if (pair.address == nullptr || pair.second == 0) return {};
  return std::string(static_cast<const char*>(pair.address), pair.second);
}

// Asked of the live control: a style change only takes effect with the
// control that re-creation makes.
bool HasEdit(const ComboBoxUnit& unit) {
  return (GetWindowLongA(unit.window, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST;
}

void Repaint(const ComboBoxUnit& unit) { InvalidateRect(unit.window, nullptr, TRUE); }

// The edit field's selection as (start, end); (0, 0) without an edit field.
std::pair<int32_t, int32_t> EditSelection(const ComboBoxUnit& unit) {
  if (!HasEdit(unit)) return {0, 0};
  DWORD start = 0;
  DWORD end = 0;
  SendMessageA(unit.window, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return {static_cast<int32_t>(start), static_cast<int32_t>(end)};
}

void SetEditSelection(ComboBoxUnit& unit, int32_t start, int32_t length) {
  unit.record.SetInt(kSelStart, start);
  unit.record.SetInt(kSelLength, length);
  if (HasEdit(unit)) {
    SendMessageA(unit.window, CB_SETEDITSEL, 0, MAKELPARAM(start, start + length));
  }
}

// The current text, or for a selection field the selected item's text.
std::string Content(const ComboBoxUnit& unit) {
  if (HasEdit(unit)) return ControlText(unit.window);
  const LRESULT selected = SendMessageA(unit.window, CB_GETCURSEL, 0, 0);
  if (selected < 0) return {};
  const LRESULT length = SendMessageA(unit.window, CB_GETLBTEXTLEN, selected, 0);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  SendMessageA(unit.window, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

std::string SelectedText(const ComboBoxUnit& unit) {
  const auto [start, end] = EditSelection(unit);
  const std::string text = Content(unit);
  if (end <= start || static_cast<size_t>(start) >= text.size()) return {};
  return text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

void SetStyle(ComboBoxUnit& unit, int32_t style, int32_t* recreate) {
  style = std::clamp(style, kSimple, kDropDownList);
  const int32_t old = unit.record.Int(kComboStyle);
  if (style == old) return;
  const auto back = static_cast<uint32_t>(unit.record.Int(kBackColor));
  if (style == kSimple && back == 0xFFFFFF) {
    unit.record.SetInt(kBackColor, static_cast<int32_t>(kSystemColourMarker));
  } else if (old == kSimple && back == kSystemColourMarker) {
    unit.record.SetInt(kBackColor, 0xFFFFFF);
  }
  unit.record.SetInt(kComboStyle, style);
  *recreate = 1;
}

void SetSelStart(ComboBoxUnit& unit, int32_t start) {
  const auto length = static_cast<int32_t>(Content(unit).size());
  if (start == -1) {
    SetEditSelection(unit, HasEdit(unit) ? length : 0, 0);
    return;
  }
  SetEditSelection(unit, std::max(start, 0), unit.record.Int(kSelLength));
}

void SetSelLength(ComboBoxUnit& unit, int32_t length) {
  if (length == -1) {
    SetEditSelection(unit, 0, HasEdit(unit) ? static_cast<int32_t>(Content(unit).size()) : 0);
    return;
  }
  SetEditSelection(unit, unit.record.Int(kSelStart), std::max(length, 0));
}

void SetSelText(ComboBoxUnit& unit, const std::string& inserted) {
  if (!HasEdit(unit)) return;
  const std::string text = ControlText(unit.window);
  auto [start, end] = EditSelection(unit);
  const auto size = static_cast<int32_t>(text.size());
  start = std::clamp(start, 0, size);
  end = std::clamp(end, start, size);
  const std::string joined =
      text.substr(0, static_cast<size_t>(start)) + inserted + text.substr(static_cast<size_t>(end));
  SetWindowTextA(unit.window, joined.c_str());
  const auto caret = start + static_cast<int32_t>(inserted.size());
  SetEditSelection(unit, caret, 0);
}

// Keeps the item height's system part and puts `spacing` on top of it.
void SetSpacing(ComboBoxUnit& unit, int32_t spacing) {
  spacing = std::clamp(spacing, 0, 32767);
  const LRESULT height = SendMessageA(unit.window, CB_GETITEMHEIGHT, 0, 0);
  SendMessageA(unit.window, CB_SETITEMHEIGHT, 0, height - unit.record.Int(kItemSpacing) + spacing);
  unit.record.SetInt(kItemSpacing, spacing);
  Repaint(unit);
}

void SetListIndex(ComboBoxUnit& unit, int32_t index) {
  const auto last = static_cast<int32_t>(SendMessageA(unit.window, CB_GETCOUNT, 0, 0)) - 1;
  index = std::max(std::min(index, last), -1);
  unit.record.SetInt(kListIndex, index);
  SendMessageA(unit.window, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int32_t SetItems(ComboBoxUnit& unit, const PropertyPair& pair) {
  const std::string bytes = BytesOf(pair);
  std::optional<std::vector<std::string>> items =
      forms::DecodeItemList({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
  unit.record.SetItems(kItems, items.value_or(std::vector<std::string>{}));
  return 1;
}

void GetBytes(ComboBoxUnit& unit, size_t field, PropertyPair* pair) {
  const std::string& bytes = unit.record.Text(field);
  pair->address = bytes.empty() ? nullptr : bytes.data();
  pair->second = static_cast<uint32_t>(bytes.size());
}

void Reply(ComboBoxUnit& unit, std::string text, PropertyPair* pair) {
  unit.reply = std::move(text);
  pair->address = unit.reply.c_str();
}

}  // namespace

std::string ControlText(HWND control) {
  const int length = GetWindowTextLengthA(control);
  std::string text(static_cast<size_t>(std::max(length, 0)) + 1, '\0');
  GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

std::vector<std::string> ControlItems(HWND control) {
  std::vector<std::string> items;
  const LRESULT count = SendMessageA(control, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageA(control, CB_GETLBTEXTLEN, i, 0);
    std::string text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, '\0');
    SendMessageA(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()));
    text.resize(std::strlen(text.c_str()));
    items.push_back(std::move(text));
  }
  return items;
}

void CaptureState(ComboBoxUnit& unit) {
  forms::RecordValues& record = unit.record;
  record.SetInt(kListIndex, static_cast<int32_t>(SendMessageA(unit.window, CB_GETCURSEL, 0, 0)));
  if (!HasEdit(unit)) return;
  record.SetText(kContent, ControlText(unit.window));
  const auto [start, end] = EditSelection(unit);
  record.SetInt(kSelStart, start);
  record.SetInt(kSelLength, std::max(end - start, 0));
}

void GetComboBoxProperty(void* object, int32_t index, PropertyPair* pair) {
  auto& unit = *static_cast<ComboBoxUnit*>(object);
  const forms::RecordValues& record = unit.record;
  switch (index) {
    case kContentIndex:
      return Reply(unit, Content(unit), pair);
    case kSelStartIndex:
      pair->first = static_cast<uint32_t>(EditSelection(unit).first);
      return;
    case kSelLengthIndex: {
      const auto [start, end] = EditSelection(unit);
      pair->first = static_cast<uint32_t>(std::max(end - start, 0));
      return;
    }
    case kSelTextIndex:
      return Reply(unit, SelectedText(unit), pair);
    case kListIndexIndex:
      pair->first = static_cast<uint32_t>(SendMessageA(unit.window, CB_GETCURSEL, 0, 0));
      return;
    case kItemsIndex:
      unit.reply = forms::EncodeItemList(ControlItems(unit.window));
      pair->address = unit.reply.data();
      pair->second = static_cast<uint32_t>(unit.reply.size());
      return;
    case kItemDataIndex:
      return GetBytes(unit, kItemData, pair);
    case kFontIndex:
      return GetBytes(unit, kFont, pair);
    case kDataSourceIndex:
      pair->address = record.Text(kDataSource).c_str();
      return;
    case kDataFieldIndex:
      pair->address = record.Text(kDataField).c_str();
      return;
    default:
      break;
  }
  // The rest are plain stored integers, in record order from ComboStyle.
  static constexpr Field kStored[] = {kComboStyle, kContent, kMaxLength,   kSelStart,  kSelLength,
                                      kContent,    kSorted,  kItemSpacing, kTextColor, kBackColor};
  if (index >= 0 && index < static_cast<int32_t>(std::size(kStored))) {
    pair->first = static_cast<uint32_t>(record.Int(kStored[index]));
  } else if (index == kDataBindFlagIndex) {
    pair->first = static_cast<uint32_t>(record.Int(kDataBindFlag));
  }
}

int32_t SetComboBoxProperty(void* object, int32_t index, const PropertyPair* pair, int32_t) {
  auto& unit = *static_cast<ComboBoxUnit*>(object);
  forms::RecordValues& record = unit.record;
  const auto value = static_cast<int32_t>(pair->first);
  int32_t recreate = 0;
  switch (index) {
    case kComboStyleIndex:
      SetStyle(unit, value, &recreate);
      break;
    case kContentIndex:
      record.SetText(kContent, TextOf(*pair));
      if (HasEdit(unit)) SetWindowTextA(unit.window, record.Text(kContent).c_str());
      break;
    case kMaxLengthIndex:
      record.SetInt(kMaxLength, std::clamp(value, 0, 32767));
      if (HasEdit(unit)) SendMessageA(unit.window, CB_LIMITTEXT, record.Int(kMaxLength), 0);
      break;
    case kSelStartIndex:
      SetSelStart(unit, value);
      break;
    case kSelLengthIndex:
      SetSelLength(unit, value);
      break;
    case kSelTextIndex:
      SetSelText(unit, TextOf(*pair));
      break;
    case kSortedIndex:
      if ((value != 0) != (record.Int(kSorted) != 0)) {
        record.SetInt(kSorted, value != 0 ? 1 : 0);
        recreate = 1;
      }
      break;
    case kItemSpacingIndex:
      SetSpacing(unit, value);
      break;
    case kTextColorIndex:
      record.SetInt(kTextColor, value);
      Repaint(unit);
      break;
    case kBackColorIndex:
      record.SetInt(kBackColor, value);
      MakeBrush(unit);
      Repaint(unit);
      break;
    case kFontIndex:
      record.SetText(kFont, BytesOf(*pair));
      ApplyFont(unit);
      Repaint(unit);
      break;
    case kListIndexIndex:
      SetListIndex(unit, value);
      break;
    case kItemsIndex:
      recreate = SetItems(unit, *pair);
      break;
    case kItemDataIndex:
      record.SetText(kItemData, BytesOf(*pair));
      recreate = 1;
      break;
    case kDataSourceIndex:
      record.SetText(kDataSource, TextOf(*pair));
      break;
    case kDataFieldIndex:
      record.SetText(kDataField, TextOf(*pair));
      break;
    case kDataBindFlagIndex:
      record.SetInt(kDataBindFlag, value != 0 ? 1 : 0);
      break;
    default:
      break;
  }
  return recreate;
}

HGLOBAL SaveComboBoxProperties(void* object) {
  auto& unit = *static_cast<ComboBoxUnit*>(object);
  CaptureState(unit);
  const std::string record = forms::WriteRecord(unit.record);
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, record.size());
  if (block == nullptr) return nullptr;
  std::memcpy(GlobalLock(block), record.data(), record.size());
  GlobalUnlock(block);
  return block;
}

}  // namespace runtime::units::combobox
