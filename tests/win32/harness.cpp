#include "tests/win32/harness.h"

#include <cstdio>
#include <vector>

#include "platform/win32/win32.h"

namespace {

struct TestCase {
  const char* name;
  void (*body)();
};

std::vector<TestCase>& Tests() {
  static std::vector<TestCase> tests;
  return tests;
}

int g_failures = 0;

}  // namespace

namespace harness {

bool Register(const char* name, void (*body)()) {
  Tests().push_back({name, body});
  return true;
}

void Fail(const char* file, int line, const std::string& what) {
  ++g_failures;
  std::printf("  FAILED %s:%d: %s\n", file, line, what.c_str());
  std::fflush(stdout);
}

}  // namespace harness

int wmain() {
  INITCOMMONCONTROLSEX classes{};
  classes.dwSize = sizeof(classes);
  classes.dwICC = ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES;
  ::InitCommonControlsEx(&classes);

  int failedTests = 0;
  for (const TestCase& test : Tests()) {
    std::printf("[ RUN  ] %s\n", test.name);
    std::fflush(stdout);
    const int before = g_failures;
    test.body();
    const bool passed = g_failures == before;
    if (!passed) ++failedTests;
    std::printf("[ %s ] %s\n", passed ? " OK " : "FAIL", test.name);
  }
  std::printf("%zu tests, %d failed\n", Tests().size(), failedTests);
  return failedTests == 0 ? 0 : 1;
}
