#include "ops/window_memory.h"

#include <algorithm>
#include <utility>

#include "ops/layered.h"
#include "ops/window_ops.h"

namespace {

// Titles longer than any a list row shows are still put back whole.
constexpr int kOriginalTitleChars = 32768;

std::uint32_t Style(IWindowManager& windows, WindowHandle window, int index) {
  return static_cast<std::uint32_t>(windows.GetWindowLong(window, index));
}

bool Minimized(const WindowPlacement& placement) {
  return placement.showCommand == wm::kSwShowMinimized;
}

// Maximized, or minimized from maximized: the window comes back maximized.
bool Maximized(const WindowPlacement& placement) {
  return placement.showCommand == wm::kSwShowMaximized ||
         (Minimized(placement) && (placement.flags & wm::kWpfRestoreToMaximized));
}

// The exact place: the rectangle and how the window is shown. A window manager's answer to
// Glazier's own change is read once it has settled, so no other move is taken for Glazier's.
bool SamePlace(const WindowState& one, const WindowState& other) {
  return one.rect == other.rect && Minimized(one.placement) == Minimized(other.placement) &&
         Maximized(one.placement) == Maximized(other.placement);
}

// The normal rectangle of a minimized or maximized window, from the workspace coordinates the
// system gives it in (offset by where the work area of the window's monitor starts) to the
// screen's; a tool window's are the screen's already. A normal window's is not used.
bool NormalOnScreen(IWindowManager& windows, WindowHandle window, WindowPlacement& placement) {
  if (!Minimized(placement) && !Maximized(placement)) return true;
  if (Style(windows, window, wm::kGwlExStyle) & wm::kWsExToolWindow) return true;
  Rect monitor;
  Rect work;
  if (!windows.GetMonitorAreas(window, monitor, work)) return false;
  const int dx = work.left - monitor.left;
  const int dy = work.top - monitor.top;
  Rect& normal = placement.normal;
  normal = {normal.left + dx, normal.top + dy, normal.right + dx, normal.bottom + dy};
  return true;
}

bool SameRegion(IWindowManager& windows, const std::optional<CUniqueRegion>& one,
                const std::optional<CUniqueRegion>& other) {
  if (!one || !other) return !one && !other;
  return windows.EqualRegions(one->get(), other->get());
}

bool SameAttributes(const std::optional<LayeredAttributes>& one,
                    const std::optional<LayeredAttributes>& other) {
  if (!one || !other) return !one && !other;
  return one->colorKey == other->colorKey && one->alpha == other->alpha &&
         one->flags == other->flags;
}

// Moves the fields of `aspects` from one state into another.
void TakeAspects(WindowState& into, WindowState&& from, Aspects aspects) {
  if (aspects & aspect::kZOrder) into.topmost = from.topmost;
  if (aspects & aspect::kLock) into.enabled = from.enabled;
  if (aspects & aspect::kFrame) into.frameStyle = from.frameStyle;
  if (aspects & aspect::kShape) into.region = std::move(from.region);
  if (aspects & aspect::kOpacity) {
    into.layered = from.layered;
    into.layeredAttributes = from.layeredAttributes;
  }
  if (aspects & aspect::kTitle) into.title = std::move(from.title);
  if (aspects & aspect::kGeometry) {
    into.rect = from.rect;
    into.placement = from.placement;
  }
  into.read |= aspects;
}

// A window drawn by its own program through UpdateLayeredWindow has no attributes to read, and
// SetLayeredWindowAttributes would give it others than its program's.
bool OpacityCanGoBack(const WindowState& first) {
  return !first.layered || first.layeredAttributes.has_value();
}

// Where the window goes back to, in screen coordinates; none for a window that was minimized or
// maximized where the system did not tell its normal place apart from its own rectangle (another
// program's window under Wine).
std::optional<Rect> PlaceToPutBack(const WindowState& first) {
  if (!Minimized(first.placement) && !Maximized(first.placement)) return first.rect;
  if (first.placement.normal != first.rect) return first.placement.normal;
  return std::nullopt;
}

// A window that was maximized is maximized again, leaving the activation where it is; one that was
// minimized gets back its normal place, never the coordinates of its icon, and stays as the user
// has it now.
void PutBackGeometry(IWindowManager& windows, WindowHandle window, const WindowState& first) {
  if (const std::optional<Rect> place = PlaceToPutBack(first)) {
    windows.SetWindowPos(window, 0, place->left, place->top, place->Width(), place->Height(),
                         wm::kSwpNoZOrder | wm::kSwpNoActivate);
  }
  if (Maximized(first.placement)) windows.MaximizeKeepingActive(window);
}

void PutBackZOrder(IWindowManager& windows, WindowHandle window, const WindowState& first) {
  windows.SetWindowPos(window, first.topmost ? wm::kHwndTopmost : wm::kHwndNoTopmost, 0, 0, 0, 0,
                       wm::kSwpNoMove | wm::kSwpNoSize | wm::kSwpNoActivate);
}

// Whether the window is in the place put back: a window maximized again has its maximized place
// from the manager.
bool HeldPlace(const WindowState& now, const WindowState& held) {
  return Maximized(held.placement) ? Maximized(now.placement) : SamePlace(now, held);
}

// The calls of a restore, in one job; the frame change is made visible at once. The place comes
// last, over whatever a window manager that frames the window anew as its shape or frame comes back
// makes of it.
void PutBackAspects(IWindowManager& windows, WindowHandle window, const WindowState& first,
                    Aspects aspects) {
  // A window manager answers a change of the frame, the shape or the layered style a while later,
  // passing through places of its own, and its answer can outlast the calls (Wine may keep a place
  // it passed through). The window ends in the place put back, or else in the one it had before.
  const bool reframes = (aspects & (aspect::kFrame | aspect::kShape | aspect::kOpacity)) != 0;
  std::optional<WindowState> held;
  if (aspects & aspect::kGeometry) {
    held.emplace();
    held->rect = first.rect;
    held->placement = first.placement;
  } else if (reframes) {
    held = ReadWindowState(windows, window, aspect::kGeometry);
    // Only a window shown normal is held in place: a minimized or maximized one has its place from
    // the system.
    if (!(held->read & aspect::kGeometry) || Minimized(held->placement) ||
        Maximized(held->placement)) {
      held.reset();
    }
  }
  if (aspects & aspect::kZOrder) PutBackZOrder(windows, window, first);
  if (aspects & aspect::kLock) windows.EnableWindow(window, first.enabled);
  if (aspects & aspect::kFrame) {
    SetFrameStyle(windows, window, first.frameStyle);
    windows.SetWindowPos(window, 0, 0, 0, 0, 0,
                         wm::kSwpNoMove | wm::kSwpNoSize | wm::kSwpNoZOrder | wm::kSwpNoActivate |
                             wm::kSwpFrameChanged);
  }
  if (aspects & aspect::kShape) {
    SetWindowShape(windows, window, first.region ? windows.CopyRegion(first.region->get()) : 0);
  }
  if (aspects & aspect::kOpacity) {
    SetLayeredStyle(windows, window, first.layered);
    if (first.layered && first.layeredAttributes) {
      CScopedLayeredFunction layered(windows);
      if (layered.Found()) layered.SetAttributes(window, *first.layeredAttributes);
    }
  }
  if (aspects & aspect::kTitle) windows.SetWindowText(window, first.title);
  if (!held) return;
  // The place goes back once the manager has answered, and again where it answered later still.
  if (reframes) windows.AwaitSettledPlace(window);
  if (aspects & aspect::kGeometry) PutBackGeometry(windows, window, *held);
  // A maximize is answered too, and under Wine a manager's late answer to the command before can
  // undo both the maximize and the z-order put back (openbox: the window came back normal and
  // always on top again).
  if (!reframes && !Maximized(held->placement)) return;
  const Aspects zOrder = aspects & aspect::kZOrder;
  // A few more times at most: each put back is answered too.
  for (int check = 0; check < 3; ++check) {
    windows.AwaitSettledPlace(window);
    const WindowState now = ReadWindowState(windows, window, aspect::kGeometry | zOrder);
    if (!(now.read & aspect::kGeometry)) return;
    const bool zOrderHeld = !zOrder || now.topmost == first.topmost;
    const bool placeHeld = HeldPlace(now, *held);
    if (placeHeld && zOrderHeld) return;
    if (!zOrderHeld) PutBackZOrder(windows, window, first);
    if (!placeHeld) PutBackGeometry(windows, window, *held);
  }
}

}  // namespace

