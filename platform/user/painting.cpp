#include "platform/user/painting.h"

#include "platform/gdi/window_dc.h"
#include "platform/user/message_queue.h"
#include "platform/user/window_class.h"
#include "platform/win32.h"

namespace platform::user {

namespace {

RECT Offset(RECT r, POINT by) {
  return {r.left + by.x, r.top + by.y, r.right + by.x, r.bottom + by.y};
}

RECT SizeRect(const Window* w) { return {0, 0, w->Width(), w->Height()}; }

// Depth-first, parents before children, topmost first.
HWND FindIn(const std::vector<Window*>& windows, DWORD thread_id, HWND filter) {
  for (Window* w : windows) {
    if (!w->IsVisibleFlag() || w->destroying) continue;
    bool wanted = filter == nullptr || w->hwnd == filter || IsChild(filter, w->hwnd);
    if (wanted && w->thread_id == thread_id && (!w->update.IsEmpty() || w->internal_paint)) {
      return w->hwnd;
    }
    if (HWND child = FindIn(w->children, thread_id, filter)) return child;
  }
  return nullptr;
}

// The part of `w`'s siblings above it that hides it, in its parent's client
// coordinates.
gdi::Region SiblingsAbove(const Window* w) {
  gdi::Region cover;
  for (const Window* s : SiblingsOf(const_cast<Window*>(w))) {
    if (s == w) break;
    if (!s->IsVisibleFlag()) continue;
    gdi::Region area = WindowArea(s);
    area.Offset(s->rect.left, s->rect.top);
    cover.Union(area);
  }
  return cover;
}

}  // namespace

HWND FindWindowToPaint(DWORD thread_id, HWND filter) {
  return FindIn(TopLevels(), thread_id, filter);
}

gdi::Region WindowArea(const Window* w) {
  gdi::Region area(SizeRect(w));
  if (w->has_window_region) area.Intersect(w->window_region);
  return area;
}

gdi::Region ClientArea(const Window* w) {
  gdi::Region area(w->client);
  if (w->has_window_region) area.Intersect(w->window_region);
  return area;
}

gdi::Region VisibleRegion(const Window* w, DcArea area) {
  if (!IsReallyVisible(w)) return {};
  gdi::Region visible = area == DcArea::kClient ? ClientArea(w) : WindowArea(w);
  if (area == DcArea::kClient && (w->style & WS_CLIPCHILDREN)) {
    for (const Window* c : w->children) {
      if (!c->IsVisibleFlag()) continue;
      gdi::Region child = WindowArea(c);
      child.Offset(w->client.left + c->rect.left, w->client.top + c->rect.top);
      visible.Subtract(child);
    }
  }
  // Walk up: clip by each ancestor's client area, and by siblings above.
  const Window* cur = w;
  while (!cur->IsTopLevel()) {
    visible.Offset(cur->rect.left, cur->rect.top);  // now in parent client coordinates
    if (cur->style & WS_CLIPSIBLINGS) visible.Subtract(SiblingsAbove(cur));
    const Window* parent = cur->parent;
    RECT parent_client{0, 0, parent->client.right - parent->client.left,
                       parent->client.bottom - parent->client.top};
    visible.Intersect(parent_client);
    visible.Offset(parent->client.left, parent->client.top);  // parent window coordinates
    if (parent->has_window_region) visible.Intersect(parent->window_region);
    cur = parent;
  }
  return visible;
}

void Invalidate(Window* w, const gdi::Region& region, bool erase, bool frame, bool children) {
  gdi::Region part = region;
  part.Intersect(WindowArea(w));
  if (part.IsEmpty()) return;
  bool was_clean = w->update.IsEmpty() && !w->internal_paint;
  w->update.Union(part);
  w->erase_pending |= erase;
  gdi::Region outside_client = part;
  outside_client.Subtract(w->client);
  w->frame_pending |= frame && !outside_client.IsEmpty();
  if (children && !(w->style & WS_CLIPCHILDREN)) {
    for (Window* c : w->children) {
      gdi::Region in_child = part;
      in_child.Offset(-(w->client.left + c->rect.left), -(w->client.top + c->rect.top));
      Invalidate(c, in_child, erase, true, true);
    }
  }
  if (was_clean) QueueOf(w->thread_id).Notify();
}

void Validate(Window* w, const gdi::Region& region, bool children) {
  w->update.Subtract(region);
  if (w->update.IsEmpty()) {
    w->erase_pending = false;
    w->frame_pending = false;
  }
  if (!children) return;
  for (Window* c : w->children) {
    gdi::Region in_child = region;
    in_child.Offset(-(w->client.left + c->rect.left), -(w->client.top + c->rect.top));
    Validate(c, in_child, true);
  }
}

void ExposeAfterMove(Window* w, const RECT& old_rect, bool resized) {
  if (w->IsTopLevel()) {
    // Its own surface moves with it; only a new size needs new pixels.
    if (resized) Invalidate(w, WindowArea(w), true, true, true);
    return;
  }
  Window* parent = w->parent;
  gdi::Region exposed(old_rect);
  exposed.Union(w->rect);
  exposed.Offset(parent->client.left, parent->client.top);
  // The parent paints what the window left and its siblings below repaint.
  Invalidate(parent, exposed, true, false, false);
  bool below = false;
  for (Window* s : parent->children) {
    if (s == w) {
      below = true;
      continue;
    }
    if (!below || !s->IsVisibleFlag()) continue;
    gdi::Region in_sibling = exposed;
    in_sibling.Offset(-(parent->client.left + s->rect.left), -(parent->client.top + s->rect.top));
    Invalidate(s, in_sibling, true, true, true);
  }
  if (w->IsVisibleFlag()) Invalidate(w, WindowArea(w), true, true, true);
  (void)Offset;
}

}  // namespace platform::user
