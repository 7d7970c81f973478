#include "platform/win32/window_workers.h"

#include <condition_variable>
#include <deque>
#include <thread>

struct CWindowWorkers::Queue {
  std::deque<std::function<void()>> calls;
  bool running = false;
  bool late = false;  // a call outlived the panel's wait: the window is not answering
};

namespace {

constexpr UINT kRunLater = WM_APP + 1;  // lParam: a heap std::function<void()>, run and freed
constexpr wchar_t kLaterClass[] = L"GlazierLaterCalls";

// Set on the workers: a job's own calls run there directly.
thread_local bool t_onWorker = false;

using Later = std::function<void()>;

// The outcome of one call, shared between the panel and the worker. Whoever comes second runs
// `then`: the panel when the call finished within the wait, else the worker posts it.
struct Outcome {
  std::mutex mutex;
  std::condition_variable done;
  bool finished = false;
  bool abandoned = false;  // the panel no longer waits
  Later then;
};

void PostLater(HWND laterWindow, Later then) {
  auto* later = new Later(std::move(then));
  if (!::PostMessageW(laterWindow, kRunLater, 0, reinterpret_cast<LPARAM>(later))) delete later;
}

LRESULT CALLBACK LaterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  if (message != kRunLater) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  const std::unique_ptr<Later> later(reinterpret_cast<Later*>(lParam));
  try {
    (*later)();
  } catch (...) {
    // Nothing of a late result may take the message loop down.
  }
  return 0;
}

}  // namespace

CWindowWorkers::~CWindowWorkers() {
  if (!m_lateResultsWindow) return;
  // Results still on their way are dropped unrun: whoever was to take them is going too.
  MSG message;
  while (::PeekMessageW(&message, m_lateResultsWindow, kRunLater, kRunLater, PM_REMOVE)) {
    delete reinterpret_cast<Later*>(message.lParam);
  }
  ::DestroyWindow(m_lateResultsWindow);
}

HWND CWindowWorkers::LateResultsWindow() {
  if (m_lateResultsWindow) return m_lateResultsWindow;
  static const ATOM atom = [] {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = &LaterProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kLaterClass;
    return ::RegisterClassW(&windowClass);
  }();
  m_lateResultsWindow = ::CreateWindowExW(0, MAKEINTATOM(atom), L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                          nullptr, ::GetModuleHandleW(nullptr), nullptr);
  return m_lateResultsWindow;
}

bool CWindowWorkers::Run(HWND window, std::function<void()> call, std::function<void()> then) {
  if (t_onWorker || ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId()) {
    call();
    if (then) then();
    return true;
  }

  auto outcome = std::make_shared<Outcome>();
  outcome->then = std::move(then);
  const HWND laterWindow = outcome->then ? LateResultsWindow() : nullptr;
  auto job = [call = std::move(call), outcome, laterWindow] {
    call();
    std::unique_lock lock(outcome->mutex);
    if (!outcome->abandoned) {
      outcome->finished = true;
      outcome->done.notify_all();
      return;
    }
    Later then = std::move(outcome->then);
    lock.unlock();
    if (then) PostLater(laterWindow, std::move(then));
  };

  const std::shared_ptr<State> state = m_state;
  std::shared_ptr<Queue> owner;
  bool late = false;
  {
    std::lock_guard lock(state->mutex);
    std::shared_ptr<Queue>& queue = state->queues[window];
    if (!queue) queue = std::make_shared<Queue>();
    owner = queue;
    late = queue->late;
    queue->calls.push_back(std::move(job));
    if (!queue->running) {
      queue->running = true;
      // The worker drains the window's queue and ends; it is detached so that a window that
      // never answers again cannot hold up the end of the program.
      std::thread([state, window, queue] {
        t_onWorker = true;
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

  // Behind a call that is already late the window is not answering: do not wait again.
  bool finished = false;
  Later ready;
  {
    std::unique_lock lock(outcome->mutex);
    const auto wait = std::chrono::milliseconds(late ? 0 : kWaitMilliseconds);
    finished = outcome->done.wait_for(lock, wait, [&] { return outcome->finished; });
    if (finished) {
      ready = std::move(outcome->then);
    } else {
      outcome->abandoned = true;
    }
  }
  if (finished) {
    if (ready) ready();
    return true;
  }
  if (!late) {
    std::lock_guard lock(state->mutex);
    owner->late = true;
  }
  return false;
}
