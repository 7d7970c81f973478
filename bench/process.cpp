#include "bench/process.h"

namespace bench {

NamedEvent::NamedEvent(const wchar_t* purpose) {
  static int serial = 0;
  m_name = std::wstring(L"GlazierBench-") + purpose + L"-" +
           std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
  m_event = CreateEventW(nullptr, TRUE, FALSE, m_name.c_str());
}

bool NamedEvent::WaitWhileRunning(const Process& child, DWORD ms) const {
  if (!child.Started()) return false;
  const HANDLE handles[] = {m_event, child.Handle()};
  return WaitForMultipleObjects(2, handles, FALSE, ms) == WAIT_OBJECT_0;
}

NamedEvent::~NamedEvent() {
  if (m_event) CloseHandle(m_event);
}

}  // namespace bench
