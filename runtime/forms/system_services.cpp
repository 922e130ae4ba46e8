#include "runtime/forms/system_services.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "platform/win32.h"
#include "runtime/core/app_state.h"
#include "runtime/core/array_value.h"
#include "runtime/core/error_report.h"
#include "runtime/core/heap.h"
#include "runtime/core/idle.h"
#include "runtime/core/messages.h"
#include "runtime/core/shutdown.h"
#include "runtime/core/text_value.h"
#include "runtime/core/value.h"
#include "runtime/forms/event_dispatch.h"
#include "runtime/forms/event_suspension.h"
#include "runtime/forms/form_loader.h"
#include "runtime/forms/registry.h"
#include "runtime/forms/unit_types.h"
#include "runtime/forms/window_notices.h"
#include "runtime/forms/window_object.h"
#include "runtime/pictures/picture_list.h"

namespace runtime::forms {

namespace {

template <class T>
T* Pointer(intptr_t argument) {
  return reinterpret_cast<T*>(argument);
}

uint32_t Word(intptr_t argument) { return static_cast<uint32_t>(argument); }

HWND WindowArgument(intptr_t argument) { return reinterpret_cast<HWND>(argument); }

intptr_t Address(const void* pointer) { return reinterpret_cast<intptr_t>(pointer); }

// Service 1006 into a buffer of kPathBufferSize bytes; the bytes written
// before the terminator. A path that does not fit is cut, never overrun.
intptr_t WritePath(intptr_t which, char* buffer) {
  if (buffer == nullptr) return 0;
  std::string path;
  if (which == 1 || which == 2001) path = App().run_directory + "\\";
  if (which == 2002) path = App().program_file_name;
  const size_t length = std::min(path.size(), static_cast<size_t>(kPathBufferSize - 1));
  std::memcpy(buffer, path.data(), length);
  buffer[length] = '\0';
  return static_cast<intptr_t>(length);
}

// Entry `unit_id` of the window, 0 meaning entry 0; -1 when there is none.
int32_t EntryOf(const LoadedWindow& window, uint32_t unit_id) {
  if (unit_id == 0) return window.units.Count() > 0 ? 0 : -1;
  return window.units.IndexOf(unit_id);
}

intptr_t LoadWindow(const LoadWindowRequest* request) {
  if (request == nullptr) return -1;
  LoadedWindow* window = Registry().Find(request->window_id);
  if (window == nullptr) return -1;
  LoadOptions options;
  options.owner_less = request->owner_less != 0;
  options.owner = request->owner != nullptr ? request->owner->window : nullptr;
  return LoadForm(*window, options) ? 0 : -1;
}

intptr_t LiveUnitOrError(uint32_t window_id, uint32_t unit_id) {
  UnitObject* unit = FindLiveUnit(window_id, unit_id);
  if (unit == nullptr) ReportRuntimeError(messages::UnitNotLoaded(), 0);
  return Address(unit);
}

intptr_t UnitTypeCode(uint32_t window_id, uint32_t unit_id) {
  LoadedWindow* window = Registry().Find(window_id);
  const int32_t index = window != nullptr ? EntryOf(*window, unit_id) : -1;
  return index >= 0 ? static_cast<intptr_t>(window->units.TypeCodeAt(index)) : 0;
}

intptr_t ClassifyType(uint32_t type_code) {
  const UnitTypeDescriptor* type = FindUnitType(type_code);
  if (type == nullptr) return 0;
  if ((type->state_flags & kTypeRaisesEventsAlt) != 0) return 2;
  return (type->state_flags & kTypeRaisesEvents) != 0 ? 1 : 0;
}

intptr_t Allocate(intptr_t size, intptr_t plain) {
  if (plain == 0) return Address(MemAlloc(Word(size)));
  HANDLE heap = App().process_heap != nullptr ? App().process_heap : GetProcessHeap();
  return Address(HeapAlloc(heap, 0, Word(size)));
}

intptr_t AddIdleCallback(const IdleCallback* callback) {
  if (callback != nullptr) {
    RegisterIdleCallback(callback->window, callback->routine, callback->argument);
  }
  return 0;
}

// 1001 to 1013: the program, unit types, window objects, idle time.
intptr_t ProgramService(int32_t code, intptr_t first, intptr_t second) {
  switch (code) {
    case kServiceRegistry:
      return Address(&Registry());
    case kServiceUnitType:
      return Address(FindUnitType(Word(first)));
    case kServiceOne:
      return 1;
    case kServiceVersion:
      return 0x00030005;
    case kServicePath:
      return WritePath(first, Pointer<char>(second));
    case kServiceNewWindowObject:
      return Address(NewWindowObject(WindowArgument(first)));
    case kServiceDeleteWindowObject:
      return DeleteWindowObject(Pointer<void>(first)) ? 1 : 0;
    case kServiceDetachWindowObject:
      return Address(DetachWindowObject(Pointer<void>(first)));
    case kServiceAttachWindowObject:
      return AttachWindowObject(Pointer<void>(first), WindowArgument(second)) ? 1 : 0;
    case kServiceAddIdleCallback:
      return AddIdleCallback(Pointer<const IdleCallback>(first));
    case kServiceRemoveIdleCallback:
      RemoveIdleCallback(WindowArgument(first));
      return 0;
    default:
      return 0;
  }
}

// 2000 to 2018: windows, units and their events.
intptr_t WindowService(int32_t code, intptr_t first, intptr_t second) {
  switch (code) {
    case kServiceDestroyed:
      NoteDestroyed(Word(first), Word(second));
      return 0;
    case kServiceToInteger:
      return first != 0 ? ValueToInteger(*Pointer<const ValueRecord>(first)) : 0;
    case kServiceRunDirectory:
      return Address(MakeText(App().run_directory));
    case kServiceProgramFileName:
      return Address(MakeText(App().program_file_name));
    case kServiceLoadWindow:
      return LoadWindow(Pointer<const LoadWindowRequest>(first));
    case kServiceLiveUnit:
      return Address(FindLiveUnit(Word(first), Word(second)));
    case kServiceLiveUnitOrError:
      return LiveUnitOrError(Word(first), Word(second));
    case kServiceRaiseEvent:
      return first != 0 ? RaiseEvent(*Pointer<EventRecord>(first)) : 0;
    case kServiceSuspendEvents:
      SuspendEvents();
      return 0;
    case kServiceResumeEvents:
      ResumeEvents();
      return 0;
    case kServiceEventSource:
      return CopyEventSource(Pointer<uint32_t>(first)) ? 1 : 0;
    case kServicePendingMessages:
      ProcessPendingMessages();
      return 0;
    default:
      return 0;
  }
}

// 2019 to 2033: pictures, values, memory, the end of the program, the
// registry by position.
intptr_t RuntimeService(int32_t code, intptr_t first, intptr_t second) {
  switch (code) {
    case kServiceAddPicture:
      return first != 0 ? RuntimePictures().Add(Pointer<Picture>(first)) : 0;
    case kServiceRemovePicture:
      return RuntimePictures().Remove(static_cast<int32_t>(first)) ? 1 : 0;
    case kServiceHasPicture:
      return RuntimePictures().Contains(static_cast<int32_t>(first)) ? 1 : 0;
    case kServiceUnitTypeCode:
      return UnitTypeCode(Word(first), Word(second));
    case kServiceFreeArray:
      FreeArray(Pointer<void>(first), ElementType(Word(second)));
      return 0;
    case kServiceAllocate:
      return Allocate(first, second);
    case kServiceFree:
      MemFree(Pointer<void>(first));
      return 0;
    case kServiceReallocate:
      return Address(MemRealloc(Pointer<void>(first), Word(second)));
    case kServiceReportError:
      ReportRuntimeError(Pointer<const char>(first), 0);
    case kServiceEndProgram:
      EndProgram(static_cast<int32_t>(first));
    case kServiceClassifyType:
      return ClassifyType(Word(first));
    case kServiceRunMode:
      return static_cast<intptr_t>(App().run_mode);
    case kServiceRaiseTypedEvent:
      return first != 0 ? RaiseTypedEvent(*Pointer<TypedEventRecord>(first)) : 0;
    case kServiceWindowCount:
      return Registry().Count();
    case kServiceWindowHandle:
      return Address(LiveWindowAt(static_cast<int32_t>(first)));
    default:
      return 0;
  }
}

}  // namespace

UnitObject* FindLiveUnit(uint32_t window_id, uint32_t unit_id) {
  LoadedWindow* window = Registry().Find(window_id);
  return window != nullptr ? window->LiveAt(EntryOf(*window, unit_id)) : nullptr;
}

intptr_t SystemService(int32_t code, intptr_t first, intptr_t second) {
  if (code < kServiceDestroyed) return ProgramService(code, first, second);
  if (code <= kServicePendingMessages) return WindowService(code, first, second);
  return RuntimeService(code, first, second);
}

}  // namespace runtime::forms
