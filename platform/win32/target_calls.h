// Calls on another program's window that make the window manager wait for that window's
// thread (showing, positioning, enabling, restyling, retitling, reshaping). A window whose
// thread has stopped answering must not freeze the panel, so each such call runs on a worker
// thread of its window, in order with that window's earlier calls, and the panel waits for it
// only briefly.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "platform/win32/win32.h"

class TargetCalls {
 public:
  // How long the panel waits for a call before leaving it to finish in the background.
  static constexpr DWORD kWaitMilliseconds = 40;

  // Runs `call` on `window`'s worker, after the window's earlier calls, and returns true when it
  // finished within the wait. Otherwise it finishes in the background and false is returned;
  // so is it, without waiting, while an earlier call on the window is still late. Calls on this
  // thread's own windows run directly.
  bool Run(HWND window, std::function<void()> call);

 private:
  struct Queue;
  // Shared with the workers, which may outlive this object: a call may never return.
  struct State {
    std::mutex mutex;
    std::map<HWND, std::shared_ptr<Queue>> queues;
  };
  std::shared_ptr<State> m_state = std::make_shared<State>();
};
