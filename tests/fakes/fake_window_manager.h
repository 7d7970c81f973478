// A recording fake desktop for the unit tests: top-level windows with titles, z-order, styles,
// rectangles, regions, opacity and enabled state, and a log of every call in the order it came.
// It models only what the window manager really does and invents nothing on top.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/window_manager.h"

struct FakeWindow {
  WindowHandle handle = 0;
  std::string title;
  bool visible = true;
  bool enabled = true;
  bool topmost = false;
  bool minimized = false;
  bool maximized = false;  // also while minimized from maximized: it comes back maximized
  // Where a minimized or maximized window goes back to; its rect is the icon's or the work area.
  std::optional<Rect> normal;
  std::uint32_t process = 0;  // the ids of its program, a different pair for every window
  std::uint32_t thread = 0;
  bool ownsEnabledPopup = false;  // a visible dialog of its own program that takes input
  bool closed = false;
  // Run as administrator: every change is denied, reads still work. ShowWindow and EnableWindow,
  // which cannot say so, change nothing.
  bool refused = false;
  bool cloaked = false;
  // Of the class "tooltips_class32".
  bool tooltip = false;
  Rect rect;  // outer rectangle, screen coordinates
  // The invisible border DWM reports around the visible frame, whatever the show state; none:
  // DWM gives no answer, as on Wine.
  std::optional<Rect> dwmBorder;
  int clientWidth = 0;  // the client area follows the outer size by a fixed frame
  int clientHeight = 0;
  std::int32_t style = 0;
  std::int32_t exStyle = 0;
  // The region the window owns, as made: "ellipse(0,0,409,320)", "polygon((0,300),...,mode=2)".
  std::optional<std::string> region;
  std::optional<int> layeredAlpha;  // set by SetLayeredWindowAttributes, gone with WS_EX_LAYERED
  // How far an X window manager moves the window in answer to a change of its styles (Wine under
  // openbox may keep a place the manager passed through on its way).
  Point movedByRestyle{0, 0};
  // Where a window manager's late answer to the next change leaves the window, once it is awaited.
  std::optional<Rect> lateAnswer;
  // A manager's late answer to an earlier change, which comes right after the next maximize and
  // undoes it.
  std::function<void(FakeWindow&)> staleAnswer;
  // The window's own limits on its outer size (WM_GETMINMAXINFO); none unless a test sets them.
  std::optional<int> maxWidth;
  std::optional<int> maxHeight;
};

struct MessageBoxCall {
  WindowHandle owner;
  std::string text;
  unsigned type;
};

class CFakeWindowManager : public IWindowManager {
 public:
  static constexpr ProcHandle kLayeredProc = 901;

  // Adds a window below the existing ones (the z-order is the order of adding, top first).
  WindowHandle AddWindow(const std::string& title, bool visible = true,
                         Rect rect = {100, 100, 500, 400}, int clientWidth = 384,
                         int clientHeight = 277);
  FakeWindow& Window(WindowHandle handle) { return m_windows.at(handle); }
  const std::vector<WindowHandle>& ZOrder() const { return m_zorder; }

  // Switches.
  void Close(WindowHandle handle);  // the window is gone: calls on it fail and change nothing
  void Refuse(WindowHandle handle) { Window(handle).refused = true; }
  void Cloak(WindowHandle handle) { Window(handle).cloaked = true; }
  void SetLayeredFunctionMissing(bool missing) { m_layeredMissing = missing; }
  void SetRegionRefused(bool refused) { m_regionRefused = refused; }
  // The primary monitor's work area; a second monitor, anywhere, with a work area of its own.
  void SetWorkArea(Rect area) { m_monitors.front().work = area; }
  void AddMonitor(Rect monitor, Rect work) { m_monitors.push_back({monitor, work}); }
  // The window that has the activation, as the activating show commands leave it.
  WindowHandle Active() const { return m_active; }
  void Activate(WindowHandle window) { m_active = window; }
  // Jobs run at once, as on a window that answers within the panel's wait. A held window keeps
  // its jobs, in order, until Release runs them, each followed by what was to follow it.
  void Hold(WindowHandle window) { m_held[window]; }
  void Release(WindowHandle window);

  // Regions created and not yet deleted or handed over successfully.
  int LiveRegions() const { return static_cast<int>(m_liveRegions.size()); }
  int BadRegionDeletes() const { return m_badRegionDeletes; }
  int LoadedModules() const { return m_loadedModules; }

  const std::vector<std::string>& Log() const { return m_log; }
  void ClearLog() { m_log.clear(); }
  const std::vector<MessageBoxCall>& MessageBoxes() const { return m_messageBoxes; }

