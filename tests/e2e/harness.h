// A small check harness for the end-to-end driver: named cases, checks that print what they
// looked at, and a failure count that becomes the exit status.
#pragma once

#include <string>
#include <string_view>

namespace e2e {

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

// Compares two values and prints both on failure.
bool CheckEqual(long long actual, long long expected, std::string_view what);
bool CheckEqual(std::string_view actual, std::string_view expected, std::string_view what);

using CaseFunction = void (*)();

struct CaseRegistrar {
  CaseRegistrar(const char* name, CaseFunction run);
};

}  // namespace e2e

// Defines a case; the driver runs it when its name is given on the command line. The build
// registers every E2E_CASE it finds in these sources as a CTest test named e2e.<name>.
#define E2E_CASE(name)                                                          \
  static void E2eCase_##name();                                                 \
  static const ::e2e::CaseRegistrar e2eRegistrar_##name(#name, E2eCase_##name); \
  static void E2eCase_##name()
