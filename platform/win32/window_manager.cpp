#include "platform/win32/window_manager.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "platform/kept_answers.h"
#include "platform/win32/handles.h"
#include "platform/win32/system_library.h"
#include "platform/win32/text.h"

// How each call on another program's window is made. A call that waits for the window's thread
// must not freeze the panel when that thread hangs; a call whose failure the panel says notes why
// it failed for the job it runs in.
//
//   call                                         waits for the window's   failure noted
//                                                thread (CallWithinWait)  (CallNotingFailure)
//   ShowWindow, EnableWindow                     yes                      no: the window's
//                                                                         state is read back
//   SetWindowPos, SetWindowLong, SetWindowText,  yes                      yes
//   SetWindowRgn
//   GetWindowRect, GetClientRect, GetWindowLong, no                       yes
//   GetWindowPlacement,
//   SetLayeredWindowAttributes
//   EnumWindows, GetWindowText, IsWindowVisible  no                       no: a window gone
//   and the rest of the refresh's reads,                                  reads as empty
//   IsIconic, IsWindowEnabled, GetWindowRgn,
//   GetLayeredWindowAttributes
//
// Within a job every call runs directly on the window's worker, which waits as long as it takes.

namespace {

HRGN ToRegion(RegionHandle region) {
  return reinterpret_cast<HRGN>(region);
}
RegionHandle FromRegion(HRGN region) {
  return reinterpret_cast<RegionHandle>(region);
}
HMODULE ToModule(ModuleHandle module) {
  return reinterpret_cast<HMODULE>(module);
}

using SetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using GetLayeredWindowAttributesFn = BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*);
using ShellExecuteWFn = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
using MciSendStringWFn = MCIERROR(WINAPI*)(LPCWSTR, LPWSTR, UINT, HWND);
using DwmGetWindowAttributeFn = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

// DWMWA_EXTENDED_FRAME_BOUNDS: the frame as drawn, without the invisible resize border.
constexpr DWORD kDwmwaExtendedFrameBounds = 9;
// DWMWA_CLOAKED: nonzero while the system keeps the window from being drawn.
constexpr DWORD kDwmwaCloaked = 14;

// Loaded on first use and kept: a system without it (or Wine, which answers E_NOTIMPL) has no
// cloaked windows and no frames apart from the windows' rectangles, and the program must start
// where the library is missing.
DwmGetWindowAttributeFn DwmAttributes() {
  static const auto getAttribute =
      LoadedOnFirstUse<DwmGetWindowAttributeFn>(L"dwmapi.dll", "DwmGetWindowAttribute");
  return getAttribute;
}

// The cloaks DWM told the refresh, followed through the system's events (EVENT_OBJECT_CLOAKED and
// EVENT_OBJECT_UNCLOAKED, Windows 8 and later). The events come to the thread that asked first,
// from its message loop; any other thread asks every time, as does a system that lets no one
// follow the events.
class CFollowedCloaks {
 public:
  static CFollowedCloaks& Instance() {
    static CFollowedCloaks followed;
    return followed;
  }
  // The cache, for the thread the events come to; null for any other.
  CKeptAnswers* Cache() {
    if (!m_thread) {
      m_thread = ::GetCurrentThreadId();
      m_hook = ::SetWinEventHook(EVENT_OBJECT_CLOAKED, EVENT_OBJECT_UNCLOAKED, nullptr, &OnEvent, 0,
                                 0, WINEVENT_OUTOFCONTEXT);
    }
    return m_hook && m_thread == ::GetCurrentThreadId() ? &m_cache : nullptr;
  }

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                               DWORD) noexcept {
    if (object == OBJID_WINDOW && child == CHILDID_SELF)
      Instance().m_cache.Forget(FromHwnd(window));
  }

  CKeptAnswers m_cache;
  DWORD m_thread = 0;
  HWINEVENTHOOK m_hook = nullptr;
};

// The gravest failure of the current job's calls so far, on the thread that runs the job: a
// worker, or the panel's own thread for a job on one of its own windows.
thread_local CallFailure t_jobFailure = CallFailure::None;

