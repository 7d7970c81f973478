// libFuzzer target for the two readers of typed text: the opacity check and the integer reading
// of the position and size edits. Besides running them under the sanitizers it checks each
// against what it promises.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "ops/geometry.h"
#include "ops/opacity.h"

namespace {

void CheckOpacity(std::string_view text) {
  const OpacityInput input = CheckOpacityText(text);
  const bool allDigits =
      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  switch (input.check) {
    case OpacityCheck::Empty:
      if (!text.empty()) std::abort();
      break;
    case OpacityCheck::NotNumber:
      if (text.empty() || allDigits) std::abort();
      break;
    case OpacityCheck::OutOfRange:
    case OpacityCheck::Ok: {
      if (text.empty() || !allDigits) std::abort();
      // The value the digits spell, saturated just above the range.
      long value = 0;
      for (char c : text) value = std::min(value * 10 + (c - '0'), 256L);
      const bool inRange = value <= 255;
      if (inRange != (input.check == OpacityCheck::Ok)) std::abort();
      if (inRange && input.value != value) std::abort();
      break;
    }
  }
}

// The C runtime's strtoll reads the same prefix (white space, one sign, decimal digits) and
// saturates at the 64-bit ends; clamped to 32 bits it must agree with ours.
void CheckEditNumber(std::string_view text) {
  const std::string terminated(text);
  const long long reference = std::strtoll(terminated.c_str(), nullptr, 10);
  const long long clamped =
      std::clamp<long long>(reference, std::numeric_limits<std::int32_t>::min(),
                            std::numeric_limits<std::int32_t>::max());
  if (ReadEditNumber(terminated) != clamped) std::abort();
  const std::int32_t value = ReadEditNumber(text);
  (void)HalveExtent(value);
  (void)DoubleExtent(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckOpacity(text);
  CheckEditNumber(text);
  return 0;
}
