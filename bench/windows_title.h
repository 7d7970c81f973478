// The titles of the benchmark's windows: a realistic length, Japanese and Latin, and unique so
// that the driver can find one window's row in Glazier's list.
#pragma once

#include <cwchar>

namespace bench {

template <std::size_t N>
void WindowTitle(int index, wchar_t (&title)[N]) {
  std::swprintf(title, N, L"ベンチマーク用ウィンドウ %05d - Glazier bench", index);
}

}  // namespace bench
