// The window manager seam: every call Glazier makes on other programs' windows, plus the shell
// and multimedia calls. Text crosses it as UTF-8; the Win32 side converts to UTF-16.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/types.h"

// Why a job's calls on its window failed, the gravest reason first in precedence: a window that
// has closed explains every other failure, and a refusal says more than an unknown error.
enum class CallFailure { None, Other, Denied, Closed };

class IWindowManager {
 public:
  virtual ~IWindowManager() = default;

  // A command's calls on one window, made through the manager the job is given. The job runs
  // after every earlier job on that window, so no call overtakes an earlier one, and it must
  // touch nothing but that manager and what it owns. `then`, when given, runs afterwards on the
  // caller's thread: before RunJob returns when the window answered within a brief wait,
  // otherwise later, from the caller's message loop; never, for a window that never answers.
  // It is told the gravest failure among the job's calls on a window whose result can tell one
  // (reads of rectangles and styles, and every change but ShowWindow and EnableWindow, whose
  // results are the previous state), and Closed when the window no longer exists afterwards.
  using Job = std::function<void(IWindowManager& windows)>;
  using Then = std::function<void(CallFailure failure)>;
  virtual void RunJob(WindowHandle window, Job job, Then then) = 0;

  // Every top-level window in z-order, topmost first, in one call (EnumWindows): one request to
  // the system for the whole list, where a walk asks once per window. Replaces the contents of
  // `windows`, reusing its storage.
  virtual void EnumTopLevelWindows(std::vector<WindowHandle>& windows) = 0;
  // Reads at most maxChars - 1 characters of the title into `title`, replacing its contents and
  // reusing its storage. An empty string when the window has no title or no longer exists.
  virtual void GetWindowText(WindowHandle window, std::string& title, int maxChars) = 0;
  // Whether a top-level window has the WS_VISIBLE style bit, read from its style alone: for a
  // window whose parent is the desktop, that is all IsWindowVisible would answer.
  virtual bool HasVisibleStyle(WindowHandle window) = 0;
  // Whether the system keeps the window from being drawn although its style says visible (a
  // suspended app's frame, a window on another virtual desktop). False where it cannot be asked.
  virtual bool IsWindowCloaked(WindowHandle window) = 0;
  // Whether the window is a tooltip (of the system's class "tooltips_class32"), Glazier's own or
  // another program's.
  virtual bool IsTooltip(WindowHandle window) = 0;

  // Geometry. Each returns false, leaving `rect` untouched, when the call fails.
  virtual bool GetWindowRect(WindowHandle window, Rect& rect) = 0;
  virtual bool GetClientRect(WindowHandle window, Rect& rect) = 0;
  virtual bool GetWorkArea(Rect& rect) = 0;  // SystemParametersInfo(SPI_GETWORKAREA)
  // The monitor the window is on (the nearest one, for a window on none): its whole rectangle
  // and its work area. A minimized window is on the monitor of its normal place.
  virtual bool GetMonitorAreas(WindowHandle window, Rect& monitor, Rect& work) = 0;
  // Returns once the window's rectangle has held still for a moment. A window manager of the
  // system's own (an X one under Wine) may move a window a while after its frame or region has
  // changed or it has been placed, and tells nobody when it is done; on Windows nothing moves a
  // window after SetWindowPos has returned, and this only waits.
  virtual void AwaitSettledPlace(WindowHandle window) = 0;
  // The frame the user sees, as DWM draws it (DWMWA_EXTENDED_FRAME_BOUNDS), in the pixels of
  // GetWindowRect for a program aware of each monitor's DPI. False where DWM gives no answer (no
  // composition, Wine, a window not shown yet): not a failure of the job's calls.
  virtual bool GetExtendedFrameBounds(WindowHandle window, Rect& rect) = 0;

  // Show state, z-order, position, input and styles.
  virtual bool ShowWindow(WindowHandle window, int command) = 0;
  // ShowWindow(SW_SHOWMAXIMIZED), after which the window that was active before is active again:
  // no show command maximizes a window without activating it.
  virtual void MaximizeKeepingActive(WindowHandle window) = 0;
  virtual bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx,
                            int cy, unsigned flags) = 0;
  virtual bool EnableWindow(WindowHandle window, bool enable) = 0;
  virtual std::int32_t GetWindowLong(WindowHandle window, int index) = 0;
  virtual std::int32_t SetWindowLong(WindowHandle window, int index, std::int32_t value) = 0;
  virtual bool SetWindowText(WindowHandle window, const std::string& text) = 0;
  // What ShowWindow and EnableWindow cannot tell, read back: whether the window is minimized, and
  // whether it takes input.
  virtual bool IsIconic(WindowHandle window) = 0;
  virtual bool IsWindowEnabled(WindowHandle window) = 0;
  // How the window is shown and its normal rectangle; false when the call fails.
  virtual bool GetWindowPlacement(WindowHandle window, WindowPlacement& placement) = 0;
  // The thread that made the window, with its process in `process`; 0 for a window that is gone.
  virtual std::uint32_t GetWindowThreadProcessId(WindowHandle window, std::uint32_t& process) = 0;
  // Whether the window owns a visible window that takes input: the dialog of its own program that
  // disabled it, say.
  virtual bool HasEnabledPopup(WindowHandle window) = 0;

  // Regions. SetWindowRgn returns true when the region is no longer the caller's: the window
  // took it, or the implementation freed it after a refusal it could not report in time. On
  // false the region is still the caller's and goes back through DeleteRegion.
  virtual RegionHandle CreateEllipticRgn(int left, int top, int right, int bottom) = 0;
  virtual RegionHandle CreateRectRgn(int left, int top, int right, int bottom) = 0;
  virtual RegionHandle CreatePolygonRgn(const Point* points, int count, int fillMode) = 0;
  virtual bool SetWindowRgn(WindowHandle window, RegionHandle region, bool redraw) = 0;
  virtual void DeleteRegion(RegionHandle region) = 0;
  // A copy of the window's region, the caller's to free; 0 when the window has none (or is gone).
  virtual RegionHandle GetWindowRgn(WindowHandle window) = 0;
  // A copy of a region the caller owns, the caller's too; 0 when none could be made.
  virtual RegionHandle CopyRegion(RegionHandle region) = 0;
  // Whether two regions the caller owns cover the same points.
  virtual bool EqualRegions(RegionHandle one, RegionHandle other) = 0;

  // Layered windows: SetLayeredWindowAttributes is looked up by name at each use.
  virtual ModuleHandle LoadLibrary(const char* name) = 0;
  virtual ProcHandle GetProcAddress(ModuleHandle module, const char* name) = 0;
  virtual bool CallSetLayeredWindowAttributes(ProcHandle proc, WindowHandle window,
                                              std::uint32_t colorKey, std::uint8_t alpha,
                                              std::uint32_t flags) = 0;
  virtual void FreeLibrary(ModuleHandle module) = 0;
  // What SetLayeredWindowAttributes gave a layered window; false where there is nothing to read
  // (a window that is not layered, or draws itself through UpdateLayeredWindow).
  virtual bool GetLayeredWindowAttributes(WindowHandle window, LayeredAttributes& attributes) = 0;

  // A message box owned by another program's window, with the system's default caption.
  virtual void MessageBox(WindowHandle owner, const std::string& text, unsigned type) = 0;

  // Shell and multimedia.
  virtual void ShellExecute(const char* verb, const std::string& file, int show) = 0;
  virtual void MciSendString(const std::string& command, WindowHandle callback) = 0;
};
