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
# Wine's DWM fails every call; the cloak checks want it to answer as Windows does. The tests run
# from beside the stand-in for it (tests/e2e/stand_in_dwmapi.cpp), which Wine then loads.
stand_in=$(dirname "$exe")/stand-in
cp "$exe" "$stand_in/"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}dwmapi=n,b"
exec wine "$stand_in/$(basename "$exe")"
