// Set-up that the panel's first input does not need. Each step runs once: as soon as something
// needs it, or else when the panel is idle, one step at a time in the order the steps were added.
#pragma once

#include <functional>
#include <utility>
#include <vector>

class CLaterSetUp {
 public:
  void Add(int key, std::function<void()> step) { m_steps.push_back({key, std::move(step)}); }
  // Runs the step of `key` now, unless it has run already.
  void Need(int key);
  // Runs the first step that has not run; whether any remain.
  bool RunNext();

 private:
  struct Step {
    int key;
    std::function<void()> run;
  };
  std::vector<Step> m_steps;  // those not yet run
};
