// What the application object asks of the platform at start-up, and the application's start that
// the platform's entry point hands over to.
#pragma once

class CDialog;
class CWalkAhead;
class IWindowManager;

class IAppRuntime {
 public:
  virtual ~IAppRuntime() = default;
  virtual void Enable3dControls() = 0;
  virtual void SetMainWindow(CDialog& dialog) = 0;
  // Creates the dialog from its template with no owner and runs it modally; returns its end
  // code.
  virtual int RunModal(CDialog& dialog) = 0;
};

// The application's start, defined by the application: the platform's entry point calls it once
// the process is set up and returns its result as the exit code. `firstWalk`, when given, walks
// the windows for the panel's first list while the panel is built.
int RunApplication(IAppRuntime& runtime, IWindowManager& windows, CWalkAhead* firstWalk = nullptr);
