// Reading and scaling the position and size edits.
#pragma once

#include <cstdint>
#include <string_view>

// Reads a number the way the C runtime's atoi does: leading white space, one optional sign,
// decimal digits up to the first other character, 0 when there are none. Values beyond the
// 32-bit range saturate at its ends instead of overflowing.
std::int32_t ReadEditNumber(std::string_view text);

// Halving truncates toward zero (801 -> 400, -7 -> -3); doubling saturates at the 32-bit ends.
std::int32_t HalveExtent(std::int32_t value);
std::int32_t DoubleExtent(std::int32_t value);
