// The EDIT control on the headless display, driven the way a person or a
// program drives it: keys, text and clicks through the display's input, and
// messages through SendMessageA.
//
// Sections: double-byte text - selection and undo - filters and
// notifications - multi-line - mouse - clipboard - painting - the picture in
// the documentation.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/base/gbk.h"
#include "platform/display/headless.h"
#include "platform/win32.h"

namespace platform::controls {
namespace {

using gbk::Gbk;

constexpr char kParentClass[] = "EditTestParent";
constexpr int kId = 7;
constexpr POINT kOrigin{50, 50};  // the parent's client area on the screen

// What the parent heard from its edit boxes.
struct Heard {
  std::vector<WORD> codes;
  std::vector<UINT> color_requests;
  bool painted_at_change = true;  // nothing left to paint at each EN_CHANGE
};
Heard* g_heard = nullptr;

LRESULT ParentProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (g_heard && message == WM_COMMAND && LOWORD(wparam) == kId) {
    g_heard->codes.push_back(HIWORD(wparam));
    auto edit = reinterpret_cast<HWND>(lparam);
    if (HIWORD(wparam) == EN_CHANGE && GetUpdateRect(edit, nullptr, FALSE)) {
      g_heard->painted_at_change = false;
    }
  }
  if (g_heard && (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC)) {
    g_heard->color_requests.push_back(message);
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

class EditControl : public ::testing::Test {
 protected:
  void SetUp() override {
    g_heard = &heard_;
    WNDCLASSA wc{};
    wc.lpfnWndProc = ParentProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kParentClass;
    RegisterClassA(&wc);
    parent_ = CreateWindowExA(0, kParentClass, "", WS_POPUP | WS_VISIBLE, kOrigin.x, kOrigin.y, 600,
                              400, nullptr, nullptr, nullptr, nullptr);
    display_.Click(kOrigin.x + 590, kOrigin.y + 390);  // no click of an earlier test counts
    display_.PumpUntilIdle();
  }

  void TearDown() override {
    DestroyWindow(parent_);
    display_.PumpUntilIdle();
    UnregisterClassA(kParentClass, nullptr);
    g_heard = nullptr;
  }

  HWND Make(DWORD style, const std::string& text, RECT r = {10, 10, 210, 30}) {
    HWND edit =
        CreateWindowExA(0, "EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                        r.right - r.left, r.bottom - r.top, parent_,
                        reinterpret_cast<HMENU>(static_cast<intptr_t>(kId)), nullptr, nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
                 TRUE);
    display_.PumpUntilIdle();
    return edit;
  }

  HWND Focused(DWORD style, const std::string& text, RECT r = {10, 10, 210, 30}) {
    HWND edit = Make(style, text, r);
    SetFocus(edit);
    display_.PumpUntilIdle();
    heard_ = {};
    return edit;
  }

  static std::string Text(HWND edit) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
    return text;
  }

  static std::pair<DWORD, DWORD> Sel(HWND edit) {
    DWORD start = 0, end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }

  void Keys(std::initializer_list<UINT> keys, UINT modifier = 0) {
    if (modifier) display_.KeyDown(modifier);
    for (UINT vk : keys) display_.Key(vk);
    if (modifier) display_.KeyUp(modifier);
    display_.PumpUntilIdle();
  }

  // Screen point of a client point of `edit`.
  static POINT OnScreen(HWND edit, POINT client) {
    ClientToScreen(edit, &client);
    return client;
  }

  // Screen point at the left edge of the character at `pos`.
  static POINT AtChar(HWND edit, size_t pos) {
    LRESULT at = SendMessageA(edit, EM_POSFROMCHAR, pos, 0);
    return OnScreen(edit, {GET_X_LPARAM(at), GET_Y_LPARAM(at) + 4});
  }

  // The pixels of an edit box's client area.
  std::vector<uint32_t> ClientPixels(HWND edit) const {
    RECT rc;
    GetClientRect(edit, &rc);
    const POINT top_left = OnScreen(edit, {0, 0});
    const std::vector<uint32_t> screen = display_.ComposeScreen();
    const int screen_width = display_.Screen().width;
    std::vector<uint32_t> pixels;
    for (int y = 0; y < rc.bottom; ++y) {
      for (int x = 0; x < rc.right; ++x) {
        pixels.push_back(
            screen[static_cast<size_t>(top_left.y + y) * screen_width + top_left.x + x]);
      }
    }
    return pixels;
  }

  static int CountColor(const std::vector<uint32_t>& pixels, COLORREF color) {
    const uint32_t rgb = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    int n = 0;
    for (uint32_t p : pixels) n += (p & 0xFFFFFF) == rgb;
    return n;
  }

  int Count(WORD code) const {
    int n = 0;
    for (WORD c : heard_.codes) n += c == code;
    return n;
  }

  HeadlessDisplay display_;
  Heard heard_;
  HWND parent_ = nullptr;
};

// ---------------------------------------------------------------------------
// Double-byte text
// ---------------------------------------------------------------------------

TEST_F(EditControl, CaretAndSelectionNeverStopBetweenLeadAndTrailByte) {
  HWND edit = Focused(ES_AUTOHSCROLL, Gbk("a中b"));
  SendMessageA(edit, EM_SETSEL, 2, 2);
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD{1}, DWORD{1})) << "EM_SETSEL inside 中 snaps to it";
  Keys({VK_RIGHT});
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD{3}, DWORD{3}));
  Keys({VK_LEFT}, VK_SHIFT);
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD{1}, DWORD{3})) << "Shift+Left selects 中 whole";
  Keys({VK_END});
  Keys({VK_BACK, VK_BACK});
  EXPECT_EQ(Text(edit), "a");
  Keys({VK_HOME});
  Keys({VK_DELETE});
  EXPECT_EQ(Text(edit), "");
}

