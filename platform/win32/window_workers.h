// Calls on another program's window that make the window manager wait for that window's
// thread (showing, positioning, enabling, restyling, retitling, reshaping). A window whose
// thread has stopped answering, or answers late, must not freeze the panel, so each such call
// runs on a worker thread of its window, in order with that window's earlier calls, and the
// panel waits for it only briefly. What the panel needs once a call has finished comes back to
// it on its own thread, through a message when the call was late.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "platform/win32/win32.h"

class CWindowWorkers {
 public:
  // How long the panel waits for a call before leaving it to finish in the background.
  static constexpr DWORD kWaitMilliseconds = 40;

  CWindowWorkers() = default;
  ~CWindowWorkers();
  CWindowWorkers(const CWindowWorkers&) = delete;
  CWindowWorkers& operator=(const CWindowWorkers&) = delete;

  // Runs `call` on `window`'s worker, after the window's earlier calls, and returns true when it
  // finished within the wait; `then` has then run too, here. Otherwise false is returned, and
  // `then` runs later on this thread, from its message loop, once the call has finished. While
  // an earlier call on the window is still late, it returns at once without waiting. Calls on
  // this thread's own windows, and calls made from a worker, run directly.
  bool Run(HWND window, std::function<void()> call, std::function<void()> then = nullptr);

 private:
  struct Queue;
  // Shared with the workers, which may outlive this object: a call may never return.
  struct State {
    std::mutex mutex;
    std::map<HWND, std::shared_ptr<Queue>> queues;
  };
  // The message-only window that late `then`s are posted to, made on first use on the thread
  // that waits.
  HWND LateResultsWindow();

  std::shared_ptr<State> m_state = std::make_shared<State>();
  HWND m_lateResultsWindow = nullptr;
};
