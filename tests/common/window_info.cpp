#include "tests/common/window_info.h"

#include "platform/win32/text.h"

namespace harness {

std::wstring WideWindowText(HWND hwnd) {
  const int length = GetWindowTextLengthW(hwnd);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

std::string WindowText(HWND hwnd) {
  return Narrow(WideWindowText(hwnd));
}

std::string ClassName(HWND hwnd) {
  wchar_t name[256] = L"";
  GetClassNameW(hwnd, name, 256);
  return Narrow(name);
}

RECT OuterRect(HWND hwnd) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  return rect;
}

RECT RectInParent(HWND hwnd) {
  RECT rect = OuterRect(hwnd);
  HWND parent = GetAncestor(hwnd, GA_PARENT);
  if (parent != nullptr && parent != GetDesktopWindow()) {
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

RECT WorkAreaOf(HWND hwnd) {
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &info);
  return info.rcWork;
}

bool HasExStyle(HWND hwnd, DWORD bits) {
  return (static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE)) & bits) == bits;
}

}  // namespace harness
