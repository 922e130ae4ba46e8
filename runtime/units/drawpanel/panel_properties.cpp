#include "runtime/units/drawpanel/panel_properties.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>
#include <string>

#include "runtime/units/common/unit_controls.h"
#include "runtime/units/drawpanel/coordinate_unit.h"
#include "runtime/units/drawpanel/panel_bitmap.h"
#include "runtime/units/drawpanel/panel_dc.h"
#include "runtime/units/drawpanel/panel_resources.h"
#include "runtime/units/drawpanel/panel_window.h"

namespace runtime::units::drawpanel {

namespace {

using forms::PropertyPair;

// What a change of the property does to the live panel.
void Invalidate(Panel& panel) { InvalidateRect(panel.window, nullptr, FALSE); }
void Nothing(Panel&) {}
void NewBorder(Panel& panel) { ApplyBorder(panel.window, panel.Int(kBorder)); }
void NewBackground(Panel& panel) {
  BuildBitmap(panel, panel.window, KeepDrawing::kNo);
  Invalidate(panel);
}
void NewBackPicture(Panel& panel) {
  DropBackgroundPicture(panel);
  NewBackground(panel);
}
void NewAutoRedraw(Panel& panel) {
  if (panel.Int(kAutoRedraw) != 0) {
    BuildBitmap(panel, panel.window, KeepDrawing::kNo);
  } else {
    DeleteBitmap(panel);
  }
}

enum class Storage : uint8_t {
  kIfChanged,  // the same value again changes nothing
  kAlways,     // stored and applied whatever it was
};

struct PropertySpec {
  Field field;
  std::optional<ValueRange> range;
  Storage storage;
  void (*apply)(Panel&);
};

constexpr std::array<PropertySpec, kPropFont + 1> kSpecs = {{
    {kBorder, ValueRange{0, kLastBorder}, Storage::kAlways, NewBorder},
    {kBackColor, std::nullopt, Storage::kIfChanged, NewBackground},
    {kBackPicture, std::nullopt, Storage::kAlways, NewBackPicture},
    {kBackPictureMode, ValueRange{0, kPictureCentredFit}, Storage::kIfChanged, Invalidate},
    {kAutoRedraw, ValueRange{0, 1}, Storage::kIfChanged, NewAutoRedraw},
    {kCoordinateUnit, ValueRange{0, kLastCoordinateUnit}, Storage::kIfChanged, RebuildFont},
    {kPenStyle, ValueRange{0, 6}, Storage::kIfChanged, RebuildPen},
    {kDrawMode, ValueRange{0, 15}, Storage::kAlways, Nothing},
    {kPenWidth, ValueRange{0, 32767}, Storage::kIfChanged, RebuildPen},
    {kPenColor, std::nullopt, Storage::kIfChanged, RebuildPen},
    {kBrushStyle, ValueRange{0, 55}, Storage::kIfChanged, RebuildBrush},
    {kBrushColor, std::nullopt, Storage::kIfChanged, RebuildBrush},
    {kTextColor, std::nullopt, Storage::kAlways, Nothing},
    {kTextBackColor, std::nullopt, Storage::kAlways, Nothing},
    {kFont, std::nullopt, Storage::kAlways, RebuildFont},
}};

bool IsBytes(Field field) { return field == kFont || field == kBackPicture; }

std::string BytesOf(const PropertyPair& pair) {
  if (pair.address == nullptr || pair.second == 0) return {};
  return std::string(static_cast<const char*>(pair.address), pair.second);
}

}  // namespace

std::optional<ValueRange> RangeOf(int32_t property) {
  if (property < 0 || property >= static_cast<int32_t>(kSpecs.size())) return std::nullopt;
  return kSpecs[static_cast<size_t>(property)].range;
}

int32_t Clamped(int32_t property, int32_t value) {
  const std::optional<ValueRange> range = RangeOf(property);
  return range ? std::clamp(value, range->lowest, range->highest) : value;
}

std::optional<forms::RecordValues> ReadPanelRecord(const uint8_t* bytes, int32_t length) {
  std::span<const uint8_t> record;
  if (bytes != nullptr && length > 0) record = {bytes, static_cast<size_t>(length)};
  std::optional<forms::RecordValues> values = forms::ReadRecord(DrawPanelSchema(), record);
  if (!values) return std::nullopt;
  // A record made elsewhere may hold anything; the resources index tables
  // by these values.
  for (size_t property = 0; property < kSpecs.size(); ++property) {
    const Field field = kSpecs[property].field;
    if (kSpecs[property].range) {
      values->SetInt(field, Clamped(static_cast<int32_t>(property), values->Int(field)));
    }
  }
  return values;
}

SIZE DrawAreaSize(const Panel& panel) {
  RECT client{};
  GetClientRect(panel.window, &client);
  WindowDc dc(panel.window);
  if (dc.dc() == nullptr) return SIZE{client.right, client.bottom};
  ApplyCoordinateUnit(dc.dc(), panel.Int(kCoordinateUnit));
  const POINT corner = ToLogical(dc.dc(), POINT{client.right, client.bottom});
  return SIZE{corner.x, corner.y};
}

void GetPanelProperty(void* unit, int32_t index, PropertyPair* pair) {
  if (unit == nullptr || pair == nullptr) return;
  const Panel& panel = *static_cast<const Panel*>(unit);
  if (index == kPropDrawAreaWidth || index == kPropDrawAreaHeight) {
    const SIZE area = DrawAreaSize(panel);
    pair->first = static_cast<uint32_t>(index == kPropDrawAreaWidth ? area.cx : area.cy);
    return;
  }
  if (index < 0 || index >= static_cast<int32_t>(kSpecs.size())) return;
  const Field field = kSpecs[static_cast<size_t>(index)].field;
  if (IsBytes(field)) {
    const std::span<const uint8_t> bytes = panel.record.Bytes(field);
    pair->address = bytes.empty() ? nullptr : bytes.data();
    pair->second = static_cast<uint32_t>(bytes.size());
    return;
  }
  pair->first = static_cast<uint32_t>(panel.Int(field));
}

int32_t SetPanelProperty(void* unit, int32_t index, const PropertyPair* pair, int32_t) {
  if (unit == nullptr || pair == nullptr) return 0;
  if (index < 0 || index >= static_cast<int32_t>(kSpecs.size())) return 0;  // read-only or none
  Panel& panel = *static_cast<Panel*>(unit);
  const PropertySpec& entry = kSpecs[static_cast<size_t>(index)];
  if (IsBytes(entry.field)) {
    panel.record.SetText(entry.field, BytesOf(*pair));
  } else {
    const int32_t value = Clamped(index, static_cast<int32_t>(pair->first));
    if (value == panel.Int(entry.field) && entry.storage == Storage::kIfChanged) return 0;
    panel.record.SetInt(entry.field, value);
  }
  entry.apply(panel);
  return 0;
}

HGLOBAL SavePanelProperties(void* unit) {
  if (unit == nullptr) return nullptr;
  return GlobalCopy(forms::WriteRecord(static_cast<const Panel*>(unit)->record));
}

HGLOBAL ListPanelTexts(const uint8_t* bytes, int32_t length, forms::ListTextCallback callback,
                       void* context) {
  return ListRecordTexts(DrawPanelSchema(), bytes, length, {kFont}, callback, context);
}

}  // namespace runtime::units::drawpanel
