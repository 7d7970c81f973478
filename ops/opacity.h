// Opacity: the check of the typed value and the flashing cycle.
#pragma once

#include <cstdint>
#include <string_view>

enum class OpacityCheck { Ok, Empty, NotNumber, OutOfRange };

struct OpacityInput {
  OpacityCheck check;
  int value;  // 0 to 255 when check is Ok
};

// Checks the whole text: only ASCII digits, leading zeros allowed, at most 255 in value
// however many digits it has.
OpacityInput CheckOpacityText(std::string_view text);

inline constexpr int kOpaque = 255;

struct FlashState {
  int level;
  int step;
};

inline constexpr FlashState kFlashStart = {255, 1};
inline constexpr int kFlashLowerTurn = 20;
inline constexpr int kFlashUpperTurn = 250;
inline constexpr int kFlashStepSize = 10;

// One tick: move the level by the step and turn at the ends.
FlashState NextFlash(FlashState state);

// The alpha a level stands for: its low eight bits, so the level 256 of an upper turn shows as
// fully transparent.
inline std::uint8_t FlashAlpha(int level) {
  return static_cast<std::uint8_t>(level & 0xFF);
}
