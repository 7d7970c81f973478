#include "app/glazier_app.h"

#include "panel/glazier_dlg.h"

namespace {

CGlazierApp theApp;

}  // namespace

bool CGlazierApp::InitInstance(IAppRuntime& runtime, IWindowManager& windows) {
  runtime.Enable3dControls();
  CGlazierDlg dialog(windows);
  runtime.SetMainWindow(dialog);
  runtime.RunModal(dialog);
  return false;
}

int RunApplication(IAppRuntime& runtime, IWindowManager& windows) {
  theApp.InitInstance(runtime, windows);
  return 0;
}
