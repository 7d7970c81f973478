// A stand-in for the system's DWM library, for the case of cloaked windows: Wine's own never
// reports a window cloaked. A copy of glazier.exe beside it loads it through a DLL override, and
// it answers DWMWA_CLOAKED for every window whose title holds "(cloaked)".
#include <windows.h>

#include <cwchar>

extern "C" __declspec(dllexport) HRESULT WINAPI
    DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void* value, DWORD size) {
  constexpr DWORD kCloaked = 14;
  constexpr DWORD kCloakedByTheShell = 2;
  if (attribute != kCloaked || value == nullptr || size != sizeof(DWORD)) return E_INVALIDARG;
  wchar_t title[512] = {};
  GetWindowTextW(hwnd, title, 512);
  *static_cast<DWORD*>(value) = std::wcsstr(title, L"(cloaked)") ? kCloakedByTheShell : 0;
  return S_OK;
}
