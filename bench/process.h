// Processes the driver starts and the clock it times them with.
#pragma once

#include <windows.h>

#include <string>

namespace bench {

// Milliseconds on the performance counter.
double NowMs();

// A process started by the driver, ended (and waited for) when the object goes.
class Child {
 public:
  Child() = default;
  explicit Child(const std::wstring& commandLine);
  ~Child() { End(); }
  Child(Child&& other) noexcept;
  Child& operator=(Child&& other) noexcept;
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool Started() const { return m_info.hProcess != nullptr; }
  DWORD Id() const { return m_info.dwProcessId; }
  HANDLE Handle() const { return m_info.hProcess; }
  void End();

 private:
  PROCESS_INFORMATION m_info{};
};

// A manual-reset event with a name unique to this driver, for a child to open.
class NamedEvent {
 public:
  explicit NamedEvent(const wchar_t* purpose);
  ~NamedEvent();
  NamedEvent(const NamedEvent&) = delete;
  NamedEvent& operator=(const NamedEvent&) = delete;

  const std::wstring& Name() const { return m_name; }
  // Waits for the event to be set by `child`; false if the child ends first or time runs out.
  bool WaitWhileRunning(const Child& child, DWORD ms) const;
  void Set() const { SetEvent(m_event); }

 private:
  std::wstring m_name;
  HANDLE m_event = nullptr;
};

// The directory of the driver, where the build puts glazier.exe and the other programs.
std::wstring ExeDir();
std::wstring Quoted(const std::wstring& text);

// A visible top-level window of that process, of that class (and title, unless null); null
// when there is none.
HWND ShownWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title);

}  // namespace bench