TEST_F(EditControl, GbkTextArrivesWholeWhetherTypedOrSentByteByByte) {
  HWND edit = Focused(ES_AUTOHSCROLL, "");
  display_.Type("中文");
  display_.PumpUntilIdle();
  EXPECT_EQ(Text(edit), Gbk("中文"));
  EXPECT_EQ(Count(EN_CHANGE), 2) << "one change per character, never per byte";
  SendMessageA(edit, WM_CHAR, 0xD6, 1);
  EXPECT_EQ(Text(edit), Gbk("中文")) << "the lead byte waits for its trail";
  SendMessageA(edit, WM_CHAR, 0xD0, 1);
  EXPECT_EQ(Text(edit), Gbk("中文中"));
  SendMessageA(edit, WM_IME_CHAR, 0xCEC4, 1);  // 文, lead byte high
  EXPECT_EQ(Text(edit), Gbk("中文中文"));
  heard_ = {};
  SendMessageA(edit, WM_CHAR, 0xD6, 1);
  SendMessageA(edit, WM_CHAR, '1', 1);  // below the trail bytes' range
  EXPECT_EQ(Text(edit), Gbk("中文中文") + "1") << "a lead byte without a trail is dropped";
  EXPECT_EQ(Count(EN_CHANGE), 1);
}

