// What a window was like before Glazier first changed it, aspect by aspect, and what Glazier's
// commands left there, so that "元に戻す" puts back what is still Glazier's and nothing else.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ops/shapes.h"
#include "platform/window_manager.h"

// The aspects of a window that commands change, in the order the menu names them. Show state
// (minimized or shown) is not among them: the user undoes it as usual.
using Aspects = unsigned;
namespace aspect {
inline constexpr Aspects kZOrder = 1u << 0;    // always on top or not
inline constexpr Aspects kLock = 1u << 1;      // takes input or not
inline constexpr Aspects kFrame = 1u << 2;     // the style bits of the resizable frame
inline constexpr Aspects kShape = 1u << 3;     // the region, or none
inline constexpr Aspects kOpacity = 1u << 4;   // layered or not, and the layered attributes
inline constexpr Aspects kTitle = 1u << 5;     // the text
inline constexpr Aspects kGeometry = 1u << 6;  // the outer rectangle, and maximized or not
}  // namespace aspect

// The program and thread that made a window: a handle can be reused by another program's window
// once its own has closed.
struct WindowIds {
  std::uint32_t process = 0;
  std::uint32_t thread = 0;  // 0 for a window that is gone
  bool operator==(const WindowIds&) const = default;
};
WindowIds IdsOf(IWindowManager& windows, WindowHandle window);

// For the jobs of something that goes on over many of them on one window (the live edits, the
// flashing): whether the window is still the one the first of them found, whose ids it notes in
// `first`. A window that is gone, or another under the same handle, is not.
bool StillTheWindow(IWindowManager& windows, WindowHandle window, WindowIds& first);

// What a window has in the aspects commands change, as read in a job; `read` says which fields
// mean something.
struct WindowState {
  Aspects read = 0;
  bool topmost = false;
  bool enabled = true;
  std::uint32_t frameStyle = 0;
  std::optional<CUniqueRegion> region;  // a copy of the window's region; none when it has none
  bool layered = false;
  std::optional<LayeredAttributes> layeredAttributes;  // when they could be read
  std::string title;
  Rect rect;
  // Maximized or minimized, and the normal rectangle, in screen coordinates here.
  WindowPlacement placement;
};

// Reads `wanted` aspects of the window as they are now. Aspects that could not be read are left
// out of `read`.
WindowState ReadWindowState(IWindowManager& windows, WindowHandle window, Aspects wanted);

// The aspects among `aspects`, read in both, in which the two states differ.
Aspects Differing(IWindowManager& windows, const WindowState& one, const WindowState& other,
                  Aspects aspects);

// One window's memory for "元に戻す". Its states are read and written only by the jobs on that
// window, which run one after another on its worker; the panel reads only which aspects are kept.
class CWindowMemory {
 public:
  // What Glazier changed and the window still has from it, with what the commands still on
  // their way to it change. On the panel's thread.
  Aspects Kept() const { return m_kept.load() | (m_onTheirWay.load() > 0 ? m_expected : 0); }
  // On the panel's thread, as a command is handed to the window's worker: it counts as kept
  // until its job has run (AfterChange, or JobRan where the job made no change).
  void Expect(Aspects changes) {
    if (m_onTheirWay.fetch_add(1) == 0) m_expected = 0;
    m_expected |= changes;
  }
  void JobRan() { m_onTheirWay.fetch_sub(1); }

  // In a command's job, before its calls: the first state of the aspects it changes, unless they
  // are kept already. Another window under the same handle starts a memory afresh.
  void BeforeChange(IWindowManager& windows, WindowHandle window, Aspects changes);
  // In the job, after the calls: what they left. An aspect left as it first was is nothing to put
  // back, and is no longer kept. A window manager that moves a window in answer to a change of its
  // frame, shape or layered style moves it for Glazier: the place it settles in is what Glazier
  // left.
  void AfterChange(IWindowManager& windows, WindowHandle window, Aspects changes);
  // In the restore's job: puts back every kept aspect that still has what Glazier left; one that
  // the window's program has changed since keeps the program's state and is forgotten, and so is
  // every aspect of another window under the same handle. What did not take stays kept for
  // another try, and so does a lock while the window's program has a dialog of its own up over
  // it (the dialog keeps it disabled). Returns the aspects put back, whether everything took, and
  // what cannot be put back at all (forgotten).
  struct Result {
    Aspects putBack = 0;
    bool took = true;
    Aspects lost = 0;
  };
  Result PutBack(IWindowManager& windows, WindowHandle window);

 private:
  // The window's process and thread, read at its first change: a handle can be reused.
  bool SameWindow(IWindowManager& windows, WindowHandle window);
  // Regions of aspects no longer kept go back to the system.
  void DropUnkept();
  // Reads what Glazier's commands left of `aspects`; one left as it first was is no longer kept.
  void KeepLeft(IWindowManager& windows, WindowHandle window, Aspects aspects);
  // Once the window manager has answered Glazier's last change of the place, frame, shape or
  // styles: the place it settled in is what Glazier left.
  void SettleLeftPlace(IWindowManager& windows, WindowHandle window);

  std::atomic<Aspects> m_kept{0};
  std::atomic<int> m_onTheirWay{0};  // commands handed on whose jobs have not run yet
  Aspects m_expected = 0;            // what they change; the panel's thread's alone
  WindowIds m_ids;
  WindowState m_first;  // before Glazier first changed each kept aspect
  WindowState m_left;   // what Glazier's last command on each kept aspect left
  // The style and extended style before a change that a window manager may answer with a move.
  std::pair<std::uint32_t, std::uint32_t> m_stylesBefore;
  // Glazier changed what a window manager answers with a move, and the answer is still awaited.
  bool m_placeUnsettled = false;
};

// The memories of the windows Glazier has changed, by handle. On the panel's thread; a memory
// goes to the jobs on its window as a shared pointer.
class CWindowMemories {
 public:
  // The memory a command on `window` keeps its states in, made at the window's first change.
  std::shared_ptr<CWindowMemory> Of(WindowHandle window);
  // The memory of a window changed already; null for one never changed.
  std::shared_ptr<CWindowMemory> Find(WindowHandle window) const;
  Aspects Kept(WindowHandle window) const;
  bool AnyKept() const;
  std::vector<WindowHandle> WindowsWithKept() const;
  void Forget(WindowHandle window) { m_memories.erase(window); }
  // Forgets the windows that are not among `existing` (every top-level window there is).
  void ForgetAllBut(const std::vector<WindowHandle>& existing);

 private:
  std::map<WindowHandle, std::shared_ptr<CWindowMemory>> m_memories;
};
