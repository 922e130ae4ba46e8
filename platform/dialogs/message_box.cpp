// MessageBoxA: a modal popup window made of STATIC and BUTTON controls,
// built on the public facade as any Win32 program would build it.
//
// The box disables its owner (MB_APPLMODAL) or every top-level window of
// the thread (MB_TASKMODAL), runs its own message loop until a button
// answers, enables those windows again and only then destroys itself, so
// that activation returns to the owner. A WM_QUIT seen by its loop ends the
// box (with the Esc answer, or 0 when Esc does nothing) and is posted again
// for the caller's loop. On the headless display the box answers itself
// (answers.h) once it is shown.
//
// Index: the box window - building - modality - answering and the loop -
// MessageBoxA.
#include <algorithm>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/dialogs/answers.h"
#include "platform/dialogs/dialog_keys.h"
#include "platform/dialogs/message_box_icons.h"
#include "platform/dialogs/message_box_layout.h"

namespace platform::dialogs {

namespace {

constexpr char kClassName[] = "Mienzo.MessageBox";
constexpr int kIconId = 0x0014;  // the ids Windows gives a message box's icon and text
constexpr int kTextId = 0xFFFF;

struct Request {
  HWND owner = nullptr;  // a top-level window, or none
  std::string text;      // GBK
  std::string caption;   // GBK
  UINT style = 0;
};

// What one box offers and how it ended; lives on MessageBoxA's stack while
// the window refers to it.
struct BoxState {
  std::vector<int> buttons;
  int escape_answer = 0;  // Esc and the close box; 0: they do nothing
  int result = 0;
  bool ended = false;
};

// ---------------------------------------------------------------------------
// The box window
// ---------------------------------------------------------------------------

BoxState* StateOf(HWND box) { return reinterpret_cast<BoxState*>(GetWindowLongPtrA(box, 0)); }

void End(HWND box, int result) {
  BoxState* s = StateOf(box);
  if (s == nullptr || s->ended) return;
  s->result = result;
  s->ended = true;
}

LRESULT OnCommand(HWND box, WPARAM wparam) {
  const BoxState* s = StateOf(box);
  const int id = LOWORD(wparam);
  if (s == nullptr || HIWORD(wparam) != BN_CLICKED) return 0;
  if (std::find(s->buttons.begin(), s->buttons.end(), id) != s->buttons.end()) {
    End(box, id);
  } else if (id == IDCANCEL && s->escape_answer != 0) {
    End(box, s->escape_answer);
  }
  return 0;
}

LRESULT OnClose(HWND box) {
  const BoxState* s = StateOf(box);
  if (s != nullptr && s->escape_answer != 0) End(box, s->escape_answer);
  return 0;  // never DefWindowProc: the loop destroys the box
}

LRESULT BoxProc(HWND box, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
      SetWindowLongPtrA(box, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      return DefWindowProcA(box, message, wparam, lparam);
    }
    case WM_COMMAND:
      return OnCommand(box, wparam);
    case WM_CLOSE:
      return OnClose(box);
    case WM_DESTROY:
      End(box, 0);  // destroyed from outside (its owner went): unanswered
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrA(box, 0, 0);
      return DefWindowProcA(box, message, wparam, lparam);
    default:
      return DefWindowProcA(box, message, wparam, lparam);
  }
}

void RegisterBoxClass() {
  static std::once_flag once;
  std::call_once(once, [] {
    WNDCLASSA wc{};
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = BoxProc;
    wc.cbWndExtra = sizeof(LONG_PTR);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc);
  });
}

// ---------------------------------------------------------------------------
// Building
// ---------------------------------------------------------------------------

struct Box {
  HWND window = nullptr;
  HFONT font = nullptr;  // the message font, ours to delete
  HWND default_button = nullptr;
};

NONCLIENTMETRICSA Metrics() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return metrics;
}

int TextWidth(HDC dc, const std::string& text) {
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE);
  return r.right - r.left;
}