TEST_F(EditControl, TheLimitRefusesHalfACharacterAndSaysSo) {
  HWND edit = Focused(ES_AUTOHSCROLL, "");
  SendMessageA(edit, EM_LIMITTEXT, 4, 0);
  EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 4);
  display_.Type("abc中");
  display_.PumpUntilIdle();
  EXPECT_EQ(Text(edit), "abc");
  EXPECT_EQ(Count(EN_MAXTEXT), 1);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Gbk("一二三").c_str()));
  EXPECT_EQ(Text(edit), Gbk("一二")) << "a program's text is cut at whole characters too";
  SendMessageA(edit, EM_LIMITTEXT, 0, 0);
  EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(EditControl, BufferedReadsCopyWholeCharactersOnly) {
  HWND edit = Make(ES_MULTILINE | ES_AUTOHSCROLL, Gbk("中文\r\nab"), {10, 10, 210, 80});
  char buffer[8] = {};
  EXPECT_EQ(GetWindowTextA(edit, buffer, 4), 2);
  EXPECT_EQ(std::string(buffer), Gbk("中"));
  WORD size = 3;
  std::memcpy(buffer, &size, sizeof size);
  EXPECT_EQ(SendMessageA(edit, EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer)), 2);
  EXPECT_EQ(std::string(buffer, 2), Gbk("中"));
}

// ---------------------------------------------------------------------------
// Selection and undo
// ---------------------------------------------------------------------------

TEST_F(EditControl, SetSelFollowsTheMinusOneRules) {
  HWND edit = Focused(ES_AUTOHSCROLL, "hello");
  SendMessageA(edit, EM_SETSEL, 0, -1);
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD{0}, DWORD{5})) << "0, -1 selects everything";
  SendMessageA(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD{5}, DWORD{5})) << "start -1 drops the selection";
  SendMessageA(edit, EM_SETSEL, 2, 99);
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD{2}, DWORD{5}));
  SendMessageA(edit, EM_SETSEL, 4, 1);
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD{1}, DWORD{4}));
  Keys({VK_RIGHT}, VK_SHIFT);
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD{2}, DWORD{4})) << "the caret was at the end given: 1";
}

