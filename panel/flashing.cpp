#include "panel/flashing.h"

void CFlashing::Reset() {
  m_level = kFlashStart.level;
  m_step = kFlashStart.step;
  m_on = false;
}

void CFlashing::Start(WindowHandle window) {
  m_window = window;
  m_ids = std::make_shared<WindowIds>();
  m_on = true;
}

std::optional<CFlashing::Tick> CFlashing::NextTick() {
  const FlashState next = NextFlash({m_level, m_step});
  m_level = next.level;
  m_step = next.step;
  if (m_pending == m_window) return std::nullopt;
  m_pending = m_window;
  return Tick{m_window, FlashAlpha(m_level), m_ids};
}

bool CFlashing::TickDone(WindowHandle window, CallFailure failure) {
  if (m_pending == window) m_pending = 0;
  const bool ends = failure == CallFailure::Closed || failure == CallFailure::Denied;
  return ends && KeepsTo(window);
}