  // IWindowManager
  void RunJob(WindowHandle window, Job job, Then then) override;
  void EnumTopLevelWindows(std::vector<WindowHandle>& windows) override;
  void GetWindowText(WindowHandle window, std::string& title, int maxChars) override;
  bool HasVisibleStyle(WindowHandle window) override;
  bool IsWindowCloaked(WindowHandle window) override;
  bool IsTooltip(WindowHandle window) override;
  bool GetWindowRect(WindowHandle window, Rect& rect) override;
  bool GetClientRect(WindowHandle window, Rect& rect) override;
  bool GetWorkArea(Rect& rect) override;
  bool GetMonitorAreas(WindowHandle window, Rect& monitor, Rect& work) override;
  void AwaitSettledPlace(WindowHandle window) override;
  bool GetExtendedFrameBounds(WindowHandle window, Rect& rect) override;
  bool ShowWindow(WindowHandle window, int command) override;
  void MaximizeKeepingActive(WindowHandle window) override;
  bool SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y, int cx, int cy,
                    unsigned flags) override;
  bool EnableWindow(WindowHandle window, bool enable) override;
  std::int32_t GetWindowLong(WindowHandle window, int index) override;
  std::int32_t SetWindowLong(WindowHandle window, int index, std::int32_t value) override;
  bool SetWindowText(WindowHandle window, const std::string& text) override;
  bool IsIconic(WindowHandle window) override;
  bool IsWindowEnabled(WindowHandle window) override;
  bool GetWindowPlacement(WindowHandle window, WindowPlacement& placement) override;
  std::uint32_t GetWindowThreadProcessId(WindowHandle window, std::uint32_t& process) override;
  bool HasEnabledPopup(WindowHandle window) override;
  RegionHandle CreateEllipticRgn(int left, int top, int right, int bottom) override;
  RegionHandle CreateRectRgn(int left, int top, int right, int bottom) override;
  RegionHandle CreatePolygonRgn(const Point* points, int count, int fillMode) override;
  bool SetWindowRgn(WindowHandle window, RegionHandle region, bool redraw) override;
  void DeleteRegion(RegionHandle region) override;
  RegionHandle GetWindowRgn(WindowHandle window) override;
  RegionHandle CopyRegion(RegionHandle region) override;
  bool EqualRegions(RegionHandle one, RegionHandle other) override;
  ModuleHandle LoadLibrary(const char* name) override;
  ProcHandle GetProcAddress(ModuleHandle module, const char* name) override;
  bool CallSetLayeredWindowAttributes(ProcHandle proc, WindowHandle window, std::uint32_t colorKey,
                                      std::uint8_t alpha, std::uint32_t flags) override;
  void FreeLibrary(ModuleHandle module) override;
  bool GetLayeredWindowAttributes(WindowHandle window, LayeredAttributes& attributes) override;
  void MessageBox(WindowHandle owner, const std::string& text, unsigned type) override;
  void ShellExecute(const char* verb, const std::string& file, int show) override;
  void MciSendString(const std::string& command, WindowHandle callback) override;

 private:
  FakeWindow* Live(WindowHandle handle);  // null for unknown or closed windows
  // Logs the read and answers one of a live window's flags; false for a window that is gone.
  bool ReadFlag(const char* call, WindowHandle window, bool FakeWindow::*flag);
  // The window a change may be made to, or null with the reason noted for the job.
  FakeWindow* Changeable(WindowHandle handle);
  // Notes the outcome of a call for the job in progress; returns `ok`.
  bool NoteOutcome(WindowHandle handle, bool ok);
  void RunNow(Job& job, Then& then, WindowHandle window);
  // Gives the window a new outer rectangle, the client area following by its fixed frame.
  static void Resize(FakeWindow& window, int cx, int cy);
  RegionHandle NewRegion(std::string shape);
  std::string DescribeRegion(RegionHandle region) const;
  void Record(std::string entry) { m_log.push_back(std::move(entry)); }
  void MoveInZOrder(WindowHandle handle, WindowHandle insertAfter);

  std::map<WindowHandle, FakeWindow> m_windows;
  std::vector<WindowHandle> m_zorder;  // top first
  WindowHandle m_nextWindow = 101;

  std::map<RegionHandle, std::string> m_regions;  // every region ever created
  std::set<RegionHandle> m_liveRegions;
  RegionHandle m_nextRegion = 501;
  int m_badRegionDeletes = 0;

  int m_loadedModules = 0;
  bool m_layeredMissing = false;
  bool m_regionRefused = false;
  struct Monitor {
    Rect whole;
    Rect work;
  };
  // The monitor whose rectangle holds the middle of the window's normal place; the primary one
  // for a window on none.
  const Monitor& MonitorOf(const FakeWindow& window) const;
  std::vector<Monitor> m_monitors{{{0, 0, 1280, 1024}, {0, 0, 1280, 984}}};
  WindowHandle m_active = 0;

  std::map<WindowHandle, std::deque<std::pair<Job, Then>>> m_held;
  CallFailure m_jobFailure = CallFailure::None;

  std::vector<std::string> m_log;
  std::vector<MessageBoxCall> m_messageBoxes;
};
