// Processes and windows for the programs that drive glazier.exe from outside: the end-to-end
// driver and the benchmark's driver both start programs, wait for them and find their windows.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>

namespace drive {

// Milliseconds on the performance counter.
double Milliseconds();

// The directory of the running driver, where the build puts glazier.exe and the other programs.
std::wstring ExeDir();
std::wstring Quoted(const std::wstring& text);

// A process started by a driver; terminated, and waited for, when the object goes.
class Process {
 public:
  Process() = default;
  explicit Process(const std::wstring& commandLine);
  ~Process() { Terminate(); }
  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  bool Started() const { return m_info.hProcess != nullptr; }
  // Why CreateProcess failed; 0 for a process started.
  DWORD StartError() const { return m_startError; }
  DWORD Id() const { return m_info.dwProcessId; }
  HANDLE Handle() const { return m_info.hProcess; }
  bool Running() const;
  // The exit code once the process has ended within `ms`, nothing otherwise.
  std::optional<DWORD> WaitExit(DWORD ms) const;
  // Ends the process if it still runs and lets go of it.
  void Terminate();

 private:
  PROCESS_INFORMATION m_info{};
  DWORD m_startError = 0;
};

// Has Wine load a native copy, where it finds one, of each library (named without ".dll") for
// the programs of that file name, wherever they lie, as Windows does for a library that is not
// one of its own known ones: the prefix's overrides for the program
// (HKCU\Software\Wine\AppDefaults\<program>\DllOverrides). False if one could not be set.
bool PreferNativeLibraries(const wchar_t* program, std::initializer_list<const wchar_t*> libraries);

// Puts the stand-in for the system's DWM library (stand-in\dwmapi.dll under the driver's
// directory, tests/e2e/stand_in_dwmapi.cpp), whose cloak check answers as Windows does, into the
// prefix's System32, and has the programs of that file name load it from there in place of
// Wine's own; every other program keeps Wine's (the prefix's overrides say so, as a library found
// in System32 that is not Wine's would otherwise be loaded). False if any of it failed.
bool UseStandInDwmapi(const wchar_t* program);

// A visible top-level window of the process with that class, and that title unless it is null;
// null when there is none.
HWND ShownWindowOf(DWORD processId, const wchar_t* className, const wchar_t* title);

}  // namespace drive
