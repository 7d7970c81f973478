#include "tests/common/process.h"

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

bool WaitFor(const std::function<bool()>& condition, DWORD ms) {
  const ULONGLONG deadline = GetTickCount64() + ms;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
}

Process::Process(const std::wstring& commandLine) {
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &m_info)) {
    m_info = {};
  }
}

Process::Process(Process&& other) noexcept : m_info(std::exchange(other.m_info, {})) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Terminate();
    m_info = std::exchange(other.m_info, {});
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

std::wstring GlazierBesideStandInDwmapi() {
  const std::wstring copy = ExeDir() + L"\\stand-in\\glazier.exe";
  if (!CopyFileW((ExeDir() + L"\\glazier.exe").c_str(), copy.c_str(), FALSE)) return {};
  wchar_t overrides[512] = {};
  GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 512);
  SetEnvironmentVariableW(L"WINEDLLOVERRIDES", (std::wstring(overrides) + L";dwmapi=n,b").c_str());
  return copy;
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
