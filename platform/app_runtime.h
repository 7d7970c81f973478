// What the application object asks of the platform at start-up.
#pragma once

class CDialog;

class IAppRuntime {
 public:
  virtual ~IAppRuntime() = default;
  virtual void Enable3dControls() = 0;
  virtual void SetMainWindow(CDialog& dialog) = 0;
  // Creates the dialog from its template with no owner and runs it modally; returns its end
  // code.
  virtual int RunModal(CDialog& dialog) = 0;
};
