// What a window was like before Glazier first changed it, aspect by aspect, so that "元に戻す" can
// put back exactly what this run changed and nothing else.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
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
inline constexpr Aspects kGeometry = 1u << 6;  // the outer rectangle
}  // namespace aspect

// Gives the window the style bits of the resizable frame that `frameBits` has, keeping the rest.
void SetFrameStyle(IWindowManager& windows, WindowHandle window, std::uint32_t frameBits);

// Whether the window takes input as `enabled` says: EnableWindow, whose result is the previous
// state, is read back.
bool IsEnabledAs(IWindowManager& windows, WindowHandle window, bool enabled);

// The names of `aspects` for the menu, in the order above, joined by "・".
std::string AspectNames(Aspects aspects);

struct WindowOriginals {
  Aspects kept = 0;  // the aspects read; the other fields mean nothing
  bool topmost = false;
  bool enabled = true;
  std::uint32_t frameStyle = 0;
  std::optional<CUniqueRegion> region;  // a copy of the window's region; none when it had none
  bool layered = false;
  std::optional<LayeredAttributes> layeredAttributes;  // when they could be read
  std::string title;
  Rect rect;
};

// Reads `wanted` aspects of the window as they are now: in a command's job, before its calls.
// Aspects that could not be read are left out of `kept`.
WindowOriginals ReadOriginals(IWindowManager& windows, WindowHandle window, Aspects wanted);

// Puts back every kept aspect with the calls of one job; the frame change is made visible at
// once. The originals stay as they were (the region is copied), for another try.
void PutBackOriginals(IWindowManager& windows, WindowHandle window,
                      const WindowOriginals& originals);

// The originals of every window changed in this run, on the panel's thread. The first state of
// an aspect is kept over later changes; nothing is written anywhere.
class COriginals {
 public:
  Aspects Kept(WindowHandle window) const;
  // Keeps what a command read, aspect by aspect, unless the aspect is kept already.
  void Keep(WindowHandle window, WindowOriginals read);
  // Hands over a window's originals, which are forgotten here.
  std::optional<WindowOriginals> Take(WindowHandle window);
  void Forget(WindowHandle window);
  // Forgets the windows that are not among `existing` (every top-level window there is).
  void ForgetAllBut(const std::vector<WindowHandle>& existing);
  std::vector<WindowHandle> Windows() const;
  bool Empty() const { return m_windows.empty(); }

 private:
  std::map<WindowHandle, WindowOriginals> m_windows;
};
