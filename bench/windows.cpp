// glazier_bench_windows.exe COUNT EVENT [HIDDEN]: a desktop of COUNT visible titled top-level
// windows for the benchmark, and HIDDEN titled windows never shown among them (a real desktop has
// many: tooltips, input method windows, hidden frames). They live in a process of their own so
// that their titles are read across processes, as Glazier reads real programs' titles. Sets the
// named event EVENT once every window is shown, then serves them until it is ended.
#include <windows.h>

#include "bench/windows_title.h"

namespace {

constexpr int kCellWidth = 40;
constexpr int kCellHeight = 16;

LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // Nothing to draw: the background brush is enough, and painting 10,000 windows would only
  // measure the X server.
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (__argc < 3) return 2;
  const int count = _wtoi(__wargv[1]);
  const int hidden = __argc > 3 ? _wtoi(__wargv[3]) : 0;
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, __wargv[2]);
  if (count < 0 || hidden < 0 || !ready) return 2;

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"GlazierBenchWindow";
  if (!RegisterClassW(&windowClass)) return 1;

  // Small windows tiled over the screen, each shown without taking the activation, so that
  // creating thousands of them does not turn into thousands of focus changes.
  const int columns = GetSystemMetrics(SM_CXSCREEN) / kCellWidth;
  const int lines = GetSystemMetrics(SM_CYSCREEN) / kCellHeight;
  wchar_t title[64];
  // The hidden windows are interleaved with the shown ones in z-order, one after each.
  for (int i = 0; i < count + hidden; ++i) {
    const bool shown = i < 2 * hidden ? i % 2 == 0 : true;
    bench::WindowTitle(i, title);
    const int cell = i % (columns * lines);
    HWND window =
        CreateWindowExW(WS_EX_NOACTIVATE, windowClass.lpszClassName, title, WS_POPUP,
                        -20000 + (cell % columns) * kCellWidth, (cell / columns) * kCellHeight,
                        kCellWidth, kCellHeight, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    if (!shown) continue;
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  }
  SetEvent(ready);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}
