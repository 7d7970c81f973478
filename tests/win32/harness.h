// A small test harness for the Win32 half, run under Wine or Windows: no test framework is
// available for the cross compiler, and these tests need little more than checks and a list.
#pragma once

#include <sstream>
#include <string>

#include "platform/types.h"
#include "platform/win32/text.h"
#include "platform/win32/win32.h"

namespace harness {

bool Register(const char* name, void (*body)());
void Fail(const char* file, int line, const std::string& what);

template <typename T>
std::string Describe(const T& value) {
  std::ostringstream out;
  out << value;
  return out.str();
}
inline std::string Describe(const std::wstring& value) {
  return Narrow(value);
}
inline std::string Describe(const Rect& r) {
  std::ostringstream out;
  out << "{" << r.left << "," << r.top << "," << r.right << "," << r.bottom << "}";
  return out.str();
}
inline std::string Describe(const Point& p) {
  std::ostringstream out;
  out << "(" << p.x << "," << p.y << ")";
  return out.str();
}

// Runs this thread's message loop until `done` holds or the milliseconds have passed.
template <typename Done>
bool PumpUntil(Done done, DWORD ms) {
  const ULONGLONG deadline = ::GetTickCount64() + ms;
  while (!done()) {
    if (::GetTickCount64() >= deadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
  }
  return true;
}

}  // namespace harness

#define WIN32_TEST(name)                                                                 \
  static void name();                                                                    \
  [[maybe_unused]] static const bool name##Registered = harness::Register(#name, &name); \
  static void name()

#define CHECK(condition)                                             \
  do {                                                               \
    if (!(condition)) harness::Fail(__FILE__, __LINE__, #condition); \
  } while (0)

#define CHECK_EQ(actual, expected)                                       \
  do {                                                                   \
    const auto& checkActual = (actual);                                  \
    const auto& checkExpected = (expected);                              \
    if (!(checkActual == checkExpected)) {                               \
      harness::Fail(__FILE__, __LINE__,                                  \
                    std::string(#actual " == " #expected ": got ") +     \
                        harness::Describe(checkActual) + ", expected " + \
                        harness::Describe(checkExpected));               \
    }                                                                    \
  } while (0)