// Makes a call on `window` and notes its outcome for the job. The thread's last error is cleared
// first, so that a failure that sets none is never taken for an earlier call's (the panel's own
// thread, where jobs on its windows run, has the refresh's errors behind it), and read before
// anything else can change it.
template <typename Call>
bool CallNotingFailure(HWND window, Call call) {
  ::SetLastError(ERROR_SUCCESS);
  if (call()) return true;
  const DWORD error = ::GetLastError();
  CallFailure failure = CallFailure::Other;
  if (error == ERROR_INVALID_WINDOW_HANDLE || !::IsWindow(window)) {
    failure = CallFailure::Closed;
  } else if (error == ERROR_ACCESS_DENIED) {
    failure = CallFailure::Denied;
  }
  t_jobFailure = std::max(t_jobFailure, failure);
  return false;
}

// GetWindowLong and SetWindowLong return a style word, which may be 0: only the last error tells
// a failure.
template <typename Call>
LONG StyleCallNotingFailure(HWND window, Call call) {
  LONG result = 0;
  CallNotingFailure(window, [&] {
    result = call();
    return result != 0 || ::GetLastError() == ERROR_SUCCESS;
  });
  return result;
}

bool ReadRect(BOOL ok, const RECT& source, Rect& rect) {
  if (!ok) return false;
  rect = FromRect(source);
  return true;
}

// The manager that jobs make their calls through. It is never destroyed: a job may still be
// running on a window's worker when the program ends.
IWindowManager& ManagerOfJobs() {
  static CWin32WindowManager* const manager = new CWin32WindowManager;
  return *manager;
}

}  // namespace

void CWin32WindowManager::RunJob(WindowHandle window, Job job, Then then) {
  const HWND hwnd = ToHwnd(window);
  auto failure = std::make_shared<CallFailure>(CallFailure::None);
  auto call = [hwnd, job = std::move(job), failure] {
    t_jobFailure = CallFailure::None;
    try {
      job(ManagerOfJobs());
    } catch (...) {
      // A job that throws on a worker must not end the program: it counts as a failed call.
      t_jobFailure = std::max(t_jobFailure, CallFailure::Other);
    }
    // ShowWindow and EnableWindow cannot tell a failure; a window that is gone says it for them.
    if (!::IsWindow(hwnd)) t_jobFailure = CallFailure::Closed;
    *failure = t_jobFailure;
  };
  std::function<void()> report;
  if (then) report = [then = std::move(then), failure] { then(*failure); };
  m_workers.Run(hwnd, std::move(call), std::move(report));
}

void CWin32WindowManager::FollowCloakEvents() {
  // The library that answers is loaded here too: a walk on another thread that loaded it would
  // wait for whatever library this thread is loading then.
  DwmAttributes();
  CFollowedCloaks::Instance().Cache();
}

std::size_t CWin32WindowManager::CloaksKept() {
  const CKeptAnswers* cloaks = CFollowedCloaks::Instance().Cache();
  return cloaks ? cloaks->Size() : 0;
}

void CWin32WindowManager::EnumTopLevelWindows(std::vector<WindowHandle>& windows) {
  if (CKeptAnswers* cloaks = CFollowedCloaks::Instance().Cache()) cloaks->NewRefresh();
  m_tooltipAtoms.clear();
  windows.clear();
  const auto add = [](HWND window, LPARAM list) noexcept -> BOOL {
    try {
      reinterpret_cast<std::vector<WindowHandle>*>(list)->push_back(FromHwnd(window));
      return TRUE;
    } catch (...) {
      return FALSE;  // out of memory: the windows so far
    }
  };
  ::EnumWindows(add, reinterpret_cast<LPARAM>(&windows));
}

