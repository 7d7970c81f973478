// A command of the panel: its calls on one window, made as one job on the window's worker, and
// what the panel makes of their result.
#pragma once

#include <functional>
#include <memory>

#include "ops/originals.h"
#include "panel/failure_reports.h"
#include "platform/window_manager.h"

using CallsOnTarget = std::function<void(IWindowManager&, WindowHandle)>;
// Says a command's failure, as the command's telling asks.
using SayFailure = std::function<void(CallFailure)>;

struct Command {
  CallsOnTarget calls;
  // What the calls change: read in the same job before them and after them, for "元に戻す".
  Aspects changes = 0;
  // For calls that cannot tell a failure (ShowWindow, EnableWindow): whether the state read back
  // after them is what they asked. A window that still exists but did not take it refused.
  std::function<bool(IWindowManager&, WindowHandle)> tookEffect;
  // For commands that go on the window a selection or a start found (the live edits): the ids of
  // that window, noted by the first job. A window that is gone, or another program's under the same
  // handle, takes no call and the command ends as on a closed window.
  std::shared_ptr<WindowIds> sameWindowAs;
  Telling telling = Telling::Always;
  // The command's own refresh ends the selection: its failure is still said unless another row
  // has been selected since.
  bool saidUnlessReselected = false;
  // The panel's part once the result is back. It says what is to be said, when it is to be said;
  // without it the failure is said.
  std::function<void(CallFailure failure, const SayFailure& say)> done;
};
