// A stand-in for the system's DWM library: Wine's own answers E_NOTIMPL at once and never reports
// a window cloaked. Put into the Wine prefix's System32, it is loaded by the programs named in a
// DLL override (drive::UseStandInDwmapi). It answers DWMWA_CLOAKED as Windows does, S_OK and 0 for
// a shown window, and reports cloaked by the shell every window whose title holds "(cloaked)",
// for the end-to-end case of cloaked windows. A window whose title holds "(frame)" gets the frame
// bounds of Windows 10 and 11 (DWMWA_EXTENDED_FRAME_BOUNDS): its rectangle less an invisible
// border of 7 px on the left, right and bottom; any other window gets Wine's E_NOTIMPL there. A
// window whose title holds "(no answer)" gets a failed call, as while DWM restarts. make bench
// measures Glazier's refresh against it.
#include <windows.h>

#include <cwchar>

extern "C" __declspec(dllexport) HRESULT WINAPI
    DwmGetWindowAttribute(HWND hwnd, DWORD attribute, void* value, DWORD size) {
  constexpr DWORD kExtendedFrameBounds = 9;
  constexpr DWORD kCloaked = 14;
  constexpr DWORD kCloakedByTheShell = 2;
  constexpr LONG kBorder = 7;
  // The only attributes Glazier asks for; a buffer of another size is refused as Windows does.
  const bool frame = attribute == kExtendedFrameBounds && size == sizeof(RECT);
  if (value == nullptr || (!frame && (attribute != kCloaked || size != sizeof(DWORD)))) {
    return E_INVALIDARG;
  }
  // Windows keeps the cloak with the window and answers from there, which for another program's
  // window costs a call into the system. Under Wine such a question is a request to the Wine
  // server, so the stand-in asks exactly one for a cloak: the title, which also carries the rules
  // above. A window that is gone fails it with ERROR_INVALID_WINDOW_HANDLE, as Windows' answer
  // does. The title as the system keeps it: like DWM, the stand-in sends the window no message.
  wchar_t title[512] = {};
  if (InternalGetWindowText(hwnd, title, 512) == 0 && !IsWindow(hwnd)) {
    return HRESULT_FROM_WIN32(ERROR_INVALID_WINDOW_HANDLE);
  }
  if (std::wcsstr(title, L"(no answer)")) return E_FAIL;
  if (frame) {
    RECT rect = {};
    if (!std::wcsstr(title, L"(frame)")) return E_NOTIMPL;
    if (!GetWindowRect(hwnd, &rect)) return HRESULT_FROM_WIN32(GetLastError());
    *static_cast<RECT*>(value) = {rect.left + kBorder, rect.top, rect.right - kBorder,
                                  rect.bottom - kBorder};
    return S_OK;
  }
  *static_cast<DWORD*>(value) = std::wcsstr(title, L"(cloaked)") ? kCloakedByTheShell : 0;
  return S_OK;
}
