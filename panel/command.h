// A command of the panel: an operation, run as one job on its window's worker, and how the panel
// shows what came of it.
#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "ops/window_memory.h"
#include "panel/failure_reports.h"
#include "platform/window_manager.h"

using CallsOnTarget = std::function<void(IWindowManager&, WindowHandle)>;
using ReadBack = std::function<bool(IWindowManager&, WindowHandle)>;
// Says a command's failure, as the command's report asks.
using SayFailure = std::function<void(CallFailure)>;

// What runs on the window.
struct Operation {
  Operation() = default;
  Operation(CallsOnTarget calls, Aspects changes, ReadBack tookEffect = {})
      : calls(std::move(calls)), changes(changes), tookEffect(std::move(tookEffect)) {}

  CallsOnTarget calls;
  // What the calls change: read in the same job before them and after them, for "元に戻す".
  Aspects changes = 0;
  // For calls that cannot tell a failure (ShowWindow, EnableWindow): whether the state read back
  // after them is what they asked. A window that still exists but did not take it refused.
  ReadBack tookEffect;
  // For operations that go on the window a selection or a start found (the live edits): the ids
  // of that window, noted by the first job. A window that is gone, or another program's under the
  // same handle, takes no call and the command ends as on a closed window.
  std::shared_ptr<WindowIds> sameWindowAs;
};

// How the panel shows the result, once it is back.
struct Report {
  WhenToSay whenToSay = WhenToSay::Always;
  // The command's own refresh ends the selection: its failure is still said unless another row
  // has been selected since.
  bool sayAfterOwnRefresh = false;
  // The panel's part. It says what is to be said, when it is to be said; without it the failure
  // is said.
  std::function<void(CallFailure failure, const SayFailure& say)> done;
};

struct Command {
  Operation operation;
  Report report;
};
