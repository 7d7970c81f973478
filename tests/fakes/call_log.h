// Readable records of the calls a fake receives: Call("ShowWindow", H(h), 6) is
// "ShowWindow(h=101,6)", so tests can compare a log with a table of expected calls.
#pragma once

#include <cstdio>
#include <string>
#include <type_traits>

#include "platform/types.h"

namespace fake {

inline std::string Text(const std::string& text) {
  return text;
}
inline std::string Text(const char* text) {
  return text;
}
template <typename T>
requires std::is_arithmetic_v<T> std::string Text(T value) {
  return std::to_string(value);
}

inline std::string H(WindowHandle window) {
  return "h=" + std::to_string(window);
}

// Handles such as HWND_TOPMOST are negative numbers to the window manager.
inline std::string After(WindowHandle insertAfter) {
  return std::to_string(static_cast<std::intptr_t>(insertAfter));
}

inline std::string Hex(std::uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%X", static_cast<unsigned>(value));
  return buffer;
}

template <typename... Args>
std::string Call(const char* name, const Args&... args) {
  std::string out = std::string(name) + "(";
  [[maybe_unused]] const char* separator = "";
  ((out += separator, out += Text(args), separator = ","), ...);
  return out + ")";
}

}  // namespace fake
