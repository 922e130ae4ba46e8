// The painting calls: invalidation, BeginPaint/EndPaint and window DCs.
#include "platform/gdi/window_dc.h"
#include "platform/user/caret.h"
#include "platform/user/painting.h"
#include "platform/user/region_handles.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

gdi::Region ClientRegionFromRect(const Window* w, const RECT* client_rect) {
  RECT r = client_rect
               ? *client_rect
               : RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  gdi::Region region(r);
  region.Offset(w->client.left, w->client.top);  // window coordinates
  return region;
}

bool ClientRegionFromHandle(const Window* w, HRGN rgn, gdi::Region* out) {
  if (rgn == nullptr) {
    *out = ClientRegionFromRect(w, nullptr);
    return true;
  }
  if (!RegionOfHandle(rgn, out)) return false;
  out->Offset(w->client.left, w->client.top);
  return true;
}

gdi::WindowDcTarget TargetFor(Window* w, DcArea area, const gdi::Region* limit) {
  Window* root = RootOf(w);
  POINT offset = OffsetInRoot(w);
  gdi::WindowDcTarget target;
  target.surface = root->surface;
  target.hwnd = w->hwnd;
  target.origin = offset;
  if (area == DcArea::kClient) {
    target.origin.x += w->client.left;
    target.origin.y += w->client.top;
  }
  target.visible = VisibleRegion(w, area);  // already in surface coordinates
  if (limit) {
    gdi::Region in_surface = *limit;
    in_surface.Offset(offset.x, offset.y);
    target.visible.Intersect(in_surface);
  }
  return target;
}

// A DC for GetDC(NULL): draws nowhere, but answers device questions.
HDC ScreenDc() {
  static auto surface = std::make_shared<gdi::Surface>(1, 1);
  gdi::WindowDcTarget target;
  target.surface = surface;
  return gdi::CreateWindowDc(target);
}

}  // namespace

HDC MakeDc(Window* w, DcArea area, const gdi::Region* limit) {
  return gdi::CreateWindowDc(TargetFor(w, area, limit));
}

}  // namespace platform::user

using platform::user::DcArea;
using platform::user::Window;