void CWin32WindowManager::GetWindowText(WindowHandle window, std::string& title, int maxChars) {
  title.clear();
  if (maxChars <= 0) return;
  // One buffer a thread, kept: a refresh reads thousands of titles, and jobs on several windows'
  // workers read theirs at once.
  thread_local std::vector<wchar_t> buffer;
  const auto size = static_cast<std::size_t>(maxChars);
  if (buffer.size() < size) buffer.resize(size);
  // The text the system keeps, as GetWindowText reads another program's, and never a message to
  // the window's thread: the first walk runs on a thread of its own while the panel's thread waits
  // for it, and a window of this process would wait for the panel's thread.
  const int length = ::InternalGetWindowText(ToHwnd(window), buffer.data(), maxChars);
  if (length <= 0) return;
  NarrowInto(std::wstring_view(buffer.data(), static_cast<std::size_t>(length)), title);
}

bool CWin32WindowManager::HasVisibleStyle(WindowHandle window) {
  // For a top-level window, whose parent is the desktop, IsWindowVisible answers its visible style
  // alone; read directly it costs one request to the system under Wine where IsWindowVisible
  // costs two (the style, then the parents).
  return (::GetWindowLongW(ToHwnd(window), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool CWin32WindowManager::IsWindowCloaked(WindowHandle window) {
  const auto getAttribute = DwmAttributes();
  if (!getAttribute) return false;
  const auto ask = [&]() -> std::optional<bool> {
    DWORD cloaked = 0;
    if (FAILED(getAttribute(ToHwnd(window), kDwmwaCloaked, &cloaked, sizeof cloaked))) {
      return std::nullopt;
    }
    return cloaked != 0;
  };
  CKeptAnswers* cloaks = CFollowedCloaks::Instance().Cache();
  return cloaks ? cloaks->Answer(window, ask) : ask().value_or(false);
}

bool CWin32WindowManager::IsTooltip(WindowHandle window) {
  const HWND hwnd = ToHwnd(window);
  // Under Wine the class name of another program's window costs two requests to the system (its
  // atom, then the atom's name), the atom alone one; a desktop's windows share a few dozen
  // classes, so the walk asks each class's name once. Only for one walk: an atom that the last
  // program of its class gives up may later name another class.
  const auto atom = static_cast<std::uint16_t>(::GetClassLongPtrW(hwnd, GCW_ATOM));
  for (const auto& [known, tooltip] : m_tooltipAtoms) {
    if (known == atom) return tooltip;
  }
  // Room for one character more than the name: a longer name, cut short, is not it.
  wchar_t name[std::size(TOOLTIPS_CLASSW) + 1] = L"";
  const int length = ::GetClassNameW(hwnd, name, static_cast<int>(std::size(name)));
  if (length <= 0) return false;  // gone
  // Class names are found without regard to case, as the system registers them.
  const bool tooltip =
      ::CompareStringOrdinal(name, length, TOOLTIPS_CLASSW, -1, TRUE) == CSTR_EQUAL;
  if (atom != 0) m_tooltipAtoms.emplace_back(atom, tooltip);  // 0: the atom could not be read
  return tooltip;
}

bool CWin32WindowManager::GetWindowRect(WindowHandle window, Rect& rect) {
  const HWND hwnd = ToHwnd(window);
  RECT source{};
  return ReadRect(CallNotingFailure(hwnd, [&] { return ::GetWindowRect(hwnd, &source) != FALSE; }),
                  source, rect);
}

bool CWin32WindowManager::GetClientRect(WindowHandle window, Rect& rect) {
  const HWND hwnd = ToHwnd(window);
  RECT source{};
  return ReadRect(CallNotingFailure(hwnd, [&] { return ::GetClientRect(hwnd, &source) != FALSE; }),
                  source, rect);
}

bool CWin32WindowManager::GetWorkArea(Rect& rect) {
  RECT source{};
  return ReadRect(::SystemParametersInfoW(SPI_GETWORKAREA, 0, &source, 0), source, rect);
}

bool CWin32WindowManager::GetMonitorAreas(WindowHandle window, Rect& monitor, Rect& work) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  const HMONITOR on = ::MonitorFromWindow(ToHwnd(window), MONITOR_DEFAULTTONEAREST);
  if (!on || !::GetMonitorInfoW(on, &info)) return false;
  monitor = FromRect(info.rcMonitor);
  work = FromRect(info.rcWork);
  return true;
}

void CWin32WindowManager::AwaitSettledPlace(WindowHandle window) {
  const HWND hwnd = ToHwnd(window);
  // A window of the panel's own thread cannot move while that thread waits here.
  if (::GetWindowThreadProcessId(hwnd, nullptr) == ::GetCurrentThreadId()) return;
  // An X window manager answers a change within a few tens of milliseconds on an idle machine,
  // passing through places of its own on the way; with both cores busy, some of its answers came
  // more than a quarter of a second apart. The wait ends at the deadline for a window that keeps
  // moving (one the user drags).
  using Clock = std::chrono::steady_clock;
  constexpr auto kQuiet = std::chrono::milliseconds(500);
  constexpr auto kLongest = std::chrono::milliseconds(3000);
  const auto start = Clock::now();
  auto still = start;
  RECT last{};
  if (!::GetWindowRect(hwnd, &last)) return;
  while (Clock::now() - still < kQuiet && Clock::now() - start < kLongest) {
    ::Sleep(10);
    RECT now{};
    if (!::GetWindowRect(hwnd, &now)) return;
    if (!::EqualRect(&now, &last)) {
      last = now;
      still = Clock::now();
    }
  }
}

bool CWin32WindowManager::GetExtendedFrameBounds(WindowHandle window, Rect& rect) {
  const auto getAttribute = DwmAttributes();
  RECT source{};
  return ReadRect(getAttribute && SUCCEEDED(getAttribute(ToHwnd(window), kDwmwaExtendedFrameBounds,
                                                         &source, sizeof source)),
                  source, rect);
}

bool CWin32WindowManager::ShowWindow(WindowHandle window, int command) {
  const HWND hwnd = ToHwnd(window);
  return CallWithinWait(hwnd, [hwnd, command] { return ::ShowWindow(hwnd, command); }) != FALSE;
}

void CWin32WindowManager::MaximizeKeepingActive(WindowHandle window) {
  const HWND hwnd = ToHwnd(window);
  const HWND active = ::GetForegroundWindow();
  CallWithinWait(hwnd, [hwnd] { return ::ShowWindow(hwnd, SW_SHOWMAXIMIZED); });
  if (!active || active == hwnd) return;
  // The activation goes back, with the top of the z-order (as on Windows, where the window
  // activated comes to the top: under a window manager whose focus follows the pointer, the
  // window under the pointer has the keyboard). Under an X window manager the maximized window's
  // own activation may reach it again a while later: given back each time, until it has held for a
  // moment. Another window activated meanwhile is somebody else's choice, and stands.
  const auto giveBack = [active] {
    ::SetWindowPos(active, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetForegroundWindow(active);
  };
  using Clock = std::chrono::steady_clock;
  constexpr auto kHeld = std::chrono::milliseconds(400);
  constexpr auto kLongest = std::chrono::milliseconds(2000);
  const auto start = Clock::now();
  auto since = start;
  giveBack();
  while (Clock::now() - since < kHeld && Clock::now() - start < kLongest) {
    ::Sleep(10);
    const HWND now = ::GetForegroundWindow();
    if (now == hwnd) {
      giveBack();
      since = Clock::now();
    } else if (now && now != active) {
      return;
    }
  }
}

bool CWin32WindowManager::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y,
                                       int cx, int cy, unsigned flags) {
  const HWND hwnd = ToHwnd(window);
  const HWND after = ToHwnd(insertAfter);
  return CallWithinWait(hwnd, [=] {
    return CallNotingFailure(
        hwnd, [=] { return ::SetWindowPos(hwnd, after, x, y, cx, cy, flags) != FALSE; });
  });
}

bool CWin32WindowManager::EnableWindow(WindowHandle window, bool enable) {
  const HWND hwnd = ToHwnd(window);
  return CallWithinWait(
             hwnd, [hwnd, enable] { return ::EnableWindow(hwnd, enable ? TRUE : FALSE); }) != FALSE;
}

std::int32_t CWin32WindowManager::GetWindowLong(WindowHandle window, int index) {
  const HWND hwnd = ToHwnd(window);
  return StyleCallNotingFailure(hwnd, [=] { return ::GetWindowLongW(hwnd, index); });
}

std::int32_t CWin32WindowManager::SetWindowLong(WindowHandle window, int index,
                                                std::int32_t value) {
  const HWND hwnd = ToHwnd(window);
  return CallWithinWait(hwnd, [hwnd, index, value] {
    return StyleCallNotingFailure(hwnd, [=] { return ::SetWindowLongW(hwnd, index, value); });
  });
}

bool CWin32WindowManager::SetWindowText(WindowHandle window, const std::string& text) {
  const HWND hwnd = ToHwnd(window);
  return CallWithinWait(hwnd, [hwnd, wide = Widen(text)] {
    return CallNotingFailure(hwnd, [&] { return ::SetWindowTextW(hwnd, wide.c_str()) != FALSE; });
  });
}

bool CWin32WindowManager::IsIconic(WindowHandle window) {
  return ::IsIconic(ToHwnd(window)) != FALSE;
}

bool CWin32WindowManager::IsWindowEnabled(WindowHandle window) {
  return ::IsWindowEnabled(ToHwnd(window)) != FALSE;
}

bool CWin32WindowManager::GetWindowPlacement(WindowHandle window, WindowPlacement& placement) {
  const HWND hwnd = ToHwnd(window);
  WINDOWPLACEMENT read{};
  read.length = sizeof(read);
  if (!CallNotingFailure(hwnd, [&] { return ::GetWindowPlacement(hwnd, &read) != FALSE; }))
    return false;
  placement = {read.flags,
               read.showCmd,
               {read.ptMinPosition.x, read.ptMinPosition.y},
               {read.ptMaxPosition.x, read.ptMaxPosition.y},
               FromRect(read.rcNormalPosition)};
  return true;
}

std::uint32_t CWin32WindowManager::GetWindowThreadProcessId(WindowHandle window,
                                                            std::uint32_t& process) {
  DWORD owner = 0;
  const DWORD thread = ::GetWindowThreadProcessId(ToHwnd(window), &owner);
  process = owner;
  return thread;
}

bool CWin32WindowManager::HasEnabledPopup(WindowHandle window) {
  // The windows a window owns are top-level windows of their own: walked, not asked of the owner.
  struct Search {
    HWND owner;
    bool found;
  } search{ToHwnd(window), false};
  ::EnumWindows(
      [](HWND hwnd, LPARAM param) noexcept -> BOOL {
        auto* search = reinterpret_cast<Search*>(param);
        if (::GetWindow(hwnd, GW_OWNER) != search->owner || !::IsWindowVisible(hwnd) ||
            !::IsWindowEnabled(hwnd)) {
          return TRUE;
        }
        search->found = true;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

RegionHandle CWin32WindowManager::CreateEllipticRgn(int left, int top, int right, int bottom) {
  return FromRegion(::CreateEllipticRgn(left, top, right, bottom));
}

RegionHandle CWin32WindowManager::CreateRectRgn(int left, int top, int right, int bottom) {
  return FromRegion(::CreateRectRgn(left, top, right, bottom));
}

RegionHandle CWin32WindowManager::CreatePolygonRgn(const Point* points, int count, int fillMode) {
  if (!points || count <= 0) return 0;
  std::vector<POINT> vertices;
  vertices.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) vertices.push_back({points[i].x, points[i].y});
  return FromRegion(::CreatePolygonRgn(vertices.data(), count, fillMode));
}

bool CWin32WindowManager::SetWindowRgn(WindowHandle window, RegionHandle region, bool redraw) {
  // The region is this call's from here on: kept by the window manager, or freed if refused,
  // possibly later on the window's worker.
  const HWND hwnd = ToHwnd(window);
  const HRGN rgn = ToRegion(region);
  CallWithinWait(hwnd, [hwnd, rgn, redraw] {
    const bool accepted = CallNotingFailure(
        hwnd, [=] { return ::SetWindowRgn(hwnd, rgn, redraw ? TRUE : FALSE) != 0; });
    if (!accepted) ::DeleteObject(rgn);
    return accepted;
  });
  return true;
}

void CWin32WindowManager::DeleteRegion(RegionHandle region) {
  if (region) ::DeleteObject(ToRegion(region));
}

RegionHandle CWin32WindowManager::GetWindowRgn(WindowHandle window) {
  CUniqueGdiObject<HRGN> copy(::CreateRectRgn(0, 0, 0, 0));
  // ERROR also for a window without a region: it has the whole of its shape.
  if (!copy || ::GetWindowRgn(ToHwnd(window), copy.get()) == ERROR) return 0;
  return FromRegion(copy.release());
}

RegionHandle CWin32WindowManager::CopyRegion(RegionHandle region) {
  CUniqueGdiObject<HRGN> copy(::CreateRectRgn(0, 0, 0, 0));
  if (!copy || ::CombineRgn(copy.get(), ToRegion(region), nullptr, RGN_COPY) == ERROR) return 0;
  return FromRegion(copy.release());
}

bool CWin32WindowManager::EqualRegions(RegionHandle one, RegionHandle other) {
  return ::EqualRgn(ToRegion(one), ToRegion(other)) != FALSE;
}

ModuleHandle CWin32WindowManager::LoadLibrary(const char* name) {
  return reinterpret_cast<ModuleHandle>(LoadSystemLibrary(Widen(name).c_str()));
}

ProcHandle CWin32WindowManager::GetProcAddress(ModuleHandle module, const char* name) {
  return reinterpret_cast<ProcHandle>(::GetProcAddress(ToModule(module), name));
}

bool CWin32WindowManager::CallSetLayeredWindowAttributes(ProcHandle proc, WindowHandle window,
                                                         std::uint32_t colorKey, std::uint8_t alpha,
                                                         std::uint32_t flags) {
  if (!proc) return false;
  const auto function = reinterpret_cast<SetLayeredWindowAttributesFn>(proc);
  const HWND hwnd = ToHwnd(window);
  return CallNotingFailure(hwnd, [=] { return function(hwnd, colorKey, alpha, flags) != FALSE; });
}

void CWin32WindowManager::FreeLibrary(ModuleHandle module) {
  if (module) ::FreeLibrary(ToModule(module));
}

bool CWin32WindowManager::GetLayeredWindowAttributes(WindowHandle window,
                                                     LayeredAttributes& attributes) {
  // Windows XP and later; kept, like the other functions loaded on first use.
  static const auto getAttributes =
      LoadedOnFirstUse<GetLayeredWindowAttributesFn>(L"user32.dll", "GetLayeredWindowAttributes");
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!getAttributes || !getAttributes(ToHwnd(window), &key, &alpha, &flags)) return false;
  attributes = {key, alpha, flags};
  return true;
}

void CWin32WindowManager::MessageBox(WindowHandle owner, const std::string& text, unsigned type) {
  // No caption: the system supplies its default one.
  ::MessageBoxW(ToHwnd(owner), Widen(text).c_str(), nullptr, type);
}

void CWin32WindowManager::ShellExecute(const char* verb, const std::string& file, int show) {
  static const auto shellExecute =
      LoadedOnFirstUse<ShellExecuteWFn>(L"shell32.dll", "ShellExecuteW");
  if (!shellExecute) return;
  shellExecute(nullptr, Widen(verb).c_str(), Widen(file).c_str(), nullptr, nullptr, show);
}

void CWin32WindowManager::MciSendString(const std::string& command, WindowHandle callback) {
  static const auto mciSendString =
      LoadedOnFirstUse<MciSendStringWFn>(L"winmm.dll", "mciSendStringW");
  if (!mciSendString) return;
  wchar_t answer[256] = {};
  mciSendString(Widen(command).c_str(), answer, 255, ToHwnd(callback));
}
