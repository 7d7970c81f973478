#include "bench/unix_side.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cwctype>
#include <sstream>
#include <vector>

namespace bench {
namespace {

std::wstring OnDriveZ(std::string_view path) {
  std::wstring wide = L"Z:";
  for (char c : path) wide += c == '/' ? L'\\' : static_cast<wchar_t>(c);
  return wide;
}

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

// The fields of /proc/PID/stat after the command name, which may itself hold blanks and
// parentheses; field 3 of the file is element 0.
std::vector<std::string> StatFields(int pid) {
  const std::string stat = ReadUnixFile("/proc/" + std::to_string(pid) + "/stat");
  const std::size_t close = stat.rfind(')');
  std::vector<std::string> fields;
  if (close == std::string::npos) return fields;
  std::istringstream rest(stat.substr(close + 1));
  for (std::string field; rest >> field;) fields.push_back(field);
  return fields;
}

long ClockTicksPerSecond() {
  // USER_HZ, handed over by the script; 100 on every Linux we run on.
  static const long ticks = [] {
    const char* value = std::getenv("GLAZIER_BENCH_CLK_TCK");
    const long parsed = value ? std::atol(value) : 0;
    return parsed > 0 ? parsed : 100L;
  }();
  return ticks;
}

}  // namespace

std::string ReadUnixFile(std::string_view path) {
  HANDLE file = CreateFileW(OnDriveZ(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  // Files under /proc report no size: read until the end.
  std::string text;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) text.append(chunk, got);
  CloseHandle(file);
  return text;
}

double CpuSeconds(int pid) {
  if (pid <= 0) return -1;
  const std::vector<std::string> fields = StatFields(pid);
  // utime and stime are fields 14 and 15 of the file.
  if (fields.size() < 13) return -1;
  const double ticks = std::atof(fields[11].c_str()) + std::atof(fields[12].c_str());
  return ticks / static_cast<double>(ClockTicksPerSecond());
}

double RunQueueMs(int pid) {
  if (pid <= 0) return -1;
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task/";
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW((OnDriveZ(tasks) + L"*").c_str(), &entry);
  if (search == INVALID_HANDLE_VALUE) return -1;
  double waitedNs = 0;
  do {
    const std::wstring name = entry.cFileName;
    if (name.empty() || !std::all_of(name.begin(), name.end(), iswdigit)) continue;
    // On-CPU time, run-queue wait, time slices, all since the thread started.
    std::istringstream fields(
        ReadUnixFile(tasks + std::to_string(_wtoi(name.c_str())) + "/schedstat"));
    double onCpu = 0, waited = 0;
    if (fields >> onCpu >> waited) waitedNs += waited;
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return waitedNs / 1e6;
}

double IdleCpuSeconds() {
  // The first line: "cpu  user nice system idle iowait irq softirq steal ...".
  std::istringstream line(ReadUnixFile("/proc/stat"));
  std::string name;
  double ticks[5] = {};
  if (!(line >> name >> ticks[0] >> ticks[1] >> ticks[2] >> ticks[3] >> ticks[4]) ||
      name != "cpu") {
    return -1;
  }
  return (ticks[3] + ticks[4]) / static_cast<double>(ClockTicksPerSecond());
}

long long PrivateKib(int pid) {
  if (pid <= 0) return -1;
  std::istringstream rollup(ReadUnixFile("/proc/" + std::to_string(pid) + "/smaps_rollup"));
  long long total = 0;
  bool found = false;
  for (std::string key; rollup >> key;) {
    long long value = 0;
    if (key == "Private_Clean:" || key == "Private_Dirty:") {
      rollup >> value;
      total += value;
      found = true;
    }
  }
  return found ? total : -1;
}

int UnixPidOf(std::string_view exeName) {
  const char* prefixValue = std::getenv("WINEPREFIX");
  const std::string prefix = std::string("WINEPREFIX=") + (prefixValue ? prefixValue : "");
  const std::string wanted = Lower(exeName);

  int newest = 0;
  unsigned long long newestStart = 0;
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    const std::wstring name = entry.cFileName;
    if (name.empty() || !std::all_of(name.begin(), name.end(), iswdigit)) continue;
    const int pid = _wtoi(name.c_str());
    const std::string base = "/proc/" + std::to_string(pid);
    std::string commandLine = Lower(ReadUnixFile(base + "/cmdline"));
    std::replace(commandLine.begin(), commandLine.end(), '\\', '/');
    if (commandLine.find("/" + wanted) == std::string::npos && commandLine.rfind(wanted, 0) != 0) {
      continue;
    }
    // Other sessions on this machine run the same programs in prefixes of their own.
    std::string environment = ReadUnixFile(base + "/environ");
    std::replace(environment.begin(), environment.end(), '\0', '\n');
    if (("\n" + environment).find("\n" + prefix + "\n") == std::string::npos) continue;
    const std::vector<std::string> fields = StatFields(pid);
    const unsigned long long start =
        fields.size() > 19 ? std::strtoull(fields[19].c_str(), nullptr, 10) : 0;
    if (!newest || start >= newestStart) {
      newest = pid;
      newestStart = start;
    }
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return newest;
}

}  // namespace bench
