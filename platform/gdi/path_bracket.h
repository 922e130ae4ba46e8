// While a DC has a path bracket open (BeginPath .. EndPath), the drawing
// calls that paths take record figures instead of drawing.
#pragma once

#include <mutex>
#include <optional>

#include "platform/gdi/device_context.h"

namespace platform::gdi {

// Hands the DC's path and mapping to `record` under the DC's lock when a
// bracket is open, and answers TRUE; none when no bracket is open, so the
// caller draws; FALSE when hdc is no DC.
template <typename Record>
std::optional<BOOL> RecordInOpenPath(HDC hdc, Record record) {
  auto dc = FindDc(hdc);
  if (!dc) return FALSE;
  std::lock_guard lock(dc->mutex());
  if (!dc->state.path.open()) return std::nullopt;
  record(dc->state.path, dc->state.mapping);
  return TRUE;
}

}  // namespace platform::gdi
