// The system service routine: how unit types and libraries call back into
// the framework and the runtime core, by service code with two arguments.
// Codes that serve facilities this program does not have answer 0.
#pragma once

#include <cstdint>

#include "runtime/forms/unit_object.h"

namespace runtime::forms {

enum ServiceCode : int32_t {
  kServiceRegistry = 1001,         // the window registry
  kServiceUnitType = 1002,         // (type code): its descriptor, or null
  kServiceOne = 1004,              // 1
  kServiceVersion = 1005,          // 0x00030005
  kServicePath = 1006,             // (which, buffer): see WritePath
  kServiceNewWindowObject = 1007,  // (window handle): a new window object
  kServiceDeleteWindowObject = 1008,
  kServiceDetachWindowObject = 1009,  // (object): its handle, taken out
  kServiceAttachWindowObject = 1011,  // (object, handle): 1 on success
  kServiceAddIdleCallback = 1012,     // (const IdleCallback*)
  kServiceRemoveIdleCallback = 1013,  // (window handle)
  kServiceDestroyed = 2000,           // (window id, unit id): window_notices.h
  kServiceToInteger = 2001,           // (const ValueRecord*)
  kServiceRunDirectory = 2003,        // a new text value
  kServiceProgramFileName = 2004,     // a new text value
  kServiceLoadWindow = 2005,          // (LoadWindowRequest*): 0, or -1 on failure
  kServiceLiveUnit = 2006,            // (window id, unit id): the live object, or 0
  kServiceLiveUnitOrError = 2007,     // as 2006; none is a run-time error
  kServiceRaiseEvent = 2008,          // (EventRecord*)
  kServiceSuspendEvents = 2009,
  kServiceResumeEvents = 2010,
  kServiceEventSource = 2017,  // (uint32_t[2]): 1 when a handler runs, else 0
  kServicePendingMessages = 2018,
  kServiceAddPicture = 2019,     // (Picture*): its handle in the runtime list
  kServiceRemovePicture = 2020,  // (handle): 1 when it was listed
  kServiceHasPicture = 2021,     // (handle): 1 when listed
  kServiceUnitTypeCode = 2022,   // (window id, unit id): the record's type code, or 0
  kServiceFreeArray = 2023,      // (array, element type code)
  kServiceAllocate = 2024,       // (size, 0: MemAlloc; else may return null)
  kServiceFree = 2025,           // (block)
  kServiceReallocate = 2026,     // (block, size)
  kServiceReportError = 2027,    // (GBK text)
  kServiceEndProgram = 2028,     // (exit code)
  kServiceClassifyType = 2029,   // (type code): 2 flag 0x04, 1 flag 0x40, else 0
  kServiceRunMode = 2030,
  kServiceRaiseTypedEvent = 2031,  // (TypedEventRecord*)
  kServiceWindowCount = 2032,      // windows in the registry
  kServiceWindowHandle = 2033,     // (position): its handle when live, else 0
};

// What service 2005 reads. `owner` is any object that begins like a unit
// object (a unit's object or a window object); null for no owner.
struct LoadWindowRequest {
  uint32_t window_id = 0;
  const UnitObject* owner = nullptr;
  int32_t owner_less = 0;
};

// Service 1006 writes at most this many bytes, terminator included.
inline constexpr int32_t kPathBufferSize = 260;

// The routine itself.
intptr_t SystemService(int32_t code, intptr_t first, intptr_t second);

// The live object of (window id, unit id), unit id 0 meaning the window
// itself; null when the window or the unit is unknown or not live.
UnitObject* FindLiveUnit(uint32_t window_id, uint32_t unit_id);

}  // namespace runtime::forms
