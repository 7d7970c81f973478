// What the application object asks of the platform at start-up, on Win32.
#pragma once

#include "platform/app_runtime.h"

class CWin32AppRuntime : public IAppRuntime {
 public:
  void Enable3dControls() override;
  void SetMainWindow(CDialog& dialog) override;
  int RunModal(CDialog& dialog) override;
};
