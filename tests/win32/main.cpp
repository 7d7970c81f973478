// The Win32 half's tests: every case, on real windows (tests/win32/run.sh runs them under Wine).
#include "platform/win32/win32.h"
#include "tests/common/harness.h"

int wmain() {
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof(classes);
  classes.dwICC = ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
  ::InitCommonControlsEx(&classes);
  return harness::Run({});
}
