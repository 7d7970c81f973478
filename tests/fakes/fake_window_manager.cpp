#include "fakes/fake_window_manager.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "fakes/call_log.h"

using fake::Call;
using fake::H;

namespace {

// The number of bytes that hold the first `chars` code points of a UTF-8 text.
std::size_t Utf8Prefix(const std::string& text, int chars) {
  std::size_t at = 0;
  for (int n = 0; n < chars && at < text.size(); ++n) {
    ++at;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
  }
  return at;
}

// Where Windows puts a minimized window when there is no taskbar to take it.
constexpr Rect kIconRect{-32000, -32000, -31840, -31972};

bool IsLayered(std::int32_t exStyle) {
  return (static_cast<std::uint32_t>(exStyle) & wm::kWsExLayered) != 0;
}

}  // namespace

WindowHandle CFakeWindowManager::AddWindow(const std::string& title, bool visible, Rect rect,
                                           int clientWidth, int clientHeight) {
  FakeWindow window;
  window.handle = m_nextWindow++;
  window.title = title;
  window.visible = visible;
  window.rect = rect;
  window.clientWidth = clientWidth;
  window.clientHeight = clientHeight;
  window.style = 0x10C00000;  // WS_VISIBLE | WS_CAPTION
  window.process = 4000 + static_cast<std::uint32_t>(window.handle);
  window.thread = 8000 + static_cast<std::uint32_t>(window.handle);
  m_windows[window.handle] = window;
  m_zorder.push_back(window.handle);
  return window.handle;
}

void CFakeWindowManager::Close(WindowHandle handle) {
  Window(handle).closed = true;
  std::erase(m_zorder, handle);
}

FakeWindow* CFakeWindowManager::Live(WindowHandle handle) {
  auto it = m_windows.find(handle);
  return it == m_windows.end() || it->second.closed ? nullptr : &it->second;
}

// Topmost windows stay above the others; HWND_TOP raises a window within its own band.
void CFakeWindowManager::MoveInZOrder(WindowHandle handle, WindowHandle insertAfter) {
  FakeWindow& window = Window(handle);
  if (insertAfter == wm::kHwndNoTopmost && !window.topmost) return;  // documented: no effect
  std::erase(m_zorder, handle);
  auto firstPlain = std::find_if(m_zorder.begin(), m_zorder.end(),
                                 [this](WindowHandle h) { return !Window(h).topmost; });
  if (insertAfter == wm::kHwndTopmost || insertAfter == wm::kHwndNoTopmost) {
    window.topmost = insertAfter == wm::kHwndTopmost;
    m_zorder.insert(window.topmost ? m_zorder.begin() : firstPlain, handle);
  } else if (insertAfter == wm::kHwndTop) {
    m_zorder.insert(window.topmost ? m_zorder.begin() : firstPlain, handle);
  } else if (insertAfter == wm::kHwndBottom) {
    window.topmost = false;
    m_zorder.push_back(handle);
  } else {
    auto after = std::find(m_zorder.begin(), m_zorder.end(), insertAfter);
    m_zorder.insert(after == m_zorder.end() ? after : after + 1, handle);
  }
}

FakeWindow* CFakeWindowManager::Changeable(WindowHandle handle) {
  FakeWindow* w = Live(handle);
  if (w && w->refused) w = nullptr;
  NoteOutcome(handle, w != nullptr);
  return w;
}

bool CFakeWindowManager::NoteOutcome(WindowHandle handle, bool ok) {
  if (ok) return true;
  const FakeWindow* w = Live(handle);
  const CallFailure failure = !w           ? CallFailure::Closed
                              : w->refused ? CallFailure::Denied
                                           : CallFailure::Other;
  m_jobFailure = std::max(m_jobFailure, failure);
  return false;
}

void CFakeWindowManager::RunNow(Job& job, Then& then, WindowHandle window) {
  m_jobFailure = CallFailure::None;
  job(*this);
  if (!Live(window)) m_jobFailure = CallFailure::Closed;
  if (then) then(m_jobFailure);
}

void CFakeWindowManager::RunJob(WindowHandle window, Job job, Then then) {
  auto held = m_held.find(window);
  if (held != m_held.end()) {
    held->second.emplace_back(std::move(job), std::move(then));
    return;
  }
  RunNow(job, then, window);
}