TEST_F(EditControl, UndoTakesBackTheTypingAndASecondUndoRedoesIt) {
  HWND edit = Focused(ES_AUTOHSCROLL, "x");
  SendMessageA(edit, EM_SETSEL, 1, 1);
  display_.Type("ab");
  display_.PumpUntilIdle();
  EXPECT_EQ(SendMessageA(edit, EM_GETMODIFY, 0, 0), TRUE);
  ASSERT_EQ(SendMessageA(edit, EM_CANUNDO, 0, 0), TRUE);
  Keys({'Z'}, VK_CONTROL);
  EXPECT_EQ(Text(edit), "x");
  Keys({'Z'}, VK_CONTROL);
  EXPECT_EQ(Text(edit), "xab");
  EXPECT_EQ(SendMessageA(edit, EM_UNDO, 0, 0), TRUE);
  EXPECT_EQ(Text(edit), "x");
  SendMessageA(edit, EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_EQ(SendMessageA(edit, EM_CANUNDO, 0, 0), FALSE);
  SetWindowTextA(edit, "new");
  EXPECT_EQ(SendMessageA(edit, EM_GETMODIFY, 0, 0), FALSE);
}

// ---------------------------------------------------------------------------
// Filters and notifications
// ---------------------------------------------------------------------------

TEST_F(EditControl, OneKeystrokeIsOneUpdateAndOneChangeAfterItIsShown) {
  HWND edit = Focused(ES_AUTOHSCROLL, "");
  display_.Type("x");
  display_.PumpUntilIdle();
  EXPECT_EQ(heard_.codes, (std::vector<WORD>{EN_UPDATE, EN_CHANGE}));
  EXPECT_TRUE(heard_.painted_at_change);
  heard_ = {};
  SetWindowTextA(edit, "abc");
  EXPECT_EQ(Count(EN_CHANGE), 1) << "a single-line box reports its new text";
  HWND multi = Make(ES_MULTILINE, "", {10, 40, 210, 100});
  heard_ = {};
  SetWindowTextA(multi, "abc");
  EXPECT_EQ(Count(EN_CHANGE), 0) << "a multi-line one does not";
  SetFocus(multi);
  display_.PumpUntilIdle();
  EXPECT_EQ(Count(EN_KILLFOCUS), 1);
  EXPECT_EQ(Count(EN_SETFOCUS), 1);
}

TEST_F(EditControl, CaseNumberAndReadOnlyFiltersApplyToTypedText) {
  HWND upper = Focused(ES_UPPERCASE | ES_AUTOHSCROLL, "");
  display_.Type("ab中c");
  display_.PumpUntilIdle();
  EXPECT_EQ(Text(upper), Gbk("AB中C"));
  HWND number = Focused(ES_NUMBER | ES_AUTOHSCROLL, "");
  display_.Type("1a-2");
  display_.PumpUntilIdle();
  EXPECT_EQ(Text(number), "12");
  HWND read_only = Focused(ES_READONLY | ES_AUTOHSCROLL, "fixed");
  display_.Type("x");
  Keys({VK_BACK});
  EXPECT_EQ(Text(read_only), "fixed");
  InvalidateRect(read_only, nullptr, FALSE);
  display_.PumpUntilIdle();
  ASSERT_FALSE(heard_.color_requests.empty());
  EXPECT_EQ(heard_.color_requests.back(), static_cast<UINT>(WM_CTLCOLORSTATIC));
  SendMessageA(read_only, EM_SETREADONLY, FALSE, 0);
  display_.Type("!");
  display_.PumpUntilIdle();
  EXPECT_EQ(Text(read_only), "!fixed");
}

TEST_F(EditControl, ABoxThatDoesNotScrollTakesOnlyWhatItCanShow) {
  HWND edit = Focused(0, "", {10, 10, 50, 30});
  display_.Type("WWWWWWWWWWWW");
  display_.PumpUntilIdle();
  EXPECT_LT(Text(edit).size(), 12u);
  EXPECT_GT(Text(edit).size(), 0u);
  EXPECT_GT(Count(EN_MAXTEXT), 0);
}

TEST_F(EditControl, AlignmentPlacesShortTextInTheBox) {
  const auto x_of_start = [](HWND edit) {
    return GET_X_LPARAM(SendMessageA(edit, EM_POSFROMCHAR, 0, 0));
  };
  const int left = x_of_start(Make(ES_LEFT, "ab"));
  const int center = x_of_start(Make(ES_CENTER, "ab", {10, 40, 210, 60}));
  const int right = x_of_start(Make(ES_RIGHT, "ab", {10, 70, 210, 90}));
  EXPECT_LT(left, 10);
  EXPECT_GT(center, 80);
  EXPECT_LT(center, 100);
  EXPECT_GT(right, 180);
}

TEST_F(EditControl, DialogCodesAskForCharactersArrowsAndReturnOnlyWhenWanted) {
  const LRESULT base = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
  EXPECT_EQ(SendMessageA(Make(0, ""), WM_GETDLGCODE, 0, 0), base);
  EXPECT_EQ(SendMessageA(Make(ES_MULTILINE, ""), WM_GETDLGCODE, 0, 0), base);
  EXPECT_EQ(SendMessageA(Make(ES_MULTILINE | ES_WANTRETURN, ""), WM_GETDLGCODE, 0, 0),
            base | DLGC_WANTALLKEYS);
}

// ---------------------------------------------------------------------------
// Multi-line
// ---------------------------------------------------------------------------

TEST_F(EditControl, WrappedLinesCountAndIndexAtTheirSoftBreaks) {
  HWND edit = Make(ES_MULTILINE, "", {10, 10, 210, 200});
  SendMessageA(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  HDC dc = GetDC(edit);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SIZE two_words, three_words;
  GetTextExtentPoint32A(dc, "aaaa bbbb", 9, &two_words);
  GetTextExtentPoint32A(dc, "aaaa bbbb cccc", 14, &three_words);
  ReleaseDC(edit, dc);
  SetWindowPos(edit, nullptr, 0, 0, (two_words.cx + three_words.cx) / 2, 200,
               SWP_NOMOVE | SWP_NOZORDER);
  SetWindowTextA(edit, "aaaa bbbb cccc\r\nd");
  EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 3);
  EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 1, 0), 10) << "the wrapped line starts at cccc";
  EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 2, 0), 16) << "after the line break";
  EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 3, 0), -1);
  EXPECT_EQ(SendMessageA(edit, EM_LINELENGTH, 11, 0), 4);
  EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, 12, 0), 1);
  EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, 16, 0), 2);
  SetFocus(edit);
  Keys({VK_END});
  POINT caret;
  GetCaretPos(&caret);
  EXPECT_EQ(Sel(edit).second, 10u);
  EXPECT_EQ(caret.y, 0) << "End keeps the caret on the wrapped line, after its last space";
  EXPECT_GT(caret.x, 0);
  Keys({VK_RIGHT});
  GetCaretPos(&caret);
  EXPECT_GT(caret.y, 0) << "one step on: the next line";
}

