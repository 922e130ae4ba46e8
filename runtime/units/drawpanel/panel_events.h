// Events a panel raises itself: focus gained and lost, and PaintEvent.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "runtime/units/drawpanel/panel.h"

namespace runtime::units::drawpanel {

// Raises `event` with up to five integer arguments through the system
// service routine; 1 when a handler ran.
int32_t RaisePanelEvent(const Panel& panel, int32_t event,
                        std::initializer_list<int32_t> arguments = {});

}  // namespace runtime::units::drawpanel
