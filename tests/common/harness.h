// The check harness of the test programs built for Windows (the Win32 tests and the end-to-end
// driver, run under Wine): no test framework is available for the cross compiler, and these
// programs need little more than named cases, checks that print what they looked at, and a
// failure count that becomes the exit status.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/types.h"

namespace harness {

// Thrown by Require to end the current case; the harness catches it.
struct CaseFailed {};

// printf-style formatting into a UTF-8 string.
std::string Format(const char* format, ...);

// Prints one line (UTF-8) and flushes, so that the log survives a timeout.
void Log(std::string_view line);

// Records a check: prints "ok" or "FAIL" with what was checked. Returns `ok`.
bool Check(bool ok, std::string_view what);

// Like Check, but a failure ends the case: what follows depends on it.
void Require(bool ok, std::string_view what);

// A value as a check's line shows it.
std::string Describe(long long value);
std::string Describe(std::string_view text);
std::string Describe(std::wstring_view text);
std::string Describe(const RECT& rect);
std::string Describe(const Rect& rect);
std::string Describe(const Point& point);

// Records the comparison of two values as described: both on failure, the value on success.
bool Compared(bool equal, std::string_view what, const std::string& actual,
              const std::string& expected);

// Compares two values and prints both on failure. Numbers compare by value whatever their types,
// texts by their characters.
template <typename Actual, typename Expected>
bool CheckEqual(const Actual& actual, const Expected& expected, std::string_view what) {
  if constexpr (std::is_integral_v<Actual> && std::is_integral_v<Expected>) {
    const auto a = static_cast<long long>(actual);
    const auto e = static_cast<long long>(expected);
    return Compared(a == e, what, Describe(a), Describe(e));
  } else if constexpr (std::is_convertible_v<const Actual&, std::string_view>) {
    const std::string_view a = actual;
    const std::string_view e = expected;
    return Compared(a == e, what, Describe(a), Describe(e));
  } else if constexpr (std::is_convertible_v<const Actual&, std::wstring_view>) {
    const std::wstring_view a = actual;
    const std::wstring_view e = expected;
    return Compared(a == e, what, Describe(a), Describe(e));
  } else {
    return Compared(actual == expected, what, Describe(actual), Describe(expected));
  }
}

// Polls the condition every 20 ms, dispatching this thread's messages meanwhile, until it holds;
// false once `ms` have passed without it.
bool WaitFor(const std::function<bool()>& condition, DWORD ms = 5000);

// "file:line: what", for the checks of the macros below.
std::string Where(const char* file, int line, std::string_view what);

using CaseFunction = void (*)();
bool Register(const char* name, CaseFunction run);

// Runs the named cases ("--list" lists them), or every case in the order they were defined when
// none is named; 0 when every check passed.
int Run(const std::vector<std::string>& names);

}  // namespace harness

// Defines a case. The end-to-end build registers every CASE it finds in tests/e2e/cases_*.cpp as
// a CTest test named e2e.<name>.
#define CASE(name)                                           \
  static void Case_##name();                                 \
  [[maybe_unused]] static const bool caseRegistered_##name = \
      ::harness::Register(#name, &Case_##name);              \
  static void Case_##name()

#define CHECK(condition) \
  ::harness::Check((condition), ::harness::Where(__FILE__, __LINE__, #condition))

#define CHECK_EQ(actual, expected)            \
  ::harness::CheckEqual((actual), (expected), \
                        ::harness::Where(__FILE__, __LINE__, #actual " == " #expected))
