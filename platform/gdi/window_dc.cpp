#include "platform/gdi/window_dc.h"

#include <utility>

#include "platform/gdi/device_context.h"

namespace platform::gdi {

namespace {

std::shared_ptr<DeviceContext> FindWindowDc(HDC dc) {
  auto context = Find<DeviceContext>(dc);
  return context && !context->is_memory() ? context : nullptr;
}

}  // namespace

HDC CreateWindowDc(WindowDcTarget target) {
  if (!target.surface) return nullptr;
  auto dc = DeviceContext::MakeWindow(std::move(target));
  return HandleOf<HDC>(dc.get());
}

bool RetargetWindowDc(HDC dc, WindowDcTarget target) {
  auto context = FindWindowDc(dc);
  if (!context || !target.surface) return false;
  std::lock_guard lock(context->mutex());
  context->target = std::move(target);
  return true;
}

bool DeleteWindowDc(HDC dc) {
  auto context = FindWindowDc(dc);
  if (!context || !Unregister(dc)) return false;
  std::lock_guard lock(context->mutex());
  context->ReleaseLocked();
  return true;
}

HWND WindowOfDc(HDC dc) {
  auto context = FindWindowDc(dc);
  if (!context) return nullptr;
  std::lock_guard lock(context->mutex());
  return context->target.hwnd;
}

}  // namespace platform::gdi
