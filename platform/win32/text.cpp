#include "platform/win32/text.h"

#include "platform/win32/win32.h"

#include <climits>

namespace {

// Both conversions are bounded by int, the length type of the Win32 calls; longer texts are
// cut rather than overflowing the count.
int ClampedLength(std::size_t size) {
  return size > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(size);
}

}  // namespace

std::wstring Widen(std::string_view utf8) {
  std::wstring out;
  WidenInto(utf8, out);
  return out;
}

void WidenInto(std::string_view utf8, std::wstring& out) {
  out.clear();
  const int length = ClampedLength(utf8.size());
  if (length == 0) return;
  const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  if (needed <= 0) return;
  out.resize(static_cast<std::size_t>(needed));
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.data(), needed);
}

void NarrowInto(std::wstring_view utf16, std::string& out) {
  out.clear();
  const int length = ClampedLength(utf16.size());
  if (length == 0) return;
  const int needed =
      WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
  if (needed <= 0) return;
  out.resize(static_cast<std::size_t>(needed));
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, out.data(), needed, nullptr, nullptr);
}

std::string Narrow(std::wstring_view utf16) {
  std::string out;
  NarrowInto(utf16, out);
  return out;
}
