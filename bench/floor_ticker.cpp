// glazier_bench_floor.exe READY GO: the floor loop once a second, as a list that refreshes
// every second would run it at the least. Sets the named event READY once started, waits for
// GO, then makes one pass half a second later and every second after that until it is ended;
// the driver measures its CPU time between two samples a whole number of seconds apart.
#include <windows.h>

#include "bench/floor.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (__argc < 3) return 2;
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, __wargv[1]);
  HANDLE go = OpenEventW(SYNCHRONIZE, FALSE, __wargv[2]);
  if (!ready || !go) return 2;
  SetEvent(ready);
  WaitForSingleObject(go, INFINITE);

  // Passes are timed from GO, not from the end of the previous pass, so they do not drift.
  const ULONGLONG start = GetTickCount64();
  for (ULONGLONG pass = 0;; ++pass) {
    const ULONGLONG due = start + 500 + pass * 1000;
    const ULONGLONG now = GetTickCount64();
    if (due > now) Sleep(static_cast<DWORD>(due - now));
    bench::FloorPass();
  }
}
