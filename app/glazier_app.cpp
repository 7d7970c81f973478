#include "app/glazier_app.h"

#include "panel/glazier_dlg.h"

namespace {

CGlazierApp theApp;

}  // namespace

bool CGlazierApp::InitInstance(IAppRuntime& runtime, IWindowManager& windows,
                               CWalkAhead* firstWalk) {
  runtime.Enable3dControls();
  CGlazierDlg dialog(windows, firstWalk);
  runtime.SetMainWindow(dialog);
  runtime.RunModal(dialog);
  return false;
}

int RunApplication(IAppRuntime& runtime, IWindowManager& windows, CWalkAhead* firstWalk) {
  theApp.InitInstance(runtime, windows, firstWalk);
  return 0;
}
