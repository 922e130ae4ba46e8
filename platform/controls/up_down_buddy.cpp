// The up-down control's buddy window: the position written into its text
// and read back from it, its place beside the control, and the subclass
// through which Up and Down pressed in it step the position.
//
// The subclass keeps the buddy's own procedure in a window property and
// gives it back when the buddy changes, unless another subclass was put on
// top meanwhile: then ours stays in the chain and only forwards.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/controls/up_down.h"

namespace platform::controls::updown {

namespace {

constexpr char kOwnerProp[] = "Mienzo.UpDown";                   // the up-down served
constexpr char kPreviousProcProp[] = "Mienzo.UpDown.BuddyProc";  // the buddy's procedure

// ---------------------------------------------------------------------------
// Text
// ---------------------------------------------------------------------------

std::string WindowText(HWND hwnd) {
  const int length = GetWindowTextLengthA(hwnd);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(hwnd, text.data(), length + 1);
  text.resize(static_cast<size_t>(std::max(copied, 0)));
  return text;
}

bool SameClassName(HWND hwnd, const char* name) {
  char actual[32] = {};
  if (GetClassNameA(hwnd, actual, sizeof actual) == 0) return false;
  for (size_t i = 0;; ++i) {
    const auto a = static_cast<unsigned char>(actual[i]);
    const auto b = static_cast<unsigned char>(name[i]);
    if (std::tolower(a) != std::tolower(b)) return false;
    if (a == 0) return true;
  }
}

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// ---------------------------------------------------------------------------
// The subclass
// ---------------------------------------------------------------------------

WNDPROC PreviousProcOf(HWND buddy) {
  return reinterpret_cast<WNDPROC>(reinterpret_cast<LONG_PTR>(GetPropA(buddy, kPreviousProcProp)));
}

// The up-down a buddy serves, if that window still is one.
UpDown* OwnerOf(HWND buddy) {
  HWND owner = static_cast<HWND>(GetPropA(buddy, kOwnerProp));
  if (owner == nullptr || !SameClassName(owner, UPDOWN_CLASSA)) return nullptr;
  UpDown* u = UpDownOf(owner);
  return u != nullptr && u->buddy == buddy ? u : nullptr;
}

LRESULT BuddyProc(HWND buddy, UINT message, WPARAM wparam, LPARAM lparam);

// Gives the buddy its own procedure back when ours is the one it runs.
void Unhook(HWND buddy) {
  const auto ours = reinterpret_cast<LONG_PTR>(&BuddyProc);
  if (GetWindowLongPtrA(buddy, GWLP_WNDPROC) != ours) return;
  const auto previous = reinterpret_cast<LONG_PTR>(RemovePropA(buddy, kPreviousProcProp));
  if (previous != 0) SetWindowLongPtrA(buddy, GWLP_WNDPROC, previous);
}

void Hook(HWND buddy, HWND owner) {
  if (GetPropA(buddy, kPreviousProcProp) == nullptr) {
    const LONG_PTR previous =
        SetWindowLongPtrA(buddy, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BuddyProc));
    if (previous == 0) return;
    SetPropA(buddy, kPreviousProcProp, reinterpret_cast<HANDLE>(previous));
  }
  SetPropA(buddy, kOwnerProp, owner);
}

void Release(HWND buddy, HWND owner) {
  if (!IsWindow(buddy) || GetPropA(buddy, kOwnerProp) != owner) return;
  RemovePropA(buddy, kOwnerProp);
  Unhook(buddy);
}

LRESULT BuddyProc(HWND buddy, UINT message, WPARAM wparam, LPARAM lparam) {
  const WNDPROC previous = PreviousProcOf(buddy);
  switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (UpDown* u = OwnerOf(buddy); u && HandleArrowKey(*u, message, wparam)) return 0;
      break;
    case WM_KILLFOCUS:
      // The key's release will go elsewhere.
      if (UpDown* u = OwnerOf(buddy); u && u->held_by_key) EndHold(*u);
      break;
    case WM_NCDESTROY:
      if (UpDown* u = OwnerOf(buddy)) u->buddy = nullptr;
      RemovePropA(buddy, kOwnerProp);
      Unhook(buddy);
      RemovePropA(buddy, kPreviousProcProp);
      break;
    default:
      break;
  }
  if (previous == nullptr) return DefWindowProcA(buddy, message, wparam, lparam);
  return CallWindowProcA(previous, buddy, message, wparam, lparam);
}

// ---------------------------------------------------------------------------
// Placement
// ---------------------------------------------------------------------------