WindowIds IdsOf(IWindowManager& windows, WindowHandle window) {
  WindowIds ids;
  ids.thread = windows.GetWindowThreadProcessId(window, ids.process);
  return ids;
}

bool StillTheWindow(IWindowManager& windows, WindowHandle window, WindowIds& first) {
  const WindowIds ids = IdsOf(windows, window);
  if (first.thread == 0) first = ids;
  return ids.thread != 0 && ids == first;
}

WindowState ReadWindowState(IWindowManager& windows, WindowHandle window, Aspects wanted) {
  WindowState read;
  if (wanted & (aspect::kZOrder | aspect::kOpacity)) {
    const std::uint32_t exStyle = Style(windows, window, wm::kGwlExStyle);
    read.topmost = (exStyle & wm::kWsExTopmost) != 0;
    read.layered = (exStyle & wm::kWsExLayered) != 0;
    LayeredAttributes attributes;
    if ((wanted & aspect::kOpacity) && read.layered &&
        windows.GetLayeredWindowAttributes(window, attributes)) {
      read.layeredAttributes = attributes;
    }
  }
  if (wanted & aspect::kLock) read.enabled = windows.IsWindowEnabled(window);
  if (wanted & aspect::kFrame) {
    read.frameStyle = Style(windows, window, wm::kGwlStyle) & wm::kWsOverlappedWindow;
  }
  if (wanted & aspect::kShape) {
    if (const RegionHandle region = windows.GetWindowRgn(window))
      read.region.emplace(windows, region);
  }
  if (wanted & aspect::kTitle) windows.GetWindowText(window, read.title, kOriginalTitleChars);
  read.read = wanted;
  if ((wanted & aspect::kGeometry) && (!windows.GetWindowRect(window, read.rect) ||
                                       !windows.GetWindowPlacement(window, read.placement) ||
                                       !NormalOnScreen(windows, window, read.placement))) {
    read.read &= ~aspect::kGeometry;
  }
  return read;
}

