// OLE start-up and its end. The layer has no component objects; what remains
// is the per-thread pairing of OleInitialize and OleUninitialize that Win32
// documents, so callers keep the calls and their order as they would there.
#pragma once

#include "platform/win32/base_types.h"

typedef LONG HRESULT;
#define S_OK (static_cast<HRESULT>(0))
#define S_FALSE (static_cast<HRESULT>(1))
#define E_INVALIDARG (static_cast<HRESULT>(0x80070057u))
#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)

// S_OK on the thread's first call, S_FALSE on each further one (which still
// needs its own OleUninitialize); a non-null pvReserved is E_INVALIDARG.
HRESULT OleInitialize(LPVOID pvReserved);
// Balances one successful OleInitialize of the calling thread; extra calls do
// nothing.
void OleUninitialize();
