// The application object: starts the main dialog and runs it modally.
#pragma once

#include "platform/app_runtime.h"
#include "platform/window_manager.h"
#include "targets/window_list.h"

class CGlazierApp {
 public:
  // Returns false: the program never enters a message loop of its own after the dialog.
  bool InitInstance(IAppRuntime& runtime, IWindowManager& windows, CWalkAhead* firstWalk);
};
