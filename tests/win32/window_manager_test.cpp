// The window manager on real windows of this process.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/window_manager.h"
#include "targets/window_list.h"
#include "tests/common/harness.h"

namespace {

// A plain top-level window standing in for another program's window.
class TargetWindow {
 public:
  explicit TargetWindow(const wchar_t* title) {
    static const ATOM atom = [] {
      WNDCLASSW windowClass{};
      windowClass.lpfnWndProc = &::DefWindowProcW;
      windowClass.hInstance = ::GetModuleHandleW(nullptr);
      windowClass.lpszClassName = L"GlazierTestTarget";
      return ::RegisterClassW(&windowClass);
    }();
    m_window =
        ::CreateWindowExW(0, MAKEINTATOM(atom), title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 60,
                          320, 240, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  }
  ~TargetWindow() { Close(); }
  TargetWindow(const TargetWindow&) = delete;
  TargetWindow& operator=(const TargetWindow&) = delete;

  WindowHandle Handle() const { return FromHwnd(m_window); }
  HWND Window() const { return m_window; }
  void Close() {
    if (m_window) ::DestroyWindow(m_window);
    m_window = nullptr;
  }

 private:
  HWND m_window = nullptr;
};

}  // namespace

CASE(TitlesAreReadAsUtf8WithinTheBuffer) {
  CWin32WindowManager windows;
  TargetWindow target(L"無題 - メモ帳 × 2");
  const WindowHandle handle = target.Handle();
  std::string title = "left over from an earlier read";
  windows.GetWindowText(handle, title, 2048);
  CHECK_EQ(title, "無題 - メモ帳 × 2");
  windows.GetWindowText(handle, title, 5);  // four characters and the terminator
  CHECK_EQ(title, "無題 -");
  windows.GetWindowText(handle, title, 1);
  CHECK_EQ(title, std::string());

  CHECK(windows.SetWindowText(handle, "新しいタイトル"));
  windows.GetWindowText(handle, title, 2048);
  CHECK_EQ(title, "新しいタイトル");

  target.Close();  // a window that has gone reads as untitled
  windows.GetWindowText(handle, title, 2048);
  CHECK_EQ(title, std::string());
  CHECK(!windows.HasVisibleStyle(handle));
}

CASE(EnumerationFindsVisibleTopLevelWindows) {
  CWin32WindowManager windows;
  TargetWindow target(L"Glazier test target");
  TargetWindow below(L"Glazier test target below");
  ::SetWindowPos(below.Window(), target.Window(), 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  std::vector<WindowHandle> all{1, 2, 3};
  windows.EnumTopLevelWindows(all);
  // Every top-level window, in z-order: the one placed below the other comes after it.
  const auto at = std::find(all.begin(), all.end(), target.Handle());
  CHECK(at != all.end() && std::find(at, all.end(), below.Handle()) != all.end());
  CHECK(windows.HasVisibleStyle(target.Handle()));
}

CASE(TooltipsAreToldByTheirClassInEveryWalk) {
  CWin32WindowManager windows;
  const auto popup = [](const wchar_t* windowClass) {
    return ::CreateWindowExW(0, windowClass, L"tip", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             ::GetModuleHandleW(nullptr), nullptr);
  };
  TargetWindow target(L"not a tip");
  using CUniqueWindow = CUniqueHandle<HWND, &::DestroyWindow>;
  const CUniqueWindow tips[] = {CUniqueWindow(popup(TOOLTIPS_CLASSW)),
                                CUniqueWindow(popup(TOOLTIPS_CLASSW))};
  // In one walk, as a refresh asks: the second tip's class is known by then.
  std::vector<WindowHandle> all;
  windows.EnumTopLevelWindows(all);
  CHECK(!windows.IsTooltip(target.Handle()));
  for (const CUniqueWindow& tip : tips) CHECK(windows.IsTooltip(FromHwnd(tip.get())));
  CHECK(!windows.IsTooltip(target.Handle()));
}

CASE(GeometryStylesAndInput) {
  CWin32WindowManager windows;
  TargetWindow target(L"geometry");
  const WindowHandle handle = target.Handle();
  CHECK(windows.SetWindowPos(handle, wm::kHwndTop, 100, 120, 300, 200, wm::kSwpNoZOrder));
  Rect rect;
  CHECK(windows.GetWindowRect(handle, rect));
  CHECK_EQ(rect, (Rect{100, 120, 400, 320}));
  Rect client;
  CHECK(windows.GetClientRect(handle, client));
  CHECK_EQ(client.left, 0);
  CHECK(client.Width() > 0 && client.Width() <= 300);
  Rect area;
  CHECK(windows.GetWorkArea(area));
  CHECK(area.Width() > 0 && area.Height() > 0);
  // One monitor here: the window is on it, and its work area is the desktop's.
  Rect monitor;
  Rect work;
  CHECK(windows.GetMonitorAreas(handle, monitor, work));
  CHECK_EQ(work, area);
  CHECK(monitor.Width() >= work.Width() && monitor.Height() >= work.Height());

  const std::int32_t style = windows.GetWindowLong(handle, wm::kGwlStyle);
  CHECK(static_cast<std::uint32_t>(style) & WS_CAPTION);
  windows.SetWindowLong(handle, wm::kGwlStyle, style & ~static_cast<std::int32_t>(WS_THICKFRAME));
  CHECK(!(::GetWindowLongW(target.Window(), GWL_STYLE) & WS_THICKFRAME));

  windows.EnableWindow(handle, false);
  CHECK(!::IsWindowEnabled(target.Window()));
  windows.EnableWindow(handle, true);
  CHECK(::IsWindowEnabled(target.Window()));

  windows.ShowWindow(handle, wm::kSwMinimize);
  CHECK(::IsIconic(target.Window()));
  windows.ShowWindow(handle, wm::kSwShowNormal);
  CHECK(!::IsIconic(target.Window()));
}

CASE(LayeredOpacityThroughTheLookedUpFunction) {
  CWin32WindowManager windows;
  TargetWindow target(L"layered");
  const WindowHandle handle = target.Handle();
  const ModuleHandle user32 = windows.LoadLibrary("user32");
  CHECK(user32 != 0);
  CHECK_EQ(windows.GetProcAddress(user32, "NoSuchExport"), ProcHandle{0});
  const ProcHandle proc = windows.GetProcAddress(user32, "SetLayeredWindowAttributes");
  CHECK(proc != 0);
  windows.SetWindowLong(
      handle, wm::kGwlExStyle,
      windows.GetWindowLong(handle, wm::kGwlExStyle) | static_cast<std::int32_t>(wm::kWsExLayered));
  CHECK(windows.CallSetLayeredWindowAttributes(proc, handle, 0, 77, wm::kLwaAlpha));
  BYTE alpha = 0;
  DWORD flags = 0;
  CHECK(::GetLayeredWindowAttributes(target.Window(), nullptr, &alpha, &flags));
  CHECK_EQ(static_cast<int>(alpha), 77);
  CHECK_EQ(flags, static_cast<DWORD>(LWA_ALPHA));
  CHECK(!windows.CallSetLayeredWindowAttributes(0, handle, 0, 77, wm::kLwaAlpha));
  windows.FreeLibrary(user32);
}

CASE(RegionsClipTheWindowAndBelongToItOnceSet) {
  CWin32WindowManager windows;
  TargetWindow target(L"regions");
  const WindowHandle handle = target.Handle();
  const Point triangle[] = {{0, 0}, {100, 0}, {50, 80}};
  const RegionHandle region = windows.CreatePolygonRgn(triangle, 3, wm::kWinding);
  CHECK(region != 0);
  CHECK(windows.SetWindowRgn(handle, region, true));
  RECT box{};
  CHECK_EQ(::GetWindowRgnBox(target.Window(), &box), COMPLEXREGION);
  CHECK_EQ(FromRect(box), (Rect{0, 0, 100, 80}));

  const RegionHandle ellipse = windows.CreateEllipticRgn(0, 0, 60, 40);
  CHECK(windows.SetWindowRgn(handle, ellipse, true));
  ::GetWindowRgnBox(target.Window(), &box);
  CHECK(box.right > 50 && box.right <= 60 && box.bottom > 30 && box.bottom <= 40);

  // Refused for a window that has gone: the manager frees the region itself, since a refusal
  // on a window that does not answer may only come after the call has returned.
  const RegionHandle square = windows.CreateRectRgn(0, 0, 10, 10);
  target.Close();
  CHECK(windows.SetWindowRgn(handle, square, true));
  CHECK_EQ(::GetObjectType(reinterpret_cast<HGDIOBJ>(square)), DWORD{0});
  CHECK_EQ(windows.CreatePolygonRgn(nullptr, 0, wm::kWinding), RegionHandle{0});
}

// A stand-in for SetLayeredWindowAttributes that fails and sets no error.
BOOL WINAPI FailsSilently(HWND, COLORREF, BYTE, DWORD) {
  return FALSE;
}

// A job hands back the gravest reason its calls failed; calls that cannot tell a failure learn
// of a closed window from the window being gone.
CASE(JobsSayWhyTheirCallsFailed) {
  CWin32WindowManager windows;
  TargetWindow target(L"failures");
  const WindowHandle handle = target.Handle();
  const auto outcome = [&](IWindowManager::Job job) {
    CallFailure failure = CallFailure::None;
    windows.RunJob(handle, std::move(job), [&](CallFailure reason) { failure = reason; });
    return failure;
  };
  const auto resize = [handle](IWindowManager& w) {
    w.SetWindowPos(handle, wm::kHwndTop, 0, 0, 200, 100, wm::kSwpNoZOrder);
  };
  const auto style = [handle](IWindowManager& w) {
    w.SetWindowLong(handle, wm::kGwlStyle, w.GetWindowLong(handle, wm::kGwlStyle));
  };
  CHECK(outcome(resize) == CallFailure::None);
  CHECK(outcome(style) == CallFailure::None);
  // A style word the window does not have: neither a closed window nor a refusal.
  CHECK(outcome([handle](IWindowManager& w) { w.SetWindowLong(handle, 4096, 1); }) ==
        CallFailure::Other);
  CHECK(outcome([](IWindowManager&) { throw 1; }) == CallFailure::Other);
  // A call that fails without a word of its own is never taken for the error an earlier call
  // left behind on the thread (jobs on the panel's own windows run on its thread).
  ::SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  CHECK(outcome([&](IWindowManager& w) {
          w.CallSetLayeredWindowAttributes(reinterpret_cast<ProcHandle>(&FailsSilently), handle, 0,
                                           0, wm::kLwaAlpha);
        }) == CallFailure::Other);
  // DWM says the window is shown.
  CHECK(!windows.IsWindowCloaked(handle));

  target.Close();
  CHECK(outcome(resize) == CallFailure::Closed);
  CHECK(outcome(style) == CallFailure::Closed);
  CHECK(outcome([handle](IWindowManager& w) { w.ShowWindow(handle, wm::kSwMinimize); }) ==
        CallFailure::Closed);
}

// The refresh asks DWM once per window and keeps what it answered until the system says the
// window's cloak changed, or until a refresh no longer asks for the window; a call that failed is
// asked again at the next refresh. DWM here is the stand-in these tests run beside, which answers
// as Windows does, and fails for a title that holds "(no answer)".
CASE(CloaksAreAskedOnceUntilTheSystemSaysTheyChanged) {
  CWin32WindowManager windows;
  TargetWindow target(L"cloak");
  TargetWindow unanswered(L"cloak (no answer)");
  std::vector<WindowHandle> all;
  const auto refresh = [&] { windows.EnumTopLevelWindows(all); };
  refresh();
  refresh();  // what earlier tests asked is gone
  CHECK_EQ(CWin32WindowManager::CloaksKept(), std::size_t{0});
  for (int twice = 0; twice < 2; ++twice) {
    CHECK(!windows.IsWindowCloaked(target.Handle()));
    CHECK(!windows.IsWindowCloaked(unanswered.Handle()));
    CHECK_EQ(CWin32WindowManager::CloaksKept(), std::size_t{1});
    refresh();
  }
  // A walk on a thread of its own asks DWM every time: it keeps no cloak and takes no event from
  // the thread that follows them.
  CWin32WindowManager walker;
  CWalkAhead walk;
  walk.Start(walker);
  CHECK(walk.Take().has_value());
  CHECK_EQ(CWin32WindowManager::CloaksKept(), std::size_t{1});

  ::NotifyWinEvent(EVENT_OBJECT_CLOAKED, target.Window(), OBJID_WINDOW, CHILDID_SELF);
  CHECK(harness::WaitFor([] { return CWin32WindowManager::CloaksKept() == 0; }, 5000));
  CHECK(!windows.IsWindowCloaked(target.Handle()));
  refresh();
  refresh();
  CHECK_EQ(CWin32WindowManager::CloaksKept(), std::size_t{0});
}

// The sound system is needed by two menu commands only: it is loaded when one of them runs, not
// with the program, and the command then reaches it.
CASE(MciLoadsTheSoundSystemOnFirstUse) {
  CHECK(::GetModuleHandleW(L"winmm.dll") == nullptr);
  CWin32WindowManager windows;
  windows.MciSendString("close all", WindowHandle{});
  CHECK(::GetModuleHandleW(L"winmm.dll") != nullptr);
}