MessageBoxMeasures Measure(const Request& r, HFONT font, const std::vector<int>& buttons,
                           const RECT& work_area) {
  MessageBoxMeasures m;
  m.has_icon = MessageBoxIcon(r.style) != nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return m;
  HGDIOBJ old = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICA tm{};
  if (GetTextMetricsA(dc, &tm)) m.line_height = tm.tmHeight;
  RECT text{0, 0, MaxMessageTextWidth(work_area), 0};
  DrawTextA(dc, r.text.c_str(), -1, &text,
            DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  m.text = {text.right - text.left, text.bottom - text.top};
  for (int id : buttons) m.button_widths.push_back(TextWidth(dc, MessageBoxButtonCaption(id)));
  NONCLIENTMETRICSA metrics = Metrics();
  HFONT caption_font = CreateFontIndirectA(&metrics.lfCaptionFont);
  if (caption_font) SelectObject(dc, caption_font);
  m.caption_width = TextWidth(dc, r.caption);
  SelectObject(dc, old);
  if (caption_font) DeleteObject(caption_font);
  DeleteDC(dc);
  return m;
}

HWND AddControl(HWND box, const char* class_name, const char* text, DWORD style, const RECT& at,
                int id, HFONT font) {
  HWND control = CreateWindowExA(
      0, class_name, text, WS_CHILD | WS_VISIBLE | style, at.left, at.top, at.right - at.left,
      at.bottom - at.top, box, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  if (control == nullptr) return nullptr;
  // Below the ones made before, so that the z-order is the tab order.
  SetWindowPos(control, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (font) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

void AddControls(Box& box, const Request& r, const std::vector<int>& buttons,
                 const MessageBoxLayout& layout) {
  if (HICON icon = MessageBoxIcon(r.style)) {
    HWND holder = AddControl(box.window, "Static", nullptr, SS_ICON, layout.icon, kIconId, nullptr);
    if (holder) SendMessageA(holder, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
  }
  const DWORD align = (r.style & MB_RIGHT) ? SS_RIGHT : SS_LEFT;
  AddControl(box.window, "Static", r.text.c_str(), align | SS_NOPREFIX, layout.text, kTextId,
             box.font);
  const size_t default_index = DefaultButtonIndex(r.style, buttons.size());
  for (size_t i = 0; i < buttons.size(); ++i) {
    const DWORD style = WS_TABSTOP | (i == 0 ? WS_GROUP : 0) |
                        (i == default_index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND button = AddControl(box.window, "Button", MessageBoxButtonCaption(buttons[i]).c_str(),
                             style, layout.buttons[i], buttons[i], box.font);
    if (i == default_index) box.default_button = button;
  }
}

DWORD ExStyleOf(UINT style) {
  const bool topmost = (style & (MB_SYSTEMMODAL | MB_TOPMOST)) != 0;
  return WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | (topmost ? WS_EX_TOPMOST : 0);
}

Box Build(const Request& r, BoxState* state) {
  Box box;
  NONCLIENTMETRICSA metrics = Metrics();
  box.font = CreateFontIndirectA(&metrics.lfMessageFont);
  RECT work_area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work_area, 0);
  const MessageBoxMeasures measures = Measure(r, box.font, state->buttons, work_area);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  const DWORD ex_style = ExStyleOf(r.style);
  // The text may take what the work area leaves once frame and buttons fit.
  const MessageBoxLayout bare = LayOutMessageBox(measures, 0);
  RECT frame{0, 0, bare.client.cx, bare.client.cy};
  AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  const int room = (work_area.bottom - work_area.top) - (frame.bottom - frame.top);
  const MessageBoxLayout layout = LayOutMessageBox(measures, measures.line_height + room);
  frame = {0, 0, layout.client.cx, layout.client.cy};
  AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  const RECT place =
      PlaceMessageBox({frame.right - frame.left, frame.bottom - frame.top}, r.owner, work_area);
  box.window = CreateWindowExA(ex_style, kClassName, r.caption.c_str(), style, place.left,
                               place.top, place.right - place.left, place.bottom - place.top,
                               r.owner, nullptr, nullptr, state);
  if (box.window) AddControls(box, r, state->buttons, layout);
  return box;
}

// ---------------------------------------------------------------------------
// Modality
// ---------------------------------------------------------------------------

// The windows the box disables: the owner, or for a task-modal box every
// top-level window of this thread. Only those that were enabled, so that
// they alone are enabled again.
std::vector<HWND> DisableForModality(const Request& r) {
  std::vector<HWND> candidates;
  if ((r.style & MB_MODEMASK) == MB_TASKMODAL) {
    const DWORD thread = GetCurrentThreadId();
    for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
      if (GetWindowThreadProcessId(w, nullptr) == thread) candidates.push_back(w);
    }
  } else if (r.owner != nullptr) {
    candidates.push_back(r.owner);
  }
  std::vector<HWND> disabled;
  for (HWND w : candidates) {
    if (IsWindowEnabled(w)) {
      EnableWindow(w, FALSE);
      disabled.push_back(w);
    }
  }
  return disabled;
}

void EnableAgain(const std::vector<HWND>& disabled) {
  for (auto it = disabled.rbegin(); it != disabled.rend(); ++it) {
    if (IsWindow(*it)) EnableWindow(*it, TRUE);
  }
}

// ---------------------------------------------------------------------------
// Answering and the loop
// ---------------------------------------------------------------------------

// Nobody is at the screen: the queued button, else the default one, is
// clicked. A queued answer the box has no button for counts as none.
void AnswerUnattended(const Box& box, const Request& r, const BoxState& state) {
  std::optional<int> queued = TakeMessageBoxAnswer();
  HWND button = queued ? GetDlgItem(box.window, *queued) : nullptr;
  if (queued && button == nullptr) {
    LogUnanswered("MessageBox", r.caption,
                  r.text + " (queued answer " + std::to_string(*queued) + " is not a button here)");
  } else if (!queued) {
    LogUnanswered("MessageBox", r.caption, r.text);
  }
  if (button == nullptr) button = box.default_button;
  if (button != nullptr && !state.ended) SendMessageA(button, BM_CLICK, 0, 0);
}

// Runs until the box has an answer; returns the quit code when a WM_QUIT
// ended it.
std::optional<int> RunModalLoop(HWND box, const BoxState& state) {
  MSG msg;
  while (!state.ended) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);
    if (got < 0) break;
    if (!DialogMessage(box, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return std::nullopt;
}

void Show(const Box& box, UINT style) {
  ShowWindow(box.window, SW_SHOW);
  if (style & MB_SETFOREGROUND) SetForegroundWindow(box.window);
  if (box.default_button) FocusDialogControl(box.window, box.default_button);
  UpdateWindow(box.window);
}

int Run(const Request& r) {
  RegisterBoxClass();
  BoxState state;
  state.buttons = MessageBoxButtons(r.style);
  state.escape_answer = EscapeAnswer(state.buttons);
  const std::vector<HWND> disabled = DisableForModality(r);
  Box box = Build(r, &state);
  std::optional<int> quit;
  if (box.window != nullptr) {
    Show(box, r.style);
    ModalWindowShown(box.window);
    if (IsWindow(box.window) && !state.ended && DialogsAnswerThemselves()) {
      AnswerUnattended(box, r, state);
    }
    quit = RunModalLoop(box.window, state);
  }
  if (quit && !state.ended) {
    state.result = state.escape_answer;
    state.ended = true;
  }
  EnableAgain(disabled);
  if (IsWindow(box.window)) DestroyWindow(box.window);
  if (box.font) DeleteObject(box.font);
  if (quit) PostQuitMessage(*quit);
  return state.result;
}

}  // namespace

}  // namespace platform::dialogs

int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
  if (hWnd != nullptr && !IsWindow(hWnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (platform::dialogs::MessageBoxButtons(uType).empty()) {
    SetLastError(ERROR_INVALID_MSGBOX_STYLE);
    return 0;
  }
  platform::dialogs::Request request;
  request.owner = hWnd ? GetAncestor(hWnd, GA_ROOT) : nullptr;
  request.text = lpText ? lpText : "";
  request.caption = lpCaption ? lpCaption : platform::gbk::Gbk("错误");
  request.style = uType;
  return platform::dialogs::Run(request);
}