TEST_F(EditControl, EnterStartsALineAndTheViewScrollsWithTheCaret) {
  HWND edit = Focused(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL, "", {10, 10, 210, 50});
  for (int i = 0; i < 6; ++i) {
    display_.Type("line");
    display_.Key(VK_RETURN);
  }
  display_.PumpUntilIdle();
  EXPECT_EQ(SendMessageA(edit, EM_GETLINECOUNT, 0, 0), 7);
  EXPECT_EQ(SendMessageA(edit, EM_LINEINDEX, 1, 0), 6) << "Enter puts in \\r\\n";
  const LRESULT first = SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
  EXPECT_GT(first, 0) << "the caret's line is in view";
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(edit, SB_VERT, &si));
  EXPECT_EQ(si.nPos, first);
  EXPECT_EQ(si.nMax, 6);
  heard_ = {};
  SendMessageA(edit, WM_VSCROLL, SB_LINEUP, 0);
  EXPECT_EQ(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), first - 1);
  EXPECT_EQ(Count(EN_VSCROLL), 1);
  Keys({VK_UP, VK_UP});
  EXPECT_EQ(SendMessageA(edit, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0), 4);
}

// ---------------------------------------------------------------------------
// Mouse
// ---------------------------------------------------------------------------

TEST_F(EditControl, ClicksPlaceTheCaretShiftExtendsAndADoubleClickTakesAWord) {
  HWND edit = Make(ES_AUTOHSCROLL, Gbk("hello 中文abc end"));
  POINT p = AtChar(edit, 1);
  display_.Click(p.x, p.y);
  display_.PumpUntilIdle();
  EXPECT_EQ(GetFocus(), edit);
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD{1}, DWORD{1}));
  p = AtChar(edit, 3);
  display_.KeyDown(VK_SHIFT);
  display_.Click(p.x, p.y);
  display_.KeyUp(VK_SHIFT);
  display_.PumpUntilIdle();
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD{1}, DWORD{3}));
  p = AtChar(edit, 8);
  display_.Click(p.x, p.y);
  display_.Click(p.x, p.y);
  display_.PumpUntilIdle();
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD{6}, DWORD{10})) << "the run of Chinese characters";
  display_.AdvanceTime(1000);
  p = AtChar(edit, 11);
  display_.Click(p.x, p.y);
  display_.Click(p.x, p.y);
  display_.PumpUntilIdle();
  EXPECT_EQ(Sel(edit), std::make_pair(DWORD{10}, DWORD{13}));
}

TEST_F(EditControl, DraggingPastTheEdgeKeepsScrollingAndSelecting) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "word ";
  HWND edit = Make(ES_AUTOHSCROLL, text);
  const POINT start = AtChar(edit, 0);
  display_.MoveMouse(start.x, start.y);
  display_.Press();
  display_.PumpUntilIdle();
  EXPECT_EQ(GetCapture(), edit);
  display_.MoveMouse(start.x + 300, start.y);  // right of the box
  display_.PumpUntilIdle();
  const DWORD after_move = Sel(edit).second;
  const LRESULT first_after_move = SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
  for (int i = 0; i < 5; ++i) {
    display_.AdvanceTime(100);
    display_.PumpUntilIdle();
  }
  EXPECT_GT(Sel(edit).second, after_move) << "the timer goes on while the pointer rests";
  EXPECT_GT(SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0), first_after_move);
  EXPECT_EQ(Sel(edit).first, 0u);
  display_.Release();
  display_.PumpUntilIdle();
  EXPECT_EQ(GetCapture(), nullptr);
}

