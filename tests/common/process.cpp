#include "tests/common/process.h"

#include <cwchar>
#include <utility>

namespace drive {

double Milliseconds() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

std::wstring ExeDir() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring dir = path;
  const std::size_t slash = dir.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : dir.substr(0, slash);
}

std::wstring Quoted(const std::wstring& text) {
  return L"\"" + text + L"\"";
}

Process::Process(const std::wstring& commandLine) {
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &m_info)) {
    m_startError = GetLastError();
    m_info = {};
  }
}

Process::Process(Process&& other) noexcept
    : m_info(std::exchange(other.m_info, {})), m_startError(other.m_startError) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Terminate();
    m_info = std::exchange(other.m_info, {});
    m_startError = other.m_startError;
  }
  return *this;
}

bool Process::Running() const {
  return Started() && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitExit(DWORD ms) const {
  if (!Started() || WaitForSingleObject(m_info.hProcess, ms) != WAIT_OBJECT_0) return {};
  DWORD code = 0;
  GetExitCodeProcess(m_info.hProcess, &code);
  return code;
}

void Process::Terminate() {
  if (!Started()) return;
  if (Running()) {
    TerminateProcess(m_info.hProcess, 1);
    WaitForSingleObject(m_info.hProcess, 30000);
  }
  CloseHandle(m_info.hThread);
  CloseHandle(m_info.hProcess);
  m_info = {};
}

namespace {

// A library's load order in the prefix's overrides under `key` (of HKEY_CURRENT_USER).
bool SetLoadOrder(const std::wstring& key, const wchar_t* library, const wchar_t* order) {
  const auto bytes = static_cast<DWORD>((std::wcslen(order) + 1) * sizeof(wchar_t));
  return RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), library, REG_SZ, order, bytes) ==
         ERROR_SUCCESS;
}

}  // namespace

bool PreferNativeLibraries(const wchar_t* program,
                           std::initializer_list<const wchar_t*> libraries) {
  const std::wstring key =
      std::wstring(L"Software\\Wine\\AppDefaults\\") + program + L"\\DllOverrides";
  for (const wchar_t* library : libraries) {
    if (!SetLoadOrder(key, library, L"native,builtin")) return false;
  }
  return true;
}

bool UseStandInDwmapi(const wchar_t* program) {
  wchar_t system[MAX_PATH] = L"";
  GetSystemDirectoryW(system, MAX_PATH);
  return CopyFileW((ExeDir() + L"\\stand-in\\dwmapi.dll").c_str(),
                   (std::wstring(system) + L"\\dwmapi.dll").c_str(), FALSE) &&
         SetLoadOrder(L"Software\\Wine\\DllOverrides", L"dwmapi", L"builtin") &&
         PreferNativeLibraries(program, {L"dwmapi"});
}

HWND ShownWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title) {
  for (HWND window = FindWindowExW(nullptr, nullptr, className, title); window;
       window = FindWindowExW(nullptr, window, className, title)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

}  // namespace drive
