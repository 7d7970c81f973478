// What a window was like before Glazier first changed it, aspect by aspect, and what Glazier's
// commands left there, so that "元に戻す" puts back what is still Glazier's and nothing else.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

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

// Gives the window the style bits of the resizable frame that `frameBits` has, keeping the rest.
void SetFrameStyle(IWindowManager& windows, WindowHandle window, std::uint32_t frameBits);

// Whether the window takes input as `enabled` says: EnableWindow, whose result is the previous
// state, is read back.
bool IsEnabledAs(IWindowManager& windows, WindowHandle window, bool enabled);

// The names of `aspects` for the menu, in the order above, joined by "・".
std::string AspectNames(Aspects aspects);

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
  WindowPlacement placement;  // maximized or minimized, and the normal rectangle
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
  // What Glazier changed and the window still has from it, as far as its jobs have run.
  Aspects Kept() const { return m_kept.load(); }

  // In a command's job, before its calls: the first state of the aspects it changes, unless they
  // are kept already. Another window under the same handle starts a memory afresh.
  void BeforeChange(IWindowManager& windows, WindowHandle window, Aspects changes);
  // In the job, after the calls: what they left. An aspect left as it first was is nothing to put
  // back, and is no longer kept.
  void AfterChange(IWindowManager& windows, WindowHandle window, Aspects changes);
  // In the restore's job: puts back every kept aspect that still has what Glazier left; one that
  // the window's program has changed since keeps the program's state and is forgotten, and so is
  // every aspect of another window under the same handle. What could not be put back stays kept
  // for another try. Returns the aspects put back, and whether everything took.
  struct Result {
    Aspects putBack = 0;
    bool took = true;
  };
  Result PutBack(IWindowManager& windows, WindowHandle window);

  struct WindowIds {
    std::uint32_t process = 0;
    std::uint32_t thread = 0;  // 0 for a window that is gone
  };

 private:
  // The window's process and thread, read at its first change: a handle can be reused.
  bool SameWindow(IWindowManager& windows, WindowHandle window);
  // Regions of aspects no longer kept go back to the system.
  void DropUnkept();

  std::atomic<Aspects> m_kept{0};
  WindowIds m_ids;
  WindowState m_first;  // before Glazier first changed each kept aspect
  WindowState m_left;   // what Glazier's last command on each kept aspect left
};