void CFakeWindowManager::Release(WindowHandle window) {
  // Jobs given meanwhile, by what follows a job, queue behind the held ones as on a worker.
  for (auto held = m_held.find(window); held != m_held.end(); held = m_held.find(window)) {
    if (held->second.empty()) {
      m_held.erase(held);
      return;
    }
    auto [job, then] = std::move(held->second.front());
    held->second.pop_front();
    RunNow(job, then, window);
  }
}

void CFakeWindowManager::EnumTopLevelWindows(std::vector<WindowHandle>& windows) {
  Record("EnumWindows");
  windows = m_zorder;
}

void CFakeWindowManager::GetWindowText(WindowHandle window, std::string& title, int maxChars) {
  Record(Call("GetWindowText", H(window), maxChars));
  const FakeWindow* w = Live(window);
  if (!w || maxChars <= 0) return title.clear();
  title.assign(w->title, 0, Utf8Prefix(w->title, maxChars - 1));
}

bool CFakeWindowManager::ReadFlag(const char* call, WindowHandle window, bool FakeWindow::*flag) {
  Record(Call(call, H(window)));
  const FakeWindow* w = Live(window);
  return w && w->*flag;
}

bool CFakeWindowManager::HasVisibleStyle(WindowHandle window) {
  return ReadFlag("HasVisibleStyle", window, &FakeWindow::visible);
}

bool CFakeWindowManager::IsWindowCloaked(WindowHandle window) {
  return ReadFlag("IsWindowCloaked", window, &FakeWindow::cloaked);
}

bool CFakeWindowManager::IsTooltip(WindowHandle window) {
  return ReadFlag("IsTooltip", window, &FakeWindow::tooltip);
}

bool CFakeWindowManager::GetWindowRect(WindowHandle window, Rect& rect) {
  Record(Call("GetWindowRect", H(window)));
  const FakeWindow* w = Live(window);
  if (w) rect = w->rect;
  return NoteOutcome(window, w != nullptr);
}

bool CFakeWindowManager::GetClientRect(WindowHandle window, Rect& rect) {
  Record(Call("GetClientRect", H(window)));
  const FakeWindow* w = Live(window);
  if (w) rect = {0, 0, w->clientWidth, w->clientHeight};
  return NoteOutcome(window, w != nullptr);
}

bool CFakeWindowManager::GetWorkArea(Rect& rect) {
  Record(Call("GetWorkArea"));
  rect = m_monitors.front().work;
  return true;
}

const CFakeWindowManager::Monitor& CFakeWindowManager::MonitorOf(const FakeWindow& window) const {
  const Rect place = window.normal.value_or(window.rect);
  const int x = (place.left + place.right) / 2;
  const int y = (place.top + place.bottom) / 2;
  for (const Monitor& monitor : m_monitors) {
    const Rect& r = monitor.whole;
    if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return monitor;
  }
  return m_monitors.front();
}

bool CFakeWindowManager::GetMonitorAreas(WindowHandle window, Rect& monitor, Rect& work) {
  Record(Call("GetMonitorAreas", H(window)));
  const FakeWindow* w = Live(window);
  if (!w) return false;
  monitor = MonitorOf(*w).whole;
  work = MonitorOf(*w).work;
  return true;
}

void CFakeWindowManager::AwaitSettledPlace(WindowHandle window) {
  Record(Call("AwaitSettledPlace", H(window)));
  FakeWindow* w = Live(window);
  if (w && w->lateAnswer) w->rect = *std::exchange(w->lateAnswer, std::nullopt);
}

void CFakeWindowManager::MaximizeKeepingActive(WindowHandle window) {
  const WindowHandle active = m_active;
  ShowWindow(window, wm::kSwShowMaximized);
  m_active = active;
  FakeWindow* w = Live(window);
  if (w && w->staleAnswer) std::exchange(w->staleAnswer, nullptr)(*w);
}

