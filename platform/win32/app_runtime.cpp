#include "platform/win32/app_runtime.h"

#include "platform/win32/modal_dialog.h"

// Nothing to do: the manifest selects Common Controls 6, whose visual styles give the dialog's
// controls their modern look.
void CWin32AppRuntime::Enable3dControls() {}

void CWin32AppRuntime::SetMainWindow(CDialog& dialog) {
  SetMainDialog(&dialog);
}

int CWin32AppRuntime::RunModal(CDialog& dialog) {
  return RunModalDialog(dialog, nullptr);
}
