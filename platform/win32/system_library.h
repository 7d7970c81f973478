// The system's libraries, loaded from System32 alone. Windows looks for a library that is not one
// of its known ones in the program's own folder first, and users start Glazier from wherever they
// unpacked it, often a downloads folder where anything may lie beside it.
#pragma once

#include "platform/win32/win32.h"

inline HMODULE LoadSystemLibrary(const wchar_t* name) {
  return ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
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
