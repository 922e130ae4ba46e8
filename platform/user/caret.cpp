// The caret: one a thread, owned by one of its windows, drawn by inverting
// its rectangle on the owner's client area. Inverting twice restores the
// pixels, so blinking needs nothing saved; the price is that nothing else may
// draw over an inverted caret, which is why painting hides it (caret.h).
#include "platform/user/caret.h"

#include <atomic>
#include <map>

#include "platform/user/system_timer.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

constexpr UINT_PTR kBlinkTimer = 0xCA7E;
const HBITMAP kGreyCaret = reinterpret_cast<HBITMAP>(1);
constexpr COLORREF kGreyInk = RGB(128, 128, 128);

struct Caret {
  HWND owner = nullptr;     // null: the thread has no caret
  HBITMAP shape = nullptr;  // null: solid; kGreyCaret: grey; else a bitmap
  SIZE size{};
  POINT pos{};                      // client coordinates of the owner
  int hidden = 1;                   // ShowCaret calls still needed before it shows
  bool drawn = false;               // its rectangle is inverted on the surface now
  std::map<HWND, int> paint_hides;  // BeginPaints that hid it, waiting for EndPaint
};

// Caret calls act on the calling thread's caret, as on Windows, and every
// window a thread paints or destroys is its own; so no lock is needed.
Caret& ThreadCaret() {
  thread_local Caret caret;
  return caret;
}

std::atomic<UINT> g_blink_ms{530};

void InvertWithBitmap(HDC dc, const Caret& c) {
  HDC memory = CreateCompatibleDC(dc);
  if (memory == nullptr) return;
  HGDIOBJ old = SelectObject(memory, c.shape);
  if (old != nullptr) {
    BitBlt(dc, c.pos.x, c.pos.y, c.size.cx, c.size.cy, memory, 0, 0, SRCINVERT);
    SelectObject(memory, old);
  }
  DeleteDC(memory);
}

void Invert(const Caret& c) {
  HDC dc = GetDC(c.owner);
  if (dc == nullptr) return;
  if (c.shape == nullptr) {
    PatBlt(dc, c.pos.x, c.pos.y, c.size.cx, c.size.cy, DSTINVERT);
  } else if (c.shape == kGreyCaret) {
    HBRUSH grey = CreateSolidBrush(kGreyInk);
    HGDIOBJ old = SelectObject(dc, grey);
    PatBlt(dc, c.pos.x, c.pos.y, c.size.cx, c.size.cy, PATINVERT);
    SelectObject(dc, old);
    DeleteObject(grey);
  } else {
    InvertWithBitmap(dc, c);
  }
  ReleaseDC(c.owner, dc);
}

void Toggle(Caret& c) {
  Invert(c);
  c.drawn = !c.drawn;
}
void Erase(Caret& c) {
  if (c.drawn) Toggle(c);
}
void Draw(Caret& c) {
  if (!c.drawn) Toggle(c);
}

void Blink(HWND hwnd, UINT_PTR) {
  Caret& c = ThreadCaret();
  if (c.owner == hwnd && c.hidden == 0) Toggle(c);
}

// Shows the caret now and starts its blink period over.
void RestartBlink(Caret& c) {
  Draw(c);
  UINT period = g_blink_ms.load();
  if (period == INFINITE) {
    KillSystemTimer(c.owner, kBlinkTimer);
  } else {
    SetSystemTimer(c.owner, kBlinkTimer, period, Blink);
  }
}

void Hide(Caret& c) {
  ++c.hidden;
  Erase(c);
  KillSystemTimer(c.owner, kBlinkTimer);
}

void Show(Caret& c) {
  if (c.hidden == 0) return;
  if (--c.hidden == 0) RestartBlink(c);
}

void Destroy(Caret& c) {
  if (c.owner == nullptr) return;
  Erase(c);
  KillSystemTimer(c.owner, kBlinkTimer);
  c = Caret{};
}

// The caret when `hwnd` (null: any window) may act on it; otherwise null and
// the last error set.
Caret* CaretFor(HWND hwnd) {
  Caret& c = ThreadCaret();
  if (c.owner == nullptr || (hwnd != nullptr && hwnd != c.owner)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return nullptr;
  }
  return &c;
}