bool CFakeWindowManager::GetExtendedFrameBounds(WindowHandle window, Rect& rect) {
  Record(Call("GetExtendedFrameBounds", H(window)));
  const FakeWindow* w = Live(window);
  if (!w || !w->dwmBorder) return false;
  const Rect& border = *w->dwmBorder;
  rect = {w->rect.left + border.left, w->rect.top + border.top, w->rect.right - border.right,
          w->rect.bottom - border.bottom};
  return true;
}

bool CFakeWindowManager::ShowWindow(WindowHandle window, int command) {
  Record(Call("ShowWindow", H(window), command));
  FakeWindow* w = Live(window);
  if (!w || w->refused) return false;
  const bool wasVisible = w->visible;
  w->visible = command != wm::kSwHide;
  if (command == wm::kSwShowNormal || command == wm::kSwShowMaximized || command == wm::kSwShow)
    m_active = window;
  const bool normal = !w->minimized && !w->maximized;
  if (command == wm::kSwMinimize && !w->minimized) {
    if (normal) w->normal = w->rect;
    w->rect = kIconRect;
    w->minimized = true;
  } else if (command == wm::kSwShowMaximized && (w->minimized || !w->maximized)) {
    if (normal) w->normal = w->rect;
    w->rect = MonitorOf(*w).work;
    w->minimized = false;
    w->maximized = true;
  } else if (command == wm::kSwShowNormal && !normal) {
    w->rect = w->normal.value_or(w->rect);
    w->normal.reset();
    w->minimized = w->maximized = false;
  }
  return wasVisible;
}

void CFakeWindowManager::Resize(FakeWindow& window, int cx, int cy) {
  const int frameX = window.rect.Width() - window.clientWidth;
  const int frameY = window.rect.Height() - window.clientHeight;
  window.rect.right = window.rect.left + cx;
  window.rect.bottom = window.rect.top + cy;
  window.clientWidth = std::max(cx - frameX, 0);
  window.clientHeight = std::max(cy - frameY, 0);
}

bool CFakeWindowManager::SetWindowPos(WindowHandle window, WindowHandle insertAfter, int x, int y,
                                      int cx, int cy, unsigned flags) {
  Record(Call("SetWindowPos", H(window), fake::After(insertAfter), x, y, cx, cy, fake::Hex(flags)));
  FakeWindow* w = Changeable(window);
  if (!w) return false;
  if (!(flags & wm::kSwpNoSize)) {
    // Negative sizes become empty; the window's own maximum is the only other limit.
    cx = std::min(std::max(cx, 0), w->maxWidth.value_or(cx));
    cy = std::min(std::max(cy, 0), w->maxHeight.value_or(cy));
    Resize(*w, cx, cy);
  }
  if (!(flags & wm::kSwpNoMove)) w->rect = {x, y, x + w->rect.Width(), y + w->rect.Height()};
  if (flags & wm::kSwpShowWindow) w->visible = true;
  if (!(flags & wm::kSwpNoZOrder)) MoveInZOrder(window, insertAfter);
  return true;
}

bool CFakeWindowManager::EnableWindow(WindowHandle window, bool enable) {
  Record(Call("EnableWindow", H(window), enable));
  FakeWindow* w = Live(window);
  if (!w || w->refused) return false;
  return !std::exchange(w->enabled, enable);  // whether it was disabled
}

std::int32_t CFakeWindowManager::GetWindowLong(WindowHandle window, int index) {
  Record(Call("GetWindowLong", H(window), index));
  const FakeWindow* w = Live(window);
  if (!NoteOutcome(window, w != nullptr)) return 0;
  if (index == wm::kGwlStyle) return w->style;
  // The system keeps the topmost bit of the extended style itself.
  const std::uint32_t topmost = w->topmost ? wm::kWsExTopmost : 0;
  return index == wm::kGwlExStyle
             ? static_cast<std::int32_t>(static_cast<std::uint32_t>(w->exStyle) | topmost)
             : 0;
}

