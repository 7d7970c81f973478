// The floor of a window list: the walk over the windows one by one that any such list can make,
// keeping nothing. Glazier's refresh asks the same questions with fewer calls (the whole z-order
// at once, the title only of visible windows) and adds the list box's work.
#pragma once

#include <windows.h>

namespace bench {

// Glazier's list holds at most this many rows; the floor stops where Glazier stops.
inline constexpr int kMaxRows = 10000;
inline constexpr int kTitleChars = 2048;

struct FloorCount {
  int windows = 0;  // top-level windows walked
  int rows = 0;     // visible titled ones: the rows a list would show
};

// The walk over the top-level windows in z-order, topmost first, handing each visible titled
// window's title to `onRow`, which returns whether it took the row.
template <typename OnRow>
FloorCount WalkWindows(OnRow onRow) {
  static wchar_t title[kTitleChars];
  FloorCount count;
  for (HWND window = GetTopWindow(GetDesktopWindow()); window && count.rows < kMaxRows;
       window = GetWindow(window, GW_HWNDNEXT)) {
    ++count.windows;
    if (GetWindowTextW(window, title, kTitleChars) > 0 && IsWindowVisible(window) && onRow(title)) {
      ++count.rows;
    }
  }
  return count;
}

inline FloorCount FloorPass() {
  return WalkWindows([](const wchar_t*) { return true; });
}

}  // namespace bench
