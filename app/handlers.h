// The main window's event handlers, bound to its units by the window
// template. Each takes the event's arguments as 32-bit words; none returns a
// value, so the panel's mouse messages go on to the panel.
#pragma once

#include <cstdint>

#include "runtime/core/program_header.h"

namespace app {

using runtime::HandlerResult;

// 画板1: mouse moved (x, y, modifiers), left button down, left button up.
HandlerResult OnPanelMouseMove(const uint32_t* arguments, int32_t count);
HandlerResult OnPanelMouseDown(const uint32_t* arguments, int32_t count);
HandlerResult OnPanelMouseUp(const uint32_t* arguments, int32_t count);

// Button clicks: 加文字, 定位写字, 添加小图片, 打开图片, 保存文件, 清除所有,
// 保存美女图.
HandlerResult OnAddText(const uint32_t* arguments, int32_t count);
HandlerResult OnPlaceText(const uint32_t* arguments, int32_t count);
HandlerResult OnAddSmallPicture(const uint32_t* arguments, int32_t count);
HandlerResult OnOpenPicture(const uint32_t* arguments, int32_t count);
HandlerResult OnSaveFile(const uint32_t* arguments, int32_t count);
HandlerResult OnClearAll(const uint32_t* arguments, int32_t count);
HandlerResult OnSavePicBox(const uint32_t* arguments, int32_t count);

}  // namespace app