// The caret's rectangle on its top-level window's surface.
RECT SurfaceRect(const Caret& c, const Window* owner) {
  POINT at = OffsetInRoot(owner);
  at.x += owner->client.left + c.pos.x;
  at.y += owner->client.top + c.pos.y;
  return {at.x, at.y, at.x + c.size.cx, at.y + c.size.cy};
}

}  // namespace

void HideCaretForPaint(Window* painted, const gdi::Region& update) {
  Caret& c = ThreadCaret();
  Window* owner = FindWindowQuiet(c.owner);
  if (owner == nullptr || update.IsEmpty() || RootOf(owner) != RootOf(painted)) return;
  gdi::Region on_surface = update;
  POINT offset = OffsetInRoot(painted);
  on_surface.Offset(offset.x, offset.y);
  if (!on_surface.Intersects(SurfaceRect(c, owner))) return;
  Hide(c);
  ++c.paint_hides[painted->hwnd];
}

void ShowCaretAfterPaint(HWND painted) {
  Caret& c = ThreadCaret();
  auto it = c.paint_hides.find(painted);
  if (it == c.paint_hides.end()) return;  // a caret made since BeginPaint is not ours to show
  if (--it->second == 0) c.paint_hides.erase(it);
  Show(c);
}

void DestroyCaretOf(Window* w) {
  Caret& c = ThreadCaret();
  if (c.owner == w->hwnd) Destroy(c);
}

}  // namespace platform::user

using platform::user::Caret;
using platform::user::CaretFor;
using platform::user::ThreadCaret;

BOOL CreateCaret(HWND hWnd, HBITMAP hBitmap, int nWidth, int nHeight) {
  platform::user::Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  if (w->thread_id != platform::user::CurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
  }
  SIZE size{nWidth > 0 ? nWidth : GetSystemMetrics(SM_CXBORDER),
            nHeight > 0 ? nHeight : GetSystemMetrics(SM_CYBORDER)};
  if (hBitmap != nullptr && hBitmap != platform::user::kGreyCaret) {
    BITMAP info{};
    if (GetObjectA(hBitmap, sizeof info, &info) != sizeof info) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
    size = {info.bmWidth, info.bmHeight};
  }
  Caret& c = ThreadCaret();
  platform::user::Destroy(c);
  c.owner = hWnd;
  c.shape = hBitmap;
  c.size = size;
  return TRUE;
}

BOOL DestroyCaret() {
  Caret* c = CaretFor(nullptr);
  if (c == nullptr) return FALSE;
  platform::user::Destroy(*c);
  return TRUE;
}

BOOL ShowCaret(HWND hWnd) {
  Caret* c = CaretFor(hWnd);
  if (c == nullptr) return FALSE;
  platform::user::Show(*c);
  return TRUE;
}

BOOL HideCaret(HWND hWnd) {
  Caret* c = CaretFor(hWnd);
  if (c == nullptr) return FALSE;
  platform::user::Hide(*c);
  return TRUE;
}

BOOL SetCaretPos(int X, int Y) {
  Caret* c = CaretFor(nullptr);
  if (c == nullptr) return FALSE;
  platform::user::Erase(*c);
  c->pos = {X, Y};
  if (c->hidden == 0) platform::user::RestartBlink(*c);
  return TRUE;
}

BOOL GetCaretPos(LPPOINT lpPoint) {
  if (lpPoint == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  Caret* c = CaretFor(nullptr);
  if (c == nullptr) return FALSE;
  *lpPoint = c->pos;
  return TRUE;
}

UINT GetCaretBlinkTime() { return platform::user::g_blink_ms.load(); }

BOOL SetCaretBlinkTime(UINT uMSeconds) {
  if (uMSeconds == 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  platform::user::g_blink_ms.store(uMSeconds);
  Caret& c = ThreadCaret();
  if (c.owner != nullptr && c.hidden == 0) platform::user::RestartBlink(c);
  return TRUE;
}
