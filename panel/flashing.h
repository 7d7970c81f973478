// The flashing of a window's opacity: where the rhythm is, which window it keeps to and whether
// a tick is still on its way. The dialog's timer drives it; the calls on the window are the
// dialog's.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "ops/opacity.h"
#include "ops/window_memory.h"
#include "platform/window_manager.h"

class CFlashing {
 public:
  // The rhythm from its start, off.
  void Reset();
  // Flashing keeps to `window`, the one it was started on, until it stops.
  void Start(WindowHandle window);
  void Stop() { m_on = false; }
  bool IsOn() const { return m_on; }
  // Whether flashing is on and keeps to `window`.
  bool KeepsTo(WindowHandle window) const { return m_on && m_window == window; }
  // The ids of the window flashed, noted by the first job on it and checked by every tick's.
  const std::shared_ptr<WindowIds>& Ids() const { return m_ids; }

  struct Tick {
    WindowHandle window;
    std::uint8_t alpha;
    std::shared_ptr<WindowIds> ids;
  };
  // The rhythm's next step, and the alpha to give the window; nothing while the window is still
  // busy with the previous tick: ticks must not pile up on it.
  std::optional<Tick> NextTick();
  // A tick on `window` has finished with `failure`; whether flashing ends with it. It ends with
  // its window, and with a refusal. Any other failure (a window made opaque meanwhile is no
  // longer layered) leaves the rhythm going.
  bool TickDone(WindowHandle window, CallFailure failure);

  // Read by tests only.
  WindowHandle Window() const { return m_window; }

 private:
  int m_level = kFlashStart.level;
  int m_step = kFlashStart.step;
  WindowHandle m_window = 0;   // the window flashed: the one it was started on
  WindowHandle m_pending = 0;  // a window whose last tick has not finished yet
  std::shared_ptr<WindowIds> m_ids;
  bool m_on = false;
};