// Screen coordinates into `window`'s parent's client coordinates.
RECT InParentOf(HWND window, RECT r) {
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// UDS_ALIGNRIGHT / UDS_ALIGNLEFT: the control keeps its width, takes the
// buddy's top and height and sits against its side; the buddy gives up that
// width.
void AlignBesideBuddy(const UpDown& u) {
  const DWORD style = StyleOf(u.hwnd);
  if (u.buddy == nullptr || !(style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT))) return;
  RECT buddy, self;
  GetWindowRect(u.buddy, &buddy);
  GetWindowRect(u.hwnd, &self);
  int width = self.right - self.left;
  if (width <= 0) width = GetSystemMetrics(SM_CXVSCROLL);
  const int buddy_width = std::max(0, static_cast<int>(buddy.right - buddy.left) - width);
  const int height = buddy.bottom - buddy.top;
  RECT spin{buddy.left, buddy.top, buddy.left + width, buddy.bottom};
  RECT narrowed = buddy;
  if (style & UDS_ALIGNRIGHT) {
    narrowed.right = buddy.left + buddy_width;
    OffsetRect(&spin, buddy_width, 0);
  } else {
    narrowed.left = buddy.right - buddy_width;
  }
  const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  narrowed = InParentOf(u.buddy, narrowed);
  SetWindowPos(u.buddy, nullptr, narrowed.left, narrowed.top, buddy_width, height, flags);
  spin = InParentOf(u.hwnd, spin);
  SetWindowPos(u.hwnd, nullptr, spin.left, spin.top, width, height, flags);
}

}  // namespace

// ---------------------------------------------------------------------------
// Position text
// ---------------------------------------------------------------------------

std::string FormatPosition(int pos, int base, bool no_thousands) {
  char buffer[24];
  if (base == 16) {
    std::snprintf(buffer, sizeof buffer, "0x%04X", static_cast<unsigned>(pos));
    return buffer;
  }
  std::snprintf(buffer, sizeof buffer, "%lld", std::llabs(static_cast<long long>(pos)));
  std::string digits = buffer;
  if (!no_thousands) {
    for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, ',');
  }
  return pos < 0 ? "-" + digits : digits;
}

std::optional<int> ParsePosition(std::string_view text, int base, bool no_thousands) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  if (base == 16 && text.size() - i > 2 && text[i] == '0' && (text[i + 1] | 0x20) == 'x') i += 2;
  const bool separators = base == 10 && !no_thousands;
  int64_t value = 0;
  int digits = 0;
  for (; i < text.size(); ++i) {
    if (separators && text[i] == ',' && digits > 0) continue;
    const int digit = DigitValue(text[i]);
    if (digit >= base) return std::nullopt;
    value = value * base + digit;
    if (value > UINT32_MAX) return std::nullopt;
    ++digits;
  }
  if (digits == 0) return std::nullopt;
  if (negative) value = -value;
  // Hexadecimal text is the position's 32 bits, as FormatPosition writes it.
  if (base == 16 && value > INT32_MAX) value -= int64_t{1} << 32;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<int>(value);
}

// ---------------------------------------------------------------------------
// The buddy
// ---------------------------------------------------------------------------

HWND SetBuddy(UpDown& u, HWND buddy) {
  HWND old = u.buddy;
  if (old != nullptr) Release(old, u.hwnd);
  u.buddy = buddy != nullptr && IsWindow(buddy) && buddy != u.hwnd ? buddy : nullptr;
  if (u.buddy != nullptr) {
    Hook(u.buddy, u.hwnd);
    AlignBesideBuddy(u);
  }
  return old;
}

void ShowPositionInBuddy(const UpDown& u) {
  if (u.buddy == nullptr || !(StyleOf(u.hwnd) & UDS_SETBUDDYINT)) return;
  const std::string text = FormatPosition(u.pos, u.base, (StyleOf(u.hwnd) & UDS_NOTHOUSANDS) != 0);
  if (WindowText(u.buddy) != text) SetWindowTextA(u.buddy, text.c_str());
}

bool ReadPositionFromBuddy(UpDown& u) {
  if (u.buddy == nullptr || !(StyleOf(u.hwnd) & UDS_SETBUDDYINT)) return false;
  const std::optional<int> value =
      ParsePosition(WindowText(u.buddy), u.base, (StyleOf(u.hwnd) & UDS_NOTHOUSANDS) != 0);
  if (!value || *value < std::min(u.min, u.max) || *value > std::max(u.min, u.max)) return false;
  u.pos = *value;
  return true;
}

bool BuddyIsEdit(const UpDown& u) { return u.buddy != nullptr && SameClassName(u.buddy, "Edit"); }

void SelectBuddyText(const UpDown& u) {
  if (BuddyIsEdit(u)) SendMessageA(u.buddy, EM_SETSEL, 0, -1);
}

}  // namespace platform::controls::updown
