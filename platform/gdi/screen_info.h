// What GDI reports about the screen (GetDeviceCaps). The display sets it when
// it starts; until then it holds the headless display's defaults.
#pragma once

namespace platform::gdi {

struct ScreenInfo {
  int width = 1366;
  int height = 768;
  int dpi = 96;  // logical pixels per inch, both directions
};

ScreenInfo CurrentScreen();
void SetScreen(const ScreenInfo& info);

}  // namespace platform::gdi