std::int32_t CFakeWindowManager::SetWindowLong(WindowHandle window, int index, std::int32_t value) {
  Record(Call("SetWindowLong", H(window), index, fake::Hex(static_cast<std::uint32_t>(value))));
  FakeWindow* w = Changeable(window);
  if (!w) return 0;
  if (index != wm::kGwlStyle && index != wm::kGwlExStyle) return 0;
  // A window that stops being layered loses its layered attributes.
  if (index == wm::kGwlExStyle && !IsLayered(value)) w->layeredAlpha.reset();
  // The topmost bit follows the z-order, not what is written here.
  std::int32_t& field = index == wm::kGwlStyle ? w->style : w->exStyle;
  const std::int32_t old = std::exchange(
      field, index == wm::kGwlStyle ? value
                                    : static_cast<std::int32_t>(static_cast<std::uint32_t>(value) &
                                                                ~wm::kWsExTopmost));
  if (field != old) {
    const Point by = w->movedByRestyle;
    w->rect = {w->rect.left + by.x, w->rect.top + by.y, w->rect.right + by.x,
               w->rect.bottom + by.y};
  }
  return old;
}

bool CFakeWindowManager::SetWindowText(WindowHandle window, const std::string& text) {
  Record(Call("SetWindowText", H(window), text));
  FakeWindow* w = Changeable(window);
  if (w) w->title = text;
  return w != nullptr;
}

bool CFakeWindowManager::IsIconic(WindowHandle window) {
  return ReadFlag("IsIconic", window, &FakeWindow::minimized);
}

bool CFakeWindowManager::IsWindowEnabled(WindowHandle window) {
  return ReadFlag("IsWindowEnabled", window, &FakeWindow::enabled);
}

bool CFakeWindowManager::GetWindowPlacement(WindowHandle window, WindowPlacement& placement) {
  Record(Call("GetWindowPlacement", H(window)));
  const FakeWindow* w = Live(window);
  if (!NoteOutcome(window, w != nullptr)) return false;
  placement = {};
  placement.showCommand = static_cast<std::uint32_t>(w->minimized   ? wm::kSwShowMinimized
                                                     : w->maximized ? wm::kSwShowMaximized
                                                                    : wm::kSwShowNormal);
  if (w->minimized && w->maximized) placement.flags = wm::kWpfRestoreToMaximized;
  placement.normal = w->normal.value_or(w->rect);
  // In workspace coordinates, which are offset by where the work area of the window's monitor
  // starts; a tool window's are the screen's.
  if (!(static_cast<std::uint32_t>(w->exStyle) & wm::kWsExToolWindow)) {
    const Monitor& monitor = MonitorOf(*w);
    const int dx = monitor.work.left - monitor.whole.left;
    const int dy = monitor.work.top - monitor.whole.top;
    placement.normal = {placement.normal.left - dx, placement.normal.top - dy,
                        placement.normal.right - dx, placement.normal.bottom - dy};
  }
  return true;
}

std::uint32_t CFakeWindowManager::GetWindowThreadProcessId(WindowHandle window,
                                                           std::uint32_t& process) {
  Record(Call("GetWindowThreadProcessId", H(window)));
  const FakeWindow* w = Live(window);
  process = w ? w->process : 0;
  return w ? w->thread : 0;
}

bool CFakeWindowManager::HasEnabledPopup(WindowHandle window) {
  return ReadFlag("HasEnabledPopup", window, &FakeWindow::ownsEnabledPopup);
}

RegionHandle CFakeWindowManager::NewRegion(std::string shape) {
  const RegionHandle handle = m_nextRegion++;
  m_regions[handle] = std::move(shape);
  m_liveRegions.insert(handle);
  return handle;
}

RegionHandle CFakeWindowManager::CreateEllipticRgn(int left, int top, int right, int bottom) {
  Record(Call("CreateEllipticRgn", left, top, right, bottom));
  return NewRegion(Call("ellipse", left, top, right, bottom));
}

RegionHandle CFakeWindowManager::CreateRectRgn(int left, int top, int right, int bottom) {
  Record(Call("CreateRectRgn", left, top, right, bottom));
  return NewRegion(Call("rect", left, top, right, bottom));
}

RegionHandle CFakeWindowManager::CreatePolygonRgn(const Point* points, int count, int fillMode) {
  std::string corners;
  for (int i = 0; i < count; ++i) corners += Call("", points[i].x, points[i].y) + ",";
  corners += "mode=" + std::to_string(fillMode);
  Record("CreatePolygonRgn(" + corners + ")");
  return NewRegion("polygon(" + corners + ")");
}

