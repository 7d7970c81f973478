// A program that imports a function Windows 7 lacks without its update KB2533623, as glazier.exe
// once did: make dist must refuse to pack it (tests/e2e/dist_zip.sh).
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  return SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) ? 0 : 1;
}
