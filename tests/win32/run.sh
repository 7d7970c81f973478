#!/usr/bin/env bash
# Runs the Win32 half's tests under Wine, inside a session (tests/e2e/session.sh), which the
# CTest registration provides.
#
#   tests/e2e/session.sh tests/win32/run.sh build/win/glazier_win32_tests.exe
set -euo pipefail

exe=${1:?usage: run.sh path/to/glazier_win32_tests.exe}
# Without a window manager Wine waits up to two seconds for each managed top-level window it
# hides, and these tests open many dialogs; unmanaged windows do not wait.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
# Wine's DWM fails every call; the cloak checks want it to answer as Windows does. The stand-in
# for it (tests/e2e/stand_in_dwmapi.cpp) goes where Glazier looks for the system's libraries, the
# prefix's System32, and is preferred to Wine's own for this program alone.
cp "$(dirname "$exe")/stand-in/dwmapi.dll" "$WINEPREFIX/drive_c/windows/system32/dwmapi.dll"
wine reg add 'HKCU\Software\Wine\DllOverrides' /v dwmapi /t REG_SZ /d builtin /f >/dev/null 2>&1
wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$(basename "$exe")\\DllOverrides" /v dwmapi \
  /t REG_SZ /d native,builtin /f >/dev/null 2>&1
exec wine "$exe"
