#include "bench/process.h"

#include <utility>

namespace bench {

double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

Child::Child(const std::wstring& commandLine) {
  std::wstring line = commandLine;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &m_info)) {
    m_info = {};
  }
}

Child::Child(Child&& other) noexcept : m_info(std::exchange(other.m_info, {})) {}

Child& Child::operator=(Child&& other) noexcept {
  if (this != &other) {
    End();
    m_info = std::exchange(other.m_info, {});
  }
  return *this;
}

void Child::End() {
  if (!m_info.hProcess) return;
  TerminateProcess(m_info.hProcess, 0);
  WaitForSingleObject(m_info.hProcess, 30000);
  CloseHandle(m_info.hThread);
  CloseHandle(m_info.hProcess);
  m_info = {};
}

NamedEvent::NamedEvent(const wchar_t* purpose) {
  static int serial = 0;
  m_name = std::wstring(L"GlazierBench-") + purpose + L"-" +
           std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
  m_event = CreateEventW(nullptr, TRUE, FALSE, m_name.c_str());
}

bool NamedEvent::WaitWhileRunning(const Child& child, DWORD ms) const {
  if (!child.Started()) return false;
  const HANDLE handles[] = {m_event, child.Handle()};
  return WaitForMultipleObjects(2, handles, FALSE, ms) == WAIT_OBJECT_0;
}

NamedEvent::~NamedEvent() {
  if (m_event) CloseHandle(m_event);
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

HWND ShownWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title) {
  for (HWND window = FindWindowExW(nullptr, nullptr, className, title); window;
       window = FindWindowExW(nullptr, window, className, title)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == processId && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

}  // namespace bench
