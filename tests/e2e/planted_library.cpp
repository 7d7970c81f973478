// A library planted beside a copy of glazier.exe under the name of a system one (built as
// dwmapi.dll, winmm.dll and uxtheme.dll): loaded into a process, it leaves a file named after
// itself with ".loaded" appended, which the case of planted libraries looks for. It exports the
// one function glazier.exe ever imported from such a library, so that a program that imports it
// starts with this copy in its place, as a planted copy would make sure of.
#include <windows.h>

#include <string>

extern "C" __declspec(dllexport) HRESULT WINAPI SetWindowTheme(HWND, LPCWSTR, LPCWSTR) {
  return S_OK;
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(self, path, MAX_PATH);
  const HANDLE mark = CreateFileW((std::wstring(path) + L".loaded").c_str(), GENERIC_WRITE, 0,
                                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (mark != INVALID_HANDLE_VALUE) CloseHandle(mark);
  return TRUE;
}
