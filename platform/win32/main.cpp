// The entry point: the application object and wWinMain.
#include "app/glazier_app.h"
#include "platform/win32/app_runtime.h"
#include "platform/win32/win32.h"
#include "platform/win32/window_manager.h"

namespace {

CGlazierApp theApp;

void RegisterControlClasses() {
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof(classes);
  // Tab control and tooltip, trackbar, up-down, and the standard classes of version 6.
  classes.dwICC = ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
  ::InitCommonControlsEx(&classes);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  RegisterControlClasses();
  Win32WindowManager windows;
  Win32AppRuntime runtime;
  theApp.InitInstance(runtime, windows);
  return 0;
}