Aspects Differing(IWindowManager& windows, const WindowState& one, const WindowState& other,
                  Aspects aspects) {
  // What could not be read in either is taken for changed.
  Aspects differing = aspects & ~(one.read & other.read);
  const Aspects both = aspects & one.read & other.read;
  const auto differs = [&](Aspects what, bool same) {
    if ((both & what) && !same) differing |= what;
  };
  differs(aspect::kZOrder, one.topmost == other.topmost);
  differs(aspect::kLock, one.enabled == other.enabled);
  differs(aspect::kFrame, one.frameStyle == other.frameStyle);
  if (both & aspect::kShape) differs(aspect::kShape, SameRegion(windows, one.region, other.region));
  differs(aspect::kOpacity, one.layered == other.layered &&
                                SameAttributes(one.layeredAttributes, other.layeredAttributes));
  differs(aspect::kTitle, one.title == other.title);
  differs(aspect::kGeometry, SamePlace(one, other));
  return differing;
}

bool CWindowMemory::SameWindow(IWindowManager& windows, WindowHandle window) {
  const WindowIds ids = IdsOf(windows, window);
  return ids.thread != 0 && ids == m_ids;
}

void CWindowMemory::DropUnkept() {
  if (m_kept.load() & aspect::kShape) return;
  m_first.region.reset();
  m_left.region.reset();
}

namespace {

// A change of the frame, the shape or the layered style may be answered by a window manager with
// another place or size (Wine under an X one, as the manager's frame comes and goes, and a place it
// passed through is sometimes kept): the place counts among what such a change changes, read once
// the manager is done.
Aspects WithPlaceMovedBy(Aspects changes) {
  return (changes & (aspect::kFrame | aspect::kShape | aspect::kOpacity))
             ? changes | aspect::kGeometry
             : changes;
}

std::pair<std::uint32_t, std::uint32_t> StylesOf(IWindowManager& windows, WindowHandle window) {
  return {Style(windows, window, wm::kGwlStyle), Style(windows, window, wm::kGwlExStyle)};
}

}  // namespace

void CWindowMemory::BeforeChange(IWindowManager& windows, WindowHandle window, Aspects changes) {
  const WindowIds ids = IdsOf(windows, window);
  if (m_kept.load() == 0 || ids != m_ids) {
    m_kept = 0;
    m_ids = ids;
    m_placeUnsettled = false;
  }
  // A place that someone else has changed since is theirs, and not read again as Glazier's; one
  // still answering Glazier's last command is Glazier's.
  const Aspects moved = WithPlaceMovedBy(changes) & ~changes;
  if (moved) m_stylesBefore = StylesOf(windows, window);
  Aspects recheck = moved & m_kept.load();
  if (m_placeUnsettled) recheck &= ~aspect::kGeometry;
  if (recheck) {
    const WindowState now = ReadWindowState(windows, window, recheck);
    m_kept &= ~Differing(windows, now, m_left, recheck);
  }
  const Aspects fresh = (changes | moved) & ~m_kept.load();
  if (!fresh) return;
  WindowState read = ReadWindowState(windows, window, fresh);
  const Aspects got = read.read;
  TakeAspects(m_first, std::move(read), got);
  m_kept |= got;
}

void CWindowMemory::AfterChange(IWindowManager& windows, WindowHandle window, Aspects changes) {
  const Aspects moved = WithPlaceMovedBy(changes) & ~changes & m_kept.load();
  Aspects ours = (changes & m_kept.load()) | moved;
  // A window manager answers a new place, a new shape, or styles that changed; a new alpha alone
  // (a flash's tick) is nothing to it.
  if ((changes & (aspect::kGeometry | aspect::kShape)) ||
      (moved && StylesOf(windows, window) != m_stylesBefore)) {
    m_placeUnsettled = true;
  }
  // Its answer is awaited once Glazier's commands on the window have all run: a live edit's steps
  // come faster than a manager's answers, and each step's place is only on the way to the last.
  if (m_placeUnsettled) {
    ours &= ~aspect::kGeometry;
    if (m_onTheirWay.load() <= 1) SettleLeftPlace(windows, window);
  }
  if (ours) KeepLeft(windows, window, ours);
  JobRan();
}

