// The per-window workers on real windows: a window on a thread of its own that can be made to
// stop answering stands in for another program's busy or hung window.
#include <mutex>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/window_manager.h"
#include "platform/win32/window_workers.h"
#include "tests/common/harness.h"

namespace {

constexpr UINT kBlock = WM_APP + 7;  // the window's thread stops answering until released

// A top-level window whose thread answers until Block() and again after Unblock().
class BusyWindow {
 public:
  BusyWindow() {
    m_blocked = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    m_release = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE ready = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
    m_ready = ready;
    m_thread = ::CreateThread(nullptr, 0, &BusyWindow::Run, this, 0, nullptr);
    ::WaitForSingleObject(ready, 10000);
    ::CloseHandle(ready);
  }
  // Left running, for a call that is to stay stuck until the process ends.
  void Abandon() { m_thread = nullptr; }
  ~BusyWindow() {
    if (!m_thread) return;
    Unblock();
    ::PostMessageW(m_window, WM_CLOSE, 0, 0);
    ::WaitForSingleObject(m_thread, 10000);
    ::CloseHandle(m_thread);
  }
  BusyWindow(const BusyWindow&) = delete;
  BusyWindow& operator=(const BusyWindow&) = delete;

  HWND Window() const { return m_window; }
  bool Block() {
    ::ResetEvent(m_release);
    ::PostMessageW(m_window, kBlock, 0, 0);
    return ::WaitForSingleObject(m_blocked, 10000) == WAIT_OBJECT_0;
  }
  void Unblock() { ::SetEvent(m_release); }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<BusyWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == kBlock && self) {
      ::SetEvent(self->m_blocked);
      ::WaitForSingleObject(self->m_release, INFINITE);
      return 0;
    }
    if (message == WM_CLOSE) ::PostQuitMessage(0);
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
  static DWORD WINAPI Run(void* parameter) {
    auto* self = static_cast<BusyWindow*>(parameter);
    static const ATOM atom = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = &BusyWindow::Proc;
      windowClass.hInstance = ::GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"GlazierTestBusy";
      return ::RegisterClassW(&windowClass);
    }();
    self->m_window =
        ::CreateWindowExW(0, MAKEINTATOM(atom), L"busy", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                          300, 200, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::SetWindowLongPtrW(self->m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    ::SetEvent(self->m_ready);
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
    ::DestroyWindow(self->m_window);
    return 0;
  }

  HWND m_window = nullptr;
  HANDLE m_thread = nullptr;
  HANDLE m_ready = nullptr;
  HANDLE m_blocked = nullptr;
  HANDLE m_release = nullptr;
};

}  // namespace

CASE(ALateWindowsCallsKeepTheirOrderAndComeBackThroughTheMessageLoop) {
  BusyWindow busy;
  const HWND hwnd = busy.Window();
  CWindowWorkers calls;
  std::mutex mutex;
  std::vector<int> widthsSeen;  // by each call, before its own move
  std::vector<int> results;     // the calls whose result came back, in that order
  bool resultsOnThisThread = true;
  const DWORD thisThread = ::GetCurrentThreadId();
  const auto call = [&](int width) {
    return [&, width] {
      RECT rect{};
      ::GetWindowRect(hwnd, &rect);
      {
        std::lock_guard lock(mutex);
        widthsSeen.push_back(rect.right - rect.left);
      }
      ::SetWindowPos(hwnd, nullptr, 40, 40, width, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    };
  };
  const auto result = [&](int width) {
    return [&, width] {
      resultsOnThisThread = resultsOnThisThread && ::GetCurrentThreadId() == thisThread;
      results.push_back(width);
    };
  };

  calls.Run(hwnd, call(250), result(250));  // an answering window
  CHECK(harness::WaitFor([&] { return results.size() == 1; }, 10000));

  CHECK(busy.Block());
  CHECK(!calls.Run(hwnd, call(260), result(260)));
  // Behind a late call nothing is waited for: twenty waits would take 800 ms at the least.
  constexpr int kMore = 20;
  const ULONGLONG queued = ::GetTickCount64();
  for (int i = 1; i <= kMore; ++i) CHECK(!calls.Run(hwnd, call(260 + i), result(260 + i)));
  const ULONGLONG took = ::GetTickCount64() - queued;
  CHECK(took < kMore * CWindowWorkers::kWaitMilliseconds);
  CHECK_EQ(results.size(), std::size_t{1});

  busy.Unblock();
  CHECK(harness::WaitFor([&] { return results.size() == kMore + 2; }, 20000));
  std::vector<int> expected;
  for (int width = 250; width <= 260 + kMore; width += width == 250 ? 10 : 1) {
    expected.push_back(width);
  }
  CHECK(results == expected);
  CHECK(resultsOnThisThread);
  // Each call saw the width the one before it set: none overtook another.
  std::lock_guard lock(mutex);
  CHECK_EQ(widthsSeen.size(), expected.size());
  for (std::size_t i = 1; i < widthsSeen.size() && i < expected.size(); ++i) {
    CHECK_EQ(widthsSeen[i], expected[i - 1]);
  }
}

CASE(AStuckCallHoldsUpNeitherTheManagerNorTheEndOfTheProgram) {
  // This thread's own windows are called directly, and their results come at once.
  CWin32WindowManager windows;
  const HWND own = ::CreateWindowExW(0, L"STATIC", L"own", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
  bool ownDone = false;
  windows.RunJob(
      FromHwnd(own), [&](IWindowManager& direct) { direct.ShowWindow(FromHwnd(own), SW_SHOW); },
      [&](CallFailure) { ownDone = true; });
  CHECK(ownDone && ::IsWindowVisible(own));
  ::DestroyWindow(own);

  // A window that never answers again: it stays blocked until the process ends, which the end of
  // this run shows to come at once all the same.
  auto* stuck = new BusyWindow;
  stuck->Abandon();
  CHECK(stuck->Block());
  const HWND hwnd = stuck->Window();
  bool late = false;
  const ULONGLONG started = ::GetTickCount64();
  {
    CWin32WindowManager doomed;
    doomed.RunJob(
        FromHwnd(hwnd),
        [hwnd](IWindowManager& direct) {
          direct.SetWindowPos(FromHwnd(hwnd), wm::kHwndTop, 0, 0, 100, 100, wm::kSwpNoActivate);
        },
        [&](CallFailure) { late = true; });
    doomed.ShowWindow(FromHwnd(hwnd), wm::kSwMinimize);
  }
  CHECK(::GetTickCount64() - started < 1000);
  harness::WaitFor([] { return false; }, 100);
  CHECK(!late);
}
