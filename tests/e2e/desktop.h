// Win32 helpers of the end-to-end driver: processes it starts, windows it finds and reads,
// input it sends the way a user would, memory it borrows in another process for common-control
// messages, and screenshots.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/text.h"
#include "tests/common/harness.h"
#include "tests/common/process.h"
#include "tests/common/window_info.h"

namespace e2e {

// The checks and what they read off windows.
using namespace harness;

using drive::ExeDir;
using drive::Milliseconds;
using drive::Process;

// Polls the condition for `ms`; false as soon as it fails once.
bool HoldsFor(const std::function<bool()>& condition, DWORD ms);

// The top-level windows from the top of the z-order down.
std::vector<HWND> TopLevelWindows();
// A visible top-level window of the process with that class and title (any title for none),
// waited for.
HWND WaitForWindow(DWORD processId, std::wstring_view className,
                   std::optional<std::string_view> title, DWORD ms = 15000);

// A row as Glazier should list it: a visible top-level window with a non-empty title, not a
// tooltip.
struct ListedWindow {
  HWND hwnd;
  std::string title;
};
std::vector<ListedWindow> VisibleTitledWindows();
std::vector<std::string> Titles(const std::vector<ListedWindow>& windows);

// The alpha a window is drawn with: 255 when it is not layered, -1 when it is layered without an
// alpha yet.
int WindowAlpha(HWND hwnd);

// Input, delivered through SendInput to whatever has the focus, as a user's keys and mouse.
bool BringToFront(HWND hwnd);
void PressKey(WORD virtualKey);
void PressKeyWith(WORD modifier, WORD virtualKey);
void PressKeyWith(std::initializer_list<WORD> modifiers, WORD virtualKey);
void TypeText(std::string_view utf8);
void MoveMouse(POINT screen);
void ClickAt(POINT screen, bool right = false);
void ClickCenter(HWND hwnd);

// The shortcut menu or pulled-down menu that shows, waited for; null when none came.
HWND WaitPopupMenu(DWORD ms = 5000);
// The focus, capture and menu mode of a thread (0: the foreground window's); all empty when they
// cannot be read.
GUITHREADINFO GuiThreadInfo(DWORD thread = 0);

// Memory allocated in another process for messages whose pointers the system does not carry
// across processes (the common controls' messages).
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, std::size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  void* Address() const { return m_address; }
  LPARAM AsLParam() const { return reinterpret_cast<LPARAM>(m_address); }
  bool Write(const void* data, std::size_t size, std::size_t offset = 0) const;
  bool Read(void* data, std::size_t size, std::size_t offset = 0) const;

 private:
  HANDLE m_process;
  void* m_address;
};

// What the screen shows in `screenRect`, row by row, four bytes a pixel (blue, green, red, 0).
std::vector<BYTE> ScreenPixels(const RECT& screenRect);
// The colour the screen shows most often in `screenRect`.
COLORREF MostCommonColour(const RECT& screenRect);

// Saves what the screen shows in `rect` as <name>.png in the screenshot folder. The picture is
// taken by the script that runs the driver, from the X display; returns false without one.
bool Screenshot(std::string_view name, const RECT& screenRect);

}  // namespace e2e
