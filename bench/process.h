// What the benchmark's driver starts and times: the drivers' shared processes, windows and clock,
// and the named events the benchmark's helpers set when they are ready.
#pragma once

#include <windows.h>

#include <string>

#include "tests/common/process.h"

namespace bench {

using drive::ExeDir;
using drive::Milliseconds;
using drive::Process;
using drive::Quoted;
using drive::ShownWindowOf;

// A manual-reset event with a name unique to this driver, for a child to open.
class NamedEvent {
 public:
  explicit NamedEvent(const wchar_t* purpose);
  ~NamedEvent();
  NamedEvent(const NamedEvent&) = delete;
  NamedEvent& operator=(const NamedEvent&) = delete;

  const std::wstring& Name() const { return m_name; }
  // Waits for the event to be set by `child`; false if the child ends first or time runs out.
  bool WaitWhileRunning(const Process& child, DWORD ms) const;
  void Set() const { SetEvent(m_event); }

 private:
  std::wstring m_name;
  HANDLE m_event = nullptr;
};

}  // namespace bench
