#include "platform/win32/target_calls.h"

#include <condition_variable>
#include <deque>
#include <thread>

struct TargetCalls::Queue {
  std::deque<std::function<void()>> calls;
  bool running = false;
  bool late = false;  // a call outlived the panel's wait: the window is not answering
};

namespace {

// The outcome of one call, shared between the panel and the worker.
struct Outcome {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
};

}  // namespace

bool TargetCalls::Run(HWND window, std::function<void()> call) {
  if (::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) {
    call();
    return true;
  }

  auto outcome = std::make_shared<Outcome>();
  auto job = [call = std::move(call), outcome] {
    call();
    std::lock_guard lock(outcome->mutex);
    outcome->finished = true;
    outcome->done.notify_all();
  };

  const std::shared_ptr<State> state = m_state;
  std::shared_ptr<Queue> owner;
  {
    std::lock_guard lock(state->mutex);
    std::shared_ptr<Queue>& queue = state->queues[window];
    if (!queue) queue = std::make_shared<Queue>();
    owner = queue;
    queue->calls.push_back(std::move(job));
    if (!queue->running) {
      queue->running = true;
      // The worker drains the window's queue and ends; it is detached so that a window that
      // never answers again cannot hold up the end of the program.
      std::thread([state, window, queue] {
        for (;;) {
          std::function<void()> next;
          {
            std::lock_guard lock(state->mutex);
            if (queue->calls.empty()) {
              queue->running = false;
              if (state->queues[window] == queue) state->queues.erase(window);
              return;
            }
            next = std::move(queue->calls.front());
            queue->calls.pop_front();
          }
          next();
        }
      }).detach();
    }
  }
  {
    // Behind a call that is already late the window is not answering: do not wait again.
    std::lock_guard lock(state->mutex);
    if (owner->late) return false;
  }
  {
    std::unique_lock lock(outcome->mutex);
    if (outcome->done.wait_for(lock, std::chrono::milliseconds(kWaitMilliseconds),
                               [&] { return outcome->finished; })) {
      return true;
    }
  }
  std::lock_guard lock(state->mutex);
  owner->late = true;
  return false;
}