// ---------------------------------------------------------------------------
// Clipboard
// ---------------------------------------------------------------------------

TEST_F(EditControl, PasteReplacesTheSelectionAndPasswordsAreNotCopied) {
  HWND source = Make(ES_AUTOHSCROLL, Gbk("复制me"));
  SendMessageA(source, EM_SETSEL, 0, -1);
  SendMessageA(source, WM_COPY, 0, 0);
  HWND target = Focused(ES_AUTOHSCROLL | ES_UPPERCASE, "abcdef", {10, 40, 210, 60});
  SendMessageA(target, EM_SETSEL, 1, 3);
  Keys({'V'}, VK_CONTROL);
  EXPECT_EQ(Text(target), "a" + Gbk("复制") + "MEdef") << "over 'bc', in upper case";
  Keys({'Z'}, VK_CONTROL);
  EXPECT_EQ(Text(target), "abcdef");
  HWND secret = Make(ES_PASSWORD | ES_AUTOHSCROLL, "hunter2", {10, 70, 210, 90});
  SendMessageA(secret, EM_SETSEL, 0, -1);
  SendMessageA(secret, WM_CUT, 0, 0);
  EXPECT_EQ(Text(secret), "hunter2");
  SendMessageA(target, EM_SETSEL, 0, -1);
  SendMessageA(target, WM_PASTE, 0, 0);
  EXPECT_EQ(Text(target), Gbk("复制") + "ME") << "the clipboard still holds the earlier copy";
  Keys({'A', 'X'}, VK_CONTROL);
  EXPECT_EQ(Text(target), "") << "Ctrl+A, Ctrl+X";
  Keys({'V', 'V'}, VK_CONTROL);
  EXPECT_EQ(Text(target), Gbk("复制") + "ME" + Gbk("复制") + "ME");
}

// ---------------------------------------------------------------------------
// Painting
// ---------------------------------------------------------------------------

TEST_F(EditControl, APasswordBoxShowsEchoCharactersAndNoneOfItsText) {
  HWND secret = Make(ES_PASSWORD | ES_AUTOHSCROLL, Gbk("中a"));
  HWND stars = Make(ES_AUTOHSCROLL, "**", {10, 40, 210, 60});
  HWND plain = Make(ES_AUTOHSCROLL, Gbk("中a"), {10, 70, 210, 90});
  EXPECT_EQ(SendMessageA(secret, EM_GETPASSWORDCHAR, 0, 0), '*');
  EXPECT_EQ(ClientPixels(secret), ClientPixels(stars)) << "one '*' a character, double-byte too";
  SendMessageA(secret, EM_SETPASSWORDCHAR, 0, 0);
  display_.PumpUntilIdle();
  EXPECT_EQ(ClientPixels(secret), ClientPixels(plain)) << "no echo character: the text";
  EXPECT_EQ(GetWindowLongA(secret, GWL_STYLE) & ES_PASSWORD, 0);
}

TEST_F(EditControl, SelectionIsHighlightedWhileFocusedOrWithNoHideSel) {
  HWND edit = Make(ES_AUTOHSCROLL, "selected");
  HWND kept = Make(ES_AUTOHSCROLL | ES_NOHIDESEL, "selected", {10, 40, 210, 60});
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(kept, EM_SETSEL, 0, -1);
  display_.PumpUntilIdle();
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(CountColor(ClientPixels(edit), highlight), 0) << "hidden without the focus";
  EXPECT_GT(CountColor(ClientPixels(kept), highlight), 0);
  SetFocus(edit);
  display_.PumpUntilIdle();
  EXPECT_GT(CountColor(ClientPixels(edit), highlight), 0);
}

