// Generic window objects: a bare window handle in an object, for units and
// libraries that need an object for a window the framework does not manage
// (system services 1007, 1008, 1009 and 1011). They begin like every unit
// object, so wherever an owner object is expected either kind will do.
#pragma once

#include "platform/win32.h"
#include "runtime/forms/unit_object.h"

namespace runtime::forms {

struct WindowObject : UnitObject {};

// Service 1007: a new object holding `window` (which may be null).
WindowObject* NewWindowObject(HWND window);

// Service 1008. Only objects made by NewWindowObject are deleted; false for
// anything else, which is left alone.
bool DeleteWindowObject(void* object);

// Service 1009: the handle, after taking it out of the object; null for an
// object not made here.
HWND DetachWindowObject(void* object);

// Service 1011: gives an object that holds no handle the window `window`.
// False when the object was not made here, already has a handle, or
// `window` is not a window.
bool AttachWindowObject(void* object, HWND window);

// The object made by NewWindowObject at `object`, or null.
WindowObject* FindWindowObject(void* object);

}  // namespace runtime::forms
