// The Win32 subset that Mienzo's runtime is written against.
//
// Names, values and signatures follow the documented Win32 API (the "A"
// functions for text, which is GBK / code page 936), so runtime code reads as
// the Win32 code it describes. Everything here is implemented in platform/ on
// Linux; nothing in this header knows about the runtime or the application.
//
// The facade never throws: failures return FALSE / NULL / INVALID_HANDLE_VALUE
// and set the thread's last error, as Win32 does. It is split by service:
#pragma once

#include "platform/win32/base_types.h"  // integer types, geometry, colour, handles
#include "platform/win32/controls.h"    // standard controls
#include "platform/win32/dialogs.h"     // message boxes and common dialogs
#include "platform/win32/gdi.h"         // DCs, bitmaps, brushes, regions, blits
#include "platform/win32/geometry.h"    // rectangle helpers
#include "platform/win32/kernel.h"      // errors, files, module, threads, time
#include "platform/win32/media.h"       // wave sounds
#include "platform/win32/ole.h"         // OLE start-up and end
#include "platform/win32/text.h"        // code page 936 text
#include "platform/win32/user.h"        // windows, messages, input, painting, metrics
