// OleInitialize and OleUninitialize: a per-thread count, as Win32 keeps one.
#include "platform/win32.h"

namespace {

thread_local int g_ole_initializations = 0;

}  // namespace

HRESULT OleInitialize(LPVOID pvReserved) {
  if (pvReserved != nullptr) return E_INVALIDARG;
  return ++g_ole_initializations == 1 ? S_OK : S_FALSE;
}

void OleUninitialize() {
  if (g_ole_initializations > 0) --g_ole_initializations;
}
