#include "desktop.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <map>

namespace e2e {

using drive::ShownWindowOf;

bool HoldsFor(const std::function<bool()>& condition, DWORD ms) {
  return !WaitFor([&] { return !condition(); }, ms);
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  for (HWND hwnd = GetTopWindow(GetDesktopWindow()); hwnd != nullptr && windows.size() < 100000;
       hwnd = GetWindow(hwnd, GW_HWNDNEXT)) {
    windows.push_back(hwnd);
  }
  return windows;
}

HWND WaitForWindow(DWORD processId, std::wstring_view className,
                   std::optional<std::string_view> title, DWORD ms) {
  const std::wstring wantedClass(className);
  const std::optional<std::wstring> wantedTitle =
      title ? std::optional<std::wstring>(Widen(*title)) : std::nullopt;
  HWND found = nullptr;
  WaitFor(
      [&] {
        found = ShownWindowOf(processId, wantedClass.c_str(),
                              wantedTitle ? wantedTitle->c_str() : nullptr);
        return found != nullptr;
      },
      ms);
  return found;
}

std::vector<ListedWindow> VisibleTitledWindows() {
  std::vector<ListedWindow> windows;
  for (HWND hwnd : TopLevelWindows()) {
    std::string title = WindowText(hwnd);
    if (title.empty() || !IsWindowVisible(hwnd) || ClassName(hwnd) == "tooltips_class32") continue;
    windows.push_back({hwnd, std::move(title)});
  }
  return windows;
}

std::vector<std::string> Titles(const std::vector<ListedWindow>& windows) {
  std::vector<std::string> titles;
  for (const ListedWindow& window : windows) titles.push_back(window.title);
  return titles;
}

int WindowAlpha(HWND hwnd) {
  if (!HasExStyle(hwnd, WS_EX_LAYERED)) return 255;
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) {
    return -1;
  }
  return alpha;
}

bool BringToFront(HWND hwnd) {
  // Under Wine, activation from another process does not always raise the window: raise it
  // explicitly too.
  SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return WaitFor(
      [&] {
        if (GetForegroundWindow() == hwnd) return true;
        SetForegroundWindow(hwnd);
        return false;
      },
      3000);
}

namespace {

INPUT KeyInput(WORD virtualKey, bool up) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace

void PressKey(WORD virtualKey) {
  Send({KeyInput(virtualKey, false), KeyInput(virtualKey, true)});
}

void PressKeyWith(WORD modifier, WORD virtualKey) {
  PressKeyWith({modifier}, virtualKey);
}

void PressKeyWith(std::initializer_list<WORD> modifiers, WORD virtualKey) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(virtualKey, false));
  inputs.push_back(KeyInput(virtualKey, true));
  for (auto modifier = std::rbegin(modifiers); modifier != std::rend(modifiers); ++modifier) {
    inputs.push_back(KeyInput(*modifier, true));
  }
  Send(inputs);
}

void TypeText(std::string_view utf8) {
  std::vector<INPUT> inputs;
  for (wchar_t unit : Widen(utf8)) {
    for (bool up : {false, true}) {
      INPUT input = {};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = unit;
      input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
      inputs.push_back(input);
    }
  }
  Send(inputs);
}

namespace {

INPUT MouseMove(POINT screen) {
  const int width = GetSystemMetrics(SM_CXSCREEN);
  const int height = GetSystemMetrics(SM_CYSCREEN);
  INPUT move = {};
  move.type = INPUT_MOUSE;
  move.mi.dx = MulDiv(screen.x, 65535, width - 1);
  move.mi.dy = MulDiv(screen.y, 65535, height - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return move;
}

}  // namespace

void MoveMouse(POINT screen) {
  Send({MouseMove(screen)});
}

void ClickAt(POINT screen, bool right) {
  INPUT down = {};
  down.type = INPUT_MOUSE;
  down.mi.dwFlags = right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN;
  INPUT up = down;
  up.mi.dwFlags = right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP;
  Send({MouseMove(screen), down, up});
}

void ClickCenter(HWND hwnd) {
  RECT rect = {};
  GetWindowRect(hwnd, &rect);
  ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

HWND WaitPopupMenu(DWORD ms) {
  HWND popup = nullptr;
  WaitFor(
      [&] {
        for (HWND hwnd : TopLevelWindows()) {
          if (IsWindowVisible(hwnd) && ClassName(hwnd) == "#32768") popup = hwnd;
        }
        return popup != nullptr;
      },
      ms);
  return popup;
}

GUITHREADINFO GuiThreadInfo(DWORD thread) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(thread, &info)) info = {};
  return info;
}

RemoteMemory::RemoteMemory(HANDLE process, std::size_t size)
    : m_process(process),
      m_address(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteMemory::~RemoteMemory() {
  if (m_address != nullptr) VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(const void* data, std::size_t size, std::size_t offset) const {
  return m_address != nullptr &&
         WriteProcessMemory(m_process, static_cast<char*>(m_address) + offset, data, size, nullptr);
}

bool RemoteMemory::Read(void* data, std::size_t size, std::size_t offset) const {
  return m_address != nullptr &&
         ReadProcessMemory(m_process, static_cast<const char*>(m_address) + offset, data, size,
                           nullptr);
}

std::vector<BYTE> ScreenPixels(const RECT& screenRect) {
  const int width = screenRect.right - screenRect.left;
  const int height = screenRect.bottom - screenRect.top;
  if (width <= 0 || height <= 0) return {};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, screenRect.left, screenRect.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  std::vector<BYTE> bits(static_cast<std::size_t>(width) * height * 4);
  GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), bits.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return bits;
}

COLORREF MostCommonColour(const RECT& screenRect) {
  const std::vector<BYTE> bits = ScreenPixels(screenRect);
  std::map<COLORREF, int> counts;
  for (std::size_t i = 0; i + 3 < bits.size(); i += 4)
    ++counts[RGB(bits[i + 2], bits[i + 1], bits[i])];
  const auto most =
      std::max_element(counts.begin(), counts.end(),
                       [](const auto& a, const auto& b) { return a.second < b.second; });
  return most == counts.end() ? CLR_INVALID : most->first;
}

bool Screenshot(std::string_view name, const RECT& screenRect) {
  const wchar_t* dir = _wgetenv(L"GLAZIER_SCREENSHOT_DIR");
  if (dir == nullptr || *dir == L'\0') {
    Log(Format("  (no screenshot folder given: %.*s not saved)", static_cast<int>(name.size()),
               name.data()));
    return false;
  }
  const std::wstring file = std::wstring(dir) + L"\\" + Widen(name) + L".png";
  DeleteFileW(file.c_str());
  // The script running the driver reads this line, takes the picture and writes the file.
  Log(Format("@screenshot %.*s %ld %ld %ld %ld", static_cast<int>(name.size()), name.data(),
             screenRect.left, screenRect.top, screenRect.right - screenRect.left,
             screenRect.bottom - screenRect.top));
  return WaitFor([&] { return GetFileAttributesW(file.c_str()) != INVALID_FILE_ATTRIBUTES; },
                 20000);
}

}  // namespace e2e