void CWindowMemory::SettleLeftPlace(IWindowManager& windows, WindowHandle window) {
  m_placeUnsettled = false;
  windows.AwaitSettledPlace(window);
  if (m_kept.load() & aspect::kGeometry) KeepLeft(windows, window, aspect::kGeometry);
}

void CWindowMemory::KeepLeft(IWindowManager& windows, WindowHandle window, Aspects aspects) {
  WindowState left = ReadWindowState(windows, window, aspects);
  const Aspects got = left.read;
  const Aspects asFirst = got & ~Differing(windows, left, m_first, got);
  TakeAspects(m_left, std::move(left), got);
  m_kept &= ~asFirst;
  DropUnkept();
}

CWindowMemory::Result CWindowMemory::PutBack(IWindowManager& windows, WindowHandle window) {
  Result result;
  if (!m_kept.load() || !SameWindow(windows, window)) {
    m_kept = 0;
    DropUnkept();
    return result;
  }
  // A place read while the window manager still answers the last change is not the one it left:
  // where Glazier's own change is still being answered, the place it settles in is Glazier's.
  if (m_placeUnsettled) {
    SettleLeftPlace(windows, window);
  } else if (m_kept.load() & aspect::kGeometry) {
    windows.AwaitSettledPlace(window);
  }
  const Aspects kept = m_kept.exchange(0);
  if (!kept) return result;
  const WindowState now = ReadWindowState(windows, window, kept);
  Aspects ours = kept & ~Differing(windows, now, m_left, kept);
  // A window disabled behind a dialog of its own program is disabled again only while that dialog
  // is still up: nothing else would ever enable it again. And a window is never enabled while its
  // program's dialog is up: the dialog keeps it disabled until it ends, and the lock stays kept.
  Aspects waiting = 0;
  if ((ours & aspect::kLock) && windows.HasEnabledPopup(window) == m_first.enabled) {
    if (m_first.enabled) waiting = aspect::kLock;
    ours &= ~aspect::kLock;
  }
  if (!OpacityCanGoBack(m_first)) result.lost |= ours & aspect::kOpacity;
  if (!PlaceToPutBack(m_first) && !Maximized(m_first.placement))
    result.lost |= ours & aspect::kGeometry;
  ours &= ~result.lost;
  m_kept |= waiting;
  if (!ours) {
    DropUnkept();
    return result;
  }
  PutBackAspects(windows, window, m_first, ours);
  // What did not take is kept, as it is now, for another try.
  WindowState after = ReadWindowState(windows, window, ours);
  Aspects stuck = Differing(windows, after, m_first, ours);
  // A window minimized at first comes back to its normal place, not as it was.
  if (Minimized(m_first.placement)) stuck &= ~aspect::kGeometry;
  TakeAspects(m_left, std::move(after), stuck);
  m_kept |= stuck;
  DropUnkept();
  result.putBack = ours & ~stuck;
  // EnableWindow cannot tell a refusal; every other call says its own.
  result.took = (stuck & aspect::kLock) == 0;
  return result;
}

std::shared_ptr<CWindowMemory> CWindowMemories::Of(WindowHandle window) {
  std::shared_ptr<CWindowMemory>& memory = m_memories[window];
  if (!memory) memory = std::make_shared<CWindowMemory>();
  return memory;
}

std::shared_ptr<CWindowMemory> CWindowMemories::Find(WindowHandle window) const {
  const auto found = m_memories.find(window);
  return found == m_memories.end() ? nullptr : found->second;
}

Aspects CWindowMemories::Kept(WindowHandle window) const {
  const std::shared_ptr<CWindowMemory> memory = Find(window);
  return memory ? memory->Kept() : 0;
}

bool CWindowMemories::AnyKept() const {
  return std::any_of(m_memories.begin(), m_memories.end(),
                     [](const auto& entry) { return entry.second->Kept() != 0; });
}

std::vector<WindowHandle> CWindowMemories::WindowsWithKept() const {
  std::vector<WindowHandle> windows;
  for (const auto& [window, memory] : m_memories) {
    if (memory->Kept() != 0) windows.push_back(window);
  }
  return windows;
}

void CWindowMemories::ForgetAllBut(const std::vector<WindowHandle>& existing) {
  std::erase_if(m_memories, [&existing](const auto& entry) {
    return std::find(existing.begin(), existing.end(), entry.first) == existing.end();
  });
}
