// <windows.h> for this folder. The seams have members named like Win32 calls (GetWindowText,
// MessageBox, ...), which <windows.h> defines as A/W macros; they are undefined here so the
// members keep their names, and the code calls the W functions by their full names.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// After <windows.h>:
#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>

#undef GetWindowText
#undef SetWindowText
#undef GetWindowLong
#undef SetWindowLong
#undef GetNextWindow
#undef MessageBox
#undef LoadLibrary
#undef ShellExecute
#undef GetDlgItemText
#undef SetDlgItemText
#undef LoadIcon
