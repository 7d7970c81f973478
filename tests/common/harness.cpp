#include "tests/common/harness.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <exception>

#include "platform/win32/text.h"

namespace harness {
namespace {

int g_failures = 0;

struct Case {
  std::string name;
  CaseFunction run;
};

std::vector<Case>& Cases() {
  static std::vector<Case> cases;
  return cases;
}

// Runs one case; false when a check of it failed.
bool RunCase(const Case& c) {
  Log("== " + c.name);
  const int before = g_failures;
  try {
    c.run();
  } catch (const CaseFailed&) {
    Log("  (case stopped at the first failed requirement)");
  } catch (const std::exception& error) {
    Check(false, std::string("unexpected exception: ") + error.what());
  }
  return g_failures == before;
}

}  // namespace

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(text.data(), text.size() + 1, format, args);
  va_end(args);
  return text;
}

void Log(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

bool Check(bool ok, std::string_view what) {
  Log(std::string(ok ? "  ok    " : "  FAIL  ") + std::string(what));
  if (!ok) ++g_failures;
  return ok;
}

void Require(bool ok, std::string_view what) {
  if (!Check(ok, what)) throw CaseFailed{};
}

std::string Describe(long long value) {
  return std::to_string(value);
}

std::string Describe(std::string_view text) {
  std::string quoted(1, '"');
  quoted.append(text).push_back('"');
  return quoted;
}

std::string Describe(std::wstring_view text) {
  return Describe(Narrow(text));
}

std::string Describe(const RECT& rect) {
  return Format("(%ld, %ld)-(%ld, %ld)", rect.left, rect.top, rect.right, rect.bottom);
}

std::string Describe(const Rect& rect) {
  return Format("(%d, %d)-(%d, %d)", rect.left, rect.top, rect.right, rect.bottom);
}

std::string Describe(const Point& point) {
  return Format("(%d, %d)", point.x, point.y);
}

bool Compared(bool equal, std::string_view what, const std::string& actual,
              const std::string& expected) {
  if (equal) return Check(true, std::string(what) + ": " + actual);
  return Check(false, std::string(what) + ": got " + actual + ", expected " + expected);
}

bool WaitFor(const std::function<bool()>& condition, DWORD ms) {
  const ULONGLONG deadline = GetTickCount64() + ms;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return true;
}

std::string Where(const char* file, int line, std::string_view what) {
  std::string_view path = file;
  const std::size_t tests = path.rfind("tests/");
  if (tests != std::string_view::npos) path.remove_prefix(tests);
  return Format("%.*s:%d: %.*s", static_cast<int>(path.size()), path.data(), line,
                static_cast<int>(what.size()), what.data());
}

bool Register(const char* name, CaseFunction run) {
  Cases().push_back({name, run});
  return true;
}

int Run(const std::vector<std::string>& names) {
  // Plain "\n" line ends: the scripts reading this output look for whole lines.
  _setmode(_fileno(stdout), _O_BINARY);
  int failedCases = 0;
  int run = 0;
  auto runCase = [&](const Case& c) {
    ++run;
    if (!RunCase(c)) ++failedCases;
  };
  if (names.empty()) std::for_each(Cases().begin(), Cases().end(), runCase);
  for (const std::string& name : names) {
    if (name == "--list") {
      for (const Case& c : Cases()) Log(c.name);
      continue;
    }
    const auto found = std::find_if(Cases().begin(), Cases().end(),
                                    [&name](const Case& c) { return c.name == name; });
    if (found == Cases().end()) {
      Check(false, "no such case: " + name);
      continue;
    }
    runCase(*found);
  }
  Log(Format("%d case(s) run, %d failed (%d failed check(s))", run, failedCases, g_failures));
  return g_failures == 0 ? 0 : 1;
}

}  // namespace harness
