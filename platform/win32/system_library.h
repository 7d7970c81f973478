// The system's libraries, loaded from System32 alone. Windows looks for a library that is not one
// of its known ones in the program's own folder first, and users start Glazier from wherever they
// unpacked it, often a downloads folder where anything may lie beside it.
#pragma once

#include <string>

#include "platform/win32/win32.h"

// SetDefaultDllDirectories, looked up rather than imported: Windows 7 has it only with update
// KB2533623, and an imported function the system lacks keeps the program from starting at all.
// Null where it is missing; the loader then knows none of the LOAD_LIBRARY_SEARCH_ flags either.
inline auto SetDefaultDllDirectoriesFunction() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  static const auto function =
      reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void (*)()>(
          ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  return function;
}

inline HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (SetDefaultDllDirectoriesFunction()) {
    return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  // By its full path, and what it imports looked for beside it, in System32, rather than beside
  // the program.
  wchar_t folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  const std::wstring path = std::wstring(folder, length) + L'\\' + name;
  return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// A function of a system library that only some use needs: the library is loaded the first time
// that use comes rather than at start-up, and then kept, as an import would be (a sound may still
// be playing, or a document opening, when the call returns). Null if it cannot be found.
template <typename Function>
Function LoadedOnFirstUse(const wchar_t* library, const char* name) {
  const HMODULE module = LoadSystemLibrary(library);
  if (!module) return nullptr;
  // Through a generic function pointer, which converts to any other without a warning.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}
