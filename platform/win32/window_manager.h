// The window manager seam on Win32: the wide calls, with text converted at this boundary.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "platform/win32/window_workers.h"
#include "platform/window_manager.h"

class CWin32WindowManager : public IWindowManager {
 public:
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

  // Makes the calling thread the one the system's cloak events come to, and whose refreshes keep
  // the cloaks: the panel's, before any other thread asks DWM. Loads DWM's library.
  static void FollowCloakEvents();
  // How many windows' cloaks the refresh keeps while the system says nothing new of them. Read by
  // tests only.
  static std::size_t CloaksKept();

 private:
  // Runs a call that waits for the window's thread, bounded by CWindowWorkers; the call's result
  // when it finished in time, a default value otherwise. Within a job it simply runs.
  template <typename Call>
  auto CallWithinWait(HWND window, Call call) -> decltype(call()) {
    using Result = decltype(call());
    auto result = std::make_shared<Result>();
    if (!m_workers.Run(window, [result, call] { *result = call(); })) return Result{};
    return *result;
  }

  CWindowWorkers m_workers;
  // The walk's answers to "a tooltip?" by class atom, kept for one walk (see IsTooltip).
  std::vector<std::pair<std::uint16_t, bool>> m_tooltipAtoms;
};
