#include "panel/later_setup.h"

#include <algorithm>
#include <utility>

void CLaterSetUp::Need(int key) {
  const auto step =
      std::find_if(m_steps.begin(), m_steps.end(), [key](const Step& s) { return s.key == key; });
  if (step == m_steps.end()) return;
  // Taken off the list before it runs: a step that needs another finds this one done.
  std::function<void()> run = std::move(step->run);
  m_steps.erase(step);
  run();
}

bool CLaterSetUp::RunNext() {
  if (!m_steps.empty()) Need(m_steps.front().key);
  return !m_steps.empty();
}
