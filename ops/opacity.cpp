#include "ops/opacity.h"

OpacityInput CheckOpacityText(std::string_view text) {
  if (text.empty()) return {OpacityCheck::Empty, 0};
  for (char c : text) {
    if (c < '0' || c > '9') return {OpacityCheck::NotNumber, 0};
  }
  int value = 0;
  for (char c : text) {
    value = value * 10 + (c - '0');
    if (value > kOpaque) return {OpacityCheck::OutOfRange, 0};
  }
  return {OpacityCheck::Ok, value};
}

FlashState NextFlash(FlashState state) {
  state.level += state.step;
  if (state.level <= kFlashLowerTurn) state.step = kFlashStepSize;
  if (state.level >= kFlashUpperTurn) state.step = -kFlashStepSize;
  return state;
}