std::string CFakeWindowManager::DescribeRegion(RegionHandle region) const {
  if (region == 0) return "none";
  auto shape = m_regions.find(region);
  return shape == m_regions.end() ? "?" : shape->second;
}

bool CFakeWindowManager::SetWindowRgn(WindowHandle window, RegionHandle region, bool redraw) {
  Record(Call("SetWindowRgn", H(window), DescribeRegion(region), redraw));
  FakeWindow* w = Changeable(window);
  if (!w) return false;
  if (!NoteOutcome(window, !m_regionRefused && (region == 0 || m_liveRegions.count(region)))) {
    return false;
  }
  if (region == 0) {  // no region: the window's whole shape
    w->region.reset();
    return true;
  }
  m_liveRegions.erase(region);  // the window manager owns it now
  w->region = m_regions[region];
  return true;
}

void CFakeWindowManager::DeleteRegion(RegionHandle region) {
  Record(Call("DeleteRegion", DescribeRegion(region)));
  if (!m_liveRegions.erase(region)) ++m_badRegionDeletes;
}

RegionHandle CFakeWindowManager::GetWindowRgn(WindowHandle window) {
  Record(Call("GetWindowRgn", H(window)));
  const FakeWindow* w = Live(window);
  return w && w->region ? NewRegion(*w->region) : 0;
}

RegionHandle CFakeWindowManager::CopyRegion(RegionHandle region) {
  Record(Call("CopyRegion", DescribeRegion(region)));
  return m_liveRegions.count(region) ? NewRegion(m_regions[region]) : 0;
}

bool CFakeWindowManager::EqualRegions(RegionHandle one, RegionHandle other) {
  Record(Call("EqualRegions", DescribeRegion(one), DescribeRegion(other)));
  return m_regions.count(one) && m_regions.count(other) && m_regions[one] == m_regions[other];
}

ModuleHandle CFakeWindowManager::LoadLibrary(const char* name) {
  Record(Call("LoadLibrary", name));
  ++m_loadedModules;
  return 701;
}

ProcHandle CFakeWindowManager::GetProcAddress(ModuleHandle /*module*/, const char* name) {
  Record(Call("GetProcAddress", name));
  if (m_layeredMissing || std::strcmp(name, "SetLayeredWindowAttributes") != 0) return 0;
  return kLayeredProc;
}

bool CFakeWindowManager::CallSetLayeredWindowAttributes(ProcHandle proc, WindowHandle window,
                                                        std::uint32_t colorKey, std::uint8_t alpha,
                                                        std::uint32_t flags) {
  Record(Call("SetLayeredWindowAttributes", H(window), colorKey, alpha, flags));
  FakeWindow* w = Changeable(window);
  // The call needs a layered window.
  if (!w || !NoteOutcome(window, proc == kLayeredProc && IsLayered(w->exStyle))) return false;
  if (flags & wm::kLwaAlpha) w->layeredAlpha = alpha;
  return true;
}

void CFakeWindowManager::FreeLibrary(ModuleHandle /*module*/) {
  Record(Call("FreeLibrary"));
  --m_loadedModules;
}

bool CFakeWindowManager::GetLayeredWindowAttributes(WindowHandle window,
                                                    LayeredAttributes& attributes) {
  Record(Call("GetLayeredWindowAttributes", H(window)));
  const FakeWindow* w = Live(window);
  if (!w || !IsLayered(w->exStyle) || !w->layeredAlpha) return false;
  attributes = {0, static_cast<std::uint8_t>(*w->layeredAlpha), wm::kLwaAlpha};
  return true;
}

void CFakeWindowManager::MessageBox(WindowHandle owner, const std::string& text, unsigned type) {
  Record(Call("MessageBox", H(owner), text, type));
  m_messageBoxes.push_back({owner, text, type});
}

void CFakeWindowManager::ShellExecute(const char* verb, const std::string& file, int show) {
  Record(Call("ShellExecute", verb, file, show));
}

void CFakeWindowManager::MciSendString(const std::string& command, WindowHandle callback) {
  Record(Call("MciSendString", command, H(callback)));
}