BOOL RedrawWindow(HWND hWnd, const RECT* lprcUpdate, HRGN hrgnUpdate, UINT flags) {
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  platform::gdi::Region region;
  if (hrgnUpdate) {
    if (!platform::user::ClientRegionFromHandle(w, hrgnUpdate, &region)) return FALSE;
  } else {
    region = platform::user::ClientRegionFromRect(w, lprcUpdate);
  }
  if ((flags & RDW_FRAME) && lprcUpdate == nullptr && hrgnUpdate == nullptr) {
    region = platform::user::WindowArea(w);
  }
  bool children = (flags & RDW_ALLCHILDREN) != 0 ||
                  (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
  if (flags & RDW_INVALIDATE) {
    platform::user::Invalidate(w, region, (flags & RDW_ERASE) != 0, (flags & RDW_FRAME) != 0,
                               children);
  }
  if (flags & RDW_INTERNALPAINT) w->internal_paint = true;
  if (flags & RDW_VALIDATE) platform::user::Validate(w, region, children);
  if (flags & RDW_NOINTERNALPAINT) w->internal_paint = false;
  if (flags & (RDW_UPDATENOW | RDW_ERASENOW)) UpdateWindow(hWnd);
  return TRUE;
}

BOOL InvalidateRect(HWND hWnd, const RECT* lpRect, BOOL bErase) {
  if (hWnd == nullptr) return FALSE;  // the whole desktop: nothing of ours to do
  return RedrawWindow(hWnd, lpRect, nullptr, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
}

BOOL InvalidateRgn(HWND hWnd, HRGN hRgn, BOOL bErase) {
  return RedrawWindow(hWnd, nullptr, hRgn, RDW_INVALIDATE | (bErase ? RDW_ERASE : 0));
}

BOOL ValidateRect(HWND hWnd, const RECT* lpRect) {
  return RedrawWindow(hWnd, lpRect, nullptr, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL ValidateRgn(HWND hWnd, HRGN hRgn) {
  return RedrawWindow(hWnd, nullptr, hRgn, RDW_VALIDATE | RDW_NOCHILDREN);
}

BOOL GetUpdateRect(HWND hWnd, LPRECT lpRect, BOOL bErase) {
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  platform::gdi::Region client_part = w->update;
  client_part.Intersect(w->client);
  RECT box = client_part.Bounds();
  if (lpRect) {
    *lpRect = client_part.IsEmpty() ? RECT{0, 0, 0, 0}
                                    : RECT{box.left - w->client.left, box.top - w->client.top,
                                           box.right - w->client.left, box.bottom - w->client.top};
  }
  if (bErase && w->erase_pending && !client_part.IsEmpty()) UpdateWindow(hWnd);
  return client_part.IsEmpty() ? FALSE : TRUE;
}

int GetUpdateRgn(HWND hWnd, HRGN hRgn, BOOL) {
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return 0;
  platform::gdi::Region client_part = w->update;
  client_part.Intersect(w->client);
  client_part.Offset(-w->client.left, -w->client.top);
  platform::user::SetHandleRegion(hRgn, client_part);
  return platform::gdi::RegionType(client_part);
}

BOOL UpdateWindow(HWND hWnd) {
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return FALSE;
  if ((!w->update.IsEmpty() || w->internal_paint) && platform::user::IsReallyVisible(w)) {
    SendMessageA(hWnd, WM_PAINT, 0, 0);
  }
  std::vector<Window*> children = w->children;
  for (Window* c : children) {
    if (IsWindow(c->hwnd)) UpdateWindow(c->hwnd);
  }
  return TRUE;
}

HDC BeginPaint(HWND hWnd, LPPAINTSTRUCT lpPaint) {
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr || lpPaint == nullptr) return nullptr;
  *lpPaint = PAINTSTRUCT{};
  if (w->frame_pending) {
    w->frame_pending = false;
    SendMessageA(hWnd, WM_NCPAINT, 1, 0);
    if (!IsWindow(hWnd)) return nullptr;
  }
  platform::gdi::Region update = w->update;
  update.Intersect(platform::user::ClientArea(w));
  bool erase = w->erase_pending;
  w->update.Clear();
  w->erase_pending = false;
  w->internal_paint = false;
  platform::user::HideCaretForPaint(w, update);  // EndPaint shows it again
  HDC dc = platform::user::MakeDc(w, DcArea::kClient, &update);
  if (dc == nullptr) {
    platform::user::ShowCaretAfterPaint(hWnd);
    return nullptr;
  }
  RECT box = update.Bounds();
  lpPaint->hdc = dc;
  lpPaint->rcPaint = update.IsEmpty()
                         ? RECT{0, 0, 0, 0}
                         : RECT{box.left - w->client.left, box.top - w->client.top,
                                box.right - w->client.left, box.bottom - w->client.top};
  lpPaint->fErase = TRUE;
  if (erase && !update.IsEmpty()) {
    lpPaint->fErase =
        SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) ? FALSE : TRUE;
  }
  return dc;
}

BOOL EndPaint(HWND hWnd, const PAINTSTRUCT* lpPaint) {
  if (lpPaint == nullptr) return FALSE;
  BOOL released = platform::gdi::DeleteWindowDc(lpPaint->hdc) ? TRUE : FALSE;
  platform::user::ShowCaretAfterPaint(hWnd);
  return released;
}

HDC GetDCEx(HWND hWnd, HRGN hrgnClip, DWORD flags) {
  if (hWnd == nullptr || hWnd == GetDesktopWindow()) return platform::user::ScreenDc();
  Window* w = platform::user::FindWindow(hWnd);
  if (w == nullptr) return nullptr;
  platform::gdi::Region limit;
  bool limited = false;
  if (hrgnClip && (flags & (DCX_INTERSECTRGN | DCX_EXCLUDERGN))) {
    platform::gdi::Region clip;
    if (platform::user::RegionOfHandle(hrgnClip, &clip)) {
      DcArea area = (flags & DCX_WINDOW) ? DcArea::kWindow : DcArea::kClient;
      if (area == DcArea::kClient) clip.Offset(w->client.left, w->client.top);
      limit =
          area == DcArea::kClient ? platform::user::ClientArea(w) : platform::user::WindowArea(w);
      if (flags & DCX_INTERSECTRGN)
        limit.Intersect(clip);
      else
        limit.Subtract(clip);
      limited = true;
    }
  }
  return platform::user::MakeDc(w, (flags & DCX_WINDOW) ? DcArea::kWindow : DcArea::kClient,
                                limited ? &limit : nullptr);
}

HDC GetDC(HWND hWnd) { return GetDCEx(hWnd, nullptr, DCX_CACHE); }

HDC GetWindowDC(HWND hWnd) { return GetDCEx(hWnd, nullptr, DCX_WINDOW | DCX_CACHE); }

int ReleaseDC(HWND, HDC hDC) { return platform::gdi::DeleteWindowDc(hDC) ? 1 : 0; }
