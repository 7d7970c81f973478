// glazier_bench_bare.exe: the floor of Glazier's start-up. A dialog made from Glazier's own
// template, resources and manifest (the same 46 controls, font and menu) that makes the same
// first fill of its list and creates a tooltip window, and does nothing else: no icon, no
// layout, no pages, no tools. The driver times it as it times Glazier, from the process start
// to the dialog shown with its list filled.
#include <windows.h>
// After windows.h, whose types it uses.
#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "bench/floor.h"
#include "platform/win32/dialog_template.h"
#include "res/resource.h"
#include "res/templates.h"

namespace {

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    HWND list = GetDlgItem(dialog, IDC_WINDOW_LIST);
    bench::WalkWindows([list](const wchar_t* title) {
      return SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title)) >= 0;
    });
    CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, GetModuleHandleW(nullptr),
                    nullptr);
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof(classes);
  classes.dwICC = ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&classes);

  const std::vector<std::uint16_t> words = BuildDialogTemplate(MainDialogTemplate());
  HWND dialog = CreateDialogIndirectParamW(
      instance, reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), nullptr, DialogProc, 0);
  if (!dialog) return 1;
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
