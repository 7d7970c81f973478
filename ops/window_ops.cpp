#include "ops/window_ops.h"

void Minimize(IWindowManager& windows, WindowHandle window) {
  windows.ShowWindow(window, wm::kSwMinimize);
}

bool IsMinimized(IWindowManager& windows, WindowHandle window) {
  return windows.IsIconic(window);
}

void ShowOnTop(IWindowManager& windows, WindowHandle window) {
  windows.ShowWindow(window, wm::kSwShowNormal);
  windows.SetWindowPos(window, wm::kHwndTop, 0, 0, 0, 0,
                       wm::kSwpNoSize | wm::kSwpNoMove | wm::kSwpFrameChanged | wm::kSwpShowWindow);
}

void MakeTopmost(IWindowManager& windows, WindowHandle window) {
  windows.ShowWindow(window, wm::kSwShowNormal);
  windows.SetWindowPos(window, wm::kHwndTopmost, 0, 0, 0, 0, wm::kSwpNoSize | wm::kSwpNoMove);
}

void CancelTopmost(IWindowManager& windows, WindowHandle window) {
  windows.SetWindowPos(window, wm::kHwndNoTopmost, 0, 0, 0, 0, wm::kSwpNoSize | wm::kSwpNoMove);
}

void SetFrameStyle(IWindowManager& windows, WindowHandle window, std::uint32_t frameBits) {
  const auto style = static_cast<std::uint32_t>(windows.GetWindowLong(window, wm::kGwlStyle));
  windows.SetWindowLong(window, wm::kGwlStyle,
                        static_cast<std::int32_t>((style & ~wm::kWsOverlappedWindow) | frameBits));
}

void GiveResizableFrame(IWindowManager& windows, WindowHandle window) {
  SetFrameStyle(windows, window, wm::kWsOverlappedWindow);
}

void Lock(IWindowManager& windows, WindowHandle window) {
  windows.EnableWindow(window, false);
  windows.ShowWindow(window, wm::kSwShowNormal);
}

void Unlock(IWindowManager& windows, WindowHandle window) {
  windows.EnableWindow(window, true);
  windows.ShowWindow(window, wm::kSwShowNormal);
}

bool IsLocked(IWindowManager& windows, WindowHandle window) {
  return !windows.IsWindowEnabled(window);
}

bool IsUnlocked(IWindowManager& windows, WindowHandle window) {
  return windows.IsWindowEnabled(window);
}
