// What the layer's common dialogs (ChooseColorA, ChooseFontA, the file
// dialogs) share: a
// modal top-level window built of standard controls on the public facade,
// placed over its owner, with the owner disabled while it runs its own
// message loop.
//
// The order at the end matters: the owner is enabled again before the
// dialog is destroyed, so that activation goes back to it; a WM_QUIT that
// ended the loop is posted again for the caller's loop.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "platform/win32.h"

namespace platform::dialogs {

// No WS_CLIPCHILDREN, as Windows' dialogs: a group box paints only its
// frame and title, so the dialog must paint the background inside it.
inline constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
inline constexpr DWORD kDialogExStyle =
    WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CONTROLPARENT;

// The font dialogs show their text in (the message font), ours to delete.
HFONT CreateDialogFont();

// The window rectangle for a client area of `client` size: centred over the
// owner (over the work area without one), kept inside the work area.
RECT PlaceDialog(SIZE client, HWND owner);

// Where a window of `size` goes centred over `over` (over the work area
// when null), kept inside the work area.
POINT CentreInWorkArea(SIZE size, HWND over);

// The window a dialog asked for by `requested` belongs to: its top-level
// window, or none.
HWND DialogOwner(HWND requested);

// Registers a dialog's window class: the 3D face behind it, the arrow
// cursor and one pointer-sized slot for its state.
void RegisterDialogWindowClass(const char* class_name, WNDPROC procedure);

// The messages every dialog window answers alike: WM_NCCREATE keeps the
// state passed to CreateWindowExA in the window's slot, WM_NCDESTROY
// forgets it, and WM_CLOSE and WM_DESTROY (its owner went) cancel through
// `cancel`, never DefWindowProc, since the run's end destroys the window.
// Empty for every other message.
std::optional<LRESULT> OnDialogLifetime(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                        void (*cancel)(HWND));

// A child control at `at` with id `id`, placed last in the z-order so that
// creation order is tab order. `style` gets WS_CHILD; WS_VISIBLE is the
// caller's to give. `params` reaches the control's WM_NCCREATE.
HWND AddDialogControl(HWND dialog, const char* class_name, const char* text, DWORD style,
                      const RECT& at, int id, HFONT font, DWORD ex_style = 0,
                      void* params = nullptr);

// Disables the owner (when it is enabled) for as long as the dialog runs.
class OwnerDisabled {
 public:
  explicit OwnerDisabled(HWND owner);
  // Enables the owner again; the destructor does it if nobody did.
  void Restore();
  ~OwnerDisabled() { Restore(); }
  OwnerDisabled(const OwnerDisabled&) = delete;
  OwnerDisabled& operator=(const OwnerDisabled&) = delete;

 private:
  HWND owner_ = nullptr;  // disabled by us, not yet enabled again
};

// A dialog's own look at a message before the dialog keyboard: true when
// it took the message.
using DialogMessageFilter = bool (*)(HWND dialog, const MSG& msg);

// Runs the dialog's loop until `*ended` (set by its window procedure);
// keys go through `filter`, when given, then the dialog keyboard
// (dialog_keys.h). Returns the quit code when a WM_QUIT ended it instead.
std::optional<int> RunDialogLoop(HWND dialog, const bool* ended,
                                 DialogMessageFilter filter = nullptr);

// Runs a built and shown dialog to its end: tells the display it is up,
// lets `answer_unattended` answer it when nobody is at the screen
// (answers.h), then runs its loop (RunDialogLoop).
std::optional<int> RunShownDialog(HWND dialog, const bool* ended,
                                  const std::function<void()>& answer_unattended,
                                  DialogMessageFilter filter = nullptr);

// True for an owner that may own a dialog: none, or a live window.
bool IsUsableOwner(HWND owner);

}  // namespace platform::dialogs
