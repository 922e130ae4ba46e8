// GetPicture: the panel's picture as a BMP file.
#include <vector>

#include "runtime/core/byte_set.h"
#include "runtime/pictures/bmp_encoder.h"
#include "runtime/units/drawpanel/draw_dispatch.h"
#include "runtime/units/drawpanel/drawpanel_commands.h"
#include "runtime/units/drawpanel/panel_dc.h"

namespace runtime::units {

namespace {

// Without a bitmap the picture is what the screen shows of the client
// area, covering windows included.
std::vector<uint8_t> EncodeScreen(HWND window, int32_t width, int32_t height) {
  RECT client{};
  GetClientRect(window, &client);
  if (client.right <= 0 || client.bottom <= 0) return {};
  drawpanel::WindowDc screen(window);
  if (screen.dc() == nullptr) return {};
  HBITMAP copy = CreateCompatibleBitmap(screen.dc(), client.right, client.bottom);
  if (copy == nullptr) return {};
  bool copied = false;
  {
    drawpanel::BitmapDc target(copy);
    copied = target.dc() != nullptr &&
             BitBlt(target.dc(), 0, 0, client.right, client.bottom, screen.dc(), 0, 0, SRCCOPY);
  }
  std::vector<uint8_t> bytes =
      copied ? EncodePanelPicture(copy, width, height) : std::vector<uint8_t>{};
  DeleteObject(copy);
  return bytes;
}

}  // namespace

void GetPicture(ValueRecord* result, int32_t count, ArgumentRecord* args) {
  result->type = type::kByteSet;
  const drawpanel::Panel* panel = drawpanel::ReferencedPanel(count, args);
  if (panel == nullptr) return;
  const int32_t width = drawpanel::IntegerArgument(count, args, 1).value_or(0);
  const int32_t height = drawpanel::IntegerArgument(count, args, 2).value_or(0);
  const std::vector<uint8_t> bytes = panel->bitmap != nullptr
                                         ? EncodePanelPicture(panel->bitmap, width, height)
                                         : EncodeScreen(panel->window, width, height);
  if (bytes.empty() || bytes.size() > static_cast<size_t>(INT32_MAX)) return;
  result->SetPointer(MakeByteSet(bytes.data(), static_cast<int32_t>(bytes.size())));
}

}  // namespace runtime::units
