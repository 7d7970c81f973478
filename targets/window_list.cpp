#include "targets/window_list.h"

#include <algorithm>

namespace {

// Room reserved per row before a fill; titles are mostly shorter.
constexpr int kReservedBytesPerRow = 64;

}  // namespace

int FillWindowList(IWindowManager& windows, CListBox& list, std::span<WindowHandle> targets,
                   std::string& title) {
  // Rebuilt every second while nothing is selected: drawing is suspended so the list does not
  // flicker, and the first visible row is kept where the user scrolled it.
  const int topRow = list.GetTopIndex();
  const int previousRows = list.GetCount();
  list.SetRedraw(false);
  list.ResetContent();
  if (previousRows > 0) list.InitStorage(previousRows, previousRows * kReservedBytesPerRow);

  std::size_t rows = 0;
  for (WindowHandle window = windows.GetTopWindow(windows.GetDesktopWindow());
       window != 0 && rows < targets.size(); window = windows.GetNextWindow(window)) {
    windows.GetWindowText(window, title, kTitleBufferChars);
    if (title.empty() || !windows.IsWindowVisible(window)) continue;
    // A row the list box refused gets no handle, so rows and handles stay in step.
    if (list.AddString(title) < 0) continue;
    targets[rows++] = window;
  }

  const int count = static_cast<int>(rows);
  if (count > 0) list.SetTopIndex(std::clamp(topRow, 0, count - 1));
  list.SetRedraw(true);
  return count;
}