TEST_F(EditControl, ADisabledBoxDrawsGreyText) {
  HWND edit = Make(ES_AUTOHSCROLL, "WWW");
  const COLORREF text = GetSysColor(COLOR_WINDOWTEXT), grey = GetSysColor(COLOR_GRAYTEXT);
  EXPECT_GT(CountColor(ClientPixels(edit), text), 0);
  EnableWindow(edit, FALSE);
  display_.PumpUntilIdle();
  EXPECT_EQ(CountColor(ClientPixels(edit), text), 0);
  EXPECT_GT(CountColor(ClientPixels(edit), grey), 0);
}

// The boxes of the documentation's picture; MIENZO_SCREENSHOT_DIR keeps it
// (docs/images/controls-edit.png, taken with MIENZO_SCREEN=400x290).
TEST(EditShowcase, ReadOnlyBoxesAreGreyAndMultiLineBoxesScroll) {
  HeadlessDisplay display;
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "EditShowcase";
  RegisterClassA(&wc);
  HWND frame = CreateWindowExA(0, "EditShowcase", "EDIT", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10,
                               380, 270, nullptr, nullptr, nullptr, nullptr);
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  auto make = [&](DWORD style, const std::string& text, int x, int y, int w, int h) {
    HWND edit =
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                        w, h, frame, nullptr, nullptr, nullptr);
    SendMessageA(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    return edit;
  };
  HWND single = make(ES_AUTOHSCROLL, Gbk("Hello 你好，世界 selection"), 10, 10, 340, 22);
  HWND multi = make(ES_MULTILINE | ES_AUTOVSCROLL | WS_VSCROLL,
                    Gbk("多行编辑框 multi-line edit box\r\n第二行 second line\r\n"
                        "A long line wraps at the edge of the box 自动换行的长句子\r\n"
                        "4\r\n5\r\n6\r\n7"),
                    10, 40, 340, 100);
  make(ES_PASSWORD | ES_AUTOHSCROLL, "secret", 10, 150, 165, 22);
  HWND read_only = make(ES_READONLY | ES_AUTOHSCROLL, Gbk("只读 read-only"), 185, 150, 165, 22);
  HWND disabled = make(ES_AUTOHSCROLL, Gbk("禁用 disabled"), 10, 180, 165, 22);
  EnableWindow(disabled, FALSE);
  display.PumpUntilIdle();
  SetFocus(single);
  SendMessageA(single, EM_SETSEL, 6, 16);
  display.PumpUntilIdle();
  if (const char* keep = std::getenv("MIENZO_SCREENSHOT_DIR")) {
    ASSERT_TRUE(display.SaveScreenshot(std::string(keep) + "/controls-edit.png"));
  }
  RECT window, client;
  GetWindowRect(multi, &window);
  GetClientRect(multi, &client);
  EXPECT_EQ(window.right - window.left - client.right,
            GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE))
      << "the vertical bar takes its room";
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  ASSERT_TRUE(GetScrollInfo(multi, SB_VERT, &si));
  EXPECT_GT(si.nMax + 1, static_cast<int>(si.nPage)) << "more lines than fit";
  GetClientRect(read_only, &client);
  POINT inside{client.right - 4, 4};
  ClientToScreen(read_only, &inside);
  const COLORREF face = GetSysColor(COLOR_3DFACE);
  EXPECT_EQ(display.ScreenPixel(inside.x, inside.y),
            static_cast<uint32_t>(GetRValue(face) << 16 | GetGValue(face) << 8 | GetBValue(face)));
  DestroyWindow(frame);
  UnregisterClassA("EditShowcase", nullptr);
}

}  // namespace
}  // namespace platform::controls
