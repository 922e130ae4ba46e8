// Objects behind kernel HANDLEs: files, threads, events, searches, libraries.
#pragma once

#include <memory>

#include "platform/base/handle_table.h"
#include "platform/win32.h"

namespace platform {

class KernelObject {
 public:
  virtual ~KernelObject() = default;
  // Releases the operating-system resource. Returns ERROR_SUCCESS or the
  // Win32 error to report from CloseHandle.
  virtual DWORD Close() { return ERROR_SUCCESS; }
  // Searches and libraries share the table, so their values never collide
  // with other handles, but they have their own closing functions
  // (FindClose, FreeLibrary) and CloseHandle must refuse them.
  virtual bool ClosesWithCloseHandle() const { return true; }
};

HandleTable<KernelObject>& KernelHandles();

inline HANDLE ToHandle(uintptr_t value) { return reinterpret_cast<HANDLE>(value); }
inline uintptr_t FromHandle(HANDLE handle) { return reinterpret_cast<uintptr_t>(handle); }

// The object behind a handle when it is of type T; otherwise null and the
// thread's last error is ERROR_INVALID_HANDLE.
template <typename T>
std::shared_ptr<T> FindKernelObject(HANDLE handle) {
  auto object = std::dynamic_pointer_cast<T>(KernelHandles().Find(FromHandle(handle)));
  if (!object) SetLastError(ERROR_INVALID_HANDLE);
  return object;
}

}  // namespace platform
