#include "targets/window_list.h"

int FillWindowList(IWindowManager& windows, CListBox& list, std::span<WindowHandle> targets,
                   std::string& title) {
  list.ResetContent();
  std::size_t rows = 0;
  for (WindowHandle window = windows.GetTopWindow(windows.GetDesktopWindow());
       window != 0 && rows < targets.size(); window = windows.GetNextWindow(window)) {
    windows.GetWindowText(window, title, kTitleBufferChars);
    if (title.empty() || !windows.IsWindowVisible(window)) continue;
    // A row the list box refused gets no handle, so rows and handles stay in step.
    if (list.AddString(title) < 0) continue;
    targets[rows++] = window;
  }
  return static_cast<int>(rows);
}
