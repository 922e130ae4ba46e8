// The window manager's message path and a full repaint, on the headless
// display: messages per second through PostMessage / GetMessage /
// DispatchMessage, and repaints per second of a 800 x 600 window with children.
#include <benchmark/benchmark.h>

#include "platform/display/headless.h"
#include "platform/win32.h"

namespace {

LRESULT CountingProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_USER) return 0;
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    FillRect(dc, &ps.rcPaint, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EndPaint(hwnd, &ps);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wparam, lparam);
}

class BenchWindows {
 public:
  BenchWindows() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = CountingProc;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
    wc.lpszClassName = "Bench";
    RegisterClassA(&wc);
    top = CreateWindowExA(0, "Bench", "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN,
                          0, 0, 800, 600, nullptr, nullptr, nullptr, nullptr);
    for (int i = 0; i < 20; ++i) {
      CreateWindowExA(0, "Bench", "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, (i % 5) * 150,
                      (i / 5) * 130, 140, 120, top, nullptr, nullptr, nullptr);
    }
    display.PumpUntilIdle();
  }
  ~BenchWindows() {
    DestroyWindow(top);
    UnregisterClassA("Bench", nullptr);
  }

  platform::HeadlessDisplay display{platform::ClockKind::kVirtual};
  HWND top = nullptr;
};

void BM_PostGetDispatch(benchmark::State& state) {
  BenchWindows windows;
  MSG msg;
  for (auto _ : state) {
    PostMessageA(windows.top, WM_USER, 1, 2);
    GetMessageA(&msg, nullptr, 0, 0);
    DispatchMessageA(&msg);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PostGetDispatch);

void BM_FullWindowRepaint(benchmark::State& state) {
  BenchWindows windows;
  for (auto _ : state) {
    RedrawWindow(windows.top, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FullWindowRepaint);

}  // namespace
