#include "harness.h"

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <exception>
#include <map>
#include <string>
#include <vector>

namespace e2e {
namespace {

int g_failures = 0;

std::map<std::string, CaseFunction>& Cases() {
  static std::map<std::string, CaseFunction> cases;
  return cases;
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

bool CheckEqual(long long actual, long long expected, std::string_view what) {
  if (actual == expected)
    return Check(true, Format("%.*s: %lld", static_cast<int>(what.size()), what.data(), actual));
  return Check(false, Format("%.*s: got %lld, expected %lld", static_cast<int>(what.size()),
                             what.data(), actual, expected));
}

bool CheckEqual(std::string_view actual, std::string_view expected, std::string_view what) {
  auto text = [](std::string_view s) { return static_cast<int>(s.size()); };
  if (actual == expected) {
    return Check(true,
                 Format("%.*s: \"%.*s\"", text(what), what.data(), text(actual), actual.data()));
  }
  return Check(false, Format("%.*s: got \"%.*s\", expected \"%.*s\"", text(what), what.data(),
                             text(actual), actual.data(), text(expected), expected.data()));
}

CaseRegistrar::CaseRegistrar(const char* name, CaseFunction run) {
  Cases()[name] = run;
}

}  // namespace e2e

int main(int argc, char** argv) {
  using namespace e2e;
  // Plain "\n" line ends: the script reading this output looks for whole lines.
  _setmode(_fileno(stdout), _O_BINARY);
  if (argc < 2) {
    Log("usage: glazier_e2e CASE... | --list");
    return 2;
  }
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (name == "--list") {
      for (const auto& entry : Cases()) Log(entry.first);
      continue;
    }
    const auto found = Cases().find(name);
    if (found == Cases().end()) {
      Check(false, "no such case: " + name);
      continue;
    }
    Log("== " + name);
    try {
      found->second();
    } catch (const CaseFailed&) {
      Log("  (case stopped at the first failed requirement)");
    } catch (const std::exception& error) {
      Check(false, std::string("unexpected exception: ") + error.what());
    }
  }
  if (g_failures > 0) {
    Log(Format("%d check(s) failed", g_failures));
    return 1;
  }
  return 0;
}
