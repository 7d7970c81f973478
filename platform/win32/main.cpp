// The Win32 entry point: sets up the process and hands over to the application.
#include "platform/win32/app_runtime.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32.h"
#include "platform/win32/window_manager.h"
#include "targets/window_list.h"

namespace {

// Common Controls is loaded here, once the search is System32 alone, rather than imported: an
// imported library is loaded and run before the program's first line, and whatever it loads
// itself then (Wine's loads the theming library) is looked for in the program's folder first. The
// manifest still gives version 6: its side-by-side assembly is found before any folder is searched.
void RegisterControlClasses() {
  using InitCommonControlsExFn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  const auto initCommonControlsEx =
      LoadedOnFirstUse<InitCommonControlsExFn>(L"comctl32.dll", "InitCommonControlsEx");
  if (!initCommonControlsEx) return;
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof(classes);
  // Tab control and tooltip, trackbar, up-down, and the standard classes of version 6.
  classes.dwICC = ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
  initCommonControlsEx(&classes);
}

// The manifest asks for per-monitor awareness (v2, else v1). A system that cannot read that list
// (Wine 8 stops at the first name it does not know) leaves the process unaware, where rectangles
// of other windows could be scaled stand-ins; ask again here. Where the manifest already took
// effect these calls fail and change nothing.
void DeclareDpiAwareness() {
  HMODULE user32 = ::GetModuleHandleW(L"user32");
  using SetContextFn = BOOL(WINAPI*)(HANDLE);
  const auto setContext = reinterpret_cast<SetContextFn>(
      reinterpret_cast<void*>(::GetProcAddress(user32, "SetProcessDpiAwarenessContext")));
  if (setContext) {
    const auto perMonitorV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
    const auto perMonitor = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
    if (setContext(perMonitorV2) || setContext(perMonitor)) return;
    if (::GetLastError() == ERROR_ACCESS_DENIED) return;  // already declared
  }
  ::SetProcessDPIAware();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Before anything else: every library loaded from here on, and every library those load, is
  // looked for in System32 alone, never in the folder Glazier was started from. Where the system
  // lacks the call, the libraries Glazier loads itself are loaded by their full path instead.
  if (const auto restrictSearch = SetDefaultDllDirectoriesFunction()) {
    restrictSearch(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  DeclareDpiAwareness();
  RegisterControlClasses();
  // The panel's thread follows the cloaks before the first walk asks DWM of any, from a thread of
  // its own that walks the windows while the panel is built.
  CWin32WindowManager::FollowCloakEvents();
  CWin32WindowManager walker;  // the walk's own: it keeps answers of its own for the walk
  CWalkAhead firstWalk;
  firstWalk.Start(walker);
  CWin32WindowManager windows;
  CWin32AppRuntime runtime;
  return RunApplication(runtime, windows, &firstWalk);
}
