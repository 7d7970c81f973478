# On Linux the Windows half (glazier.exe and the end-to-end programs) is a separate build with
# the MinGW-w64 toolchain, driven from this one so that one build and one CTest run cover both.
include(ExternalProject)

find_program(GLAZIER_MINGW_CXX NAMES x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-g++)
if(NOT GLAZIER_MINGW_CXX)
  message(WARNING "x86_64-w64-mingw32-g++ not found: glazier.exe and the end-to-end tests are skipped")
  return()
endif()

set(GLAZIER_WIN_DIR ${CMAKE_BINARY_DIR}/win)
ExternalProject_Add(glazier_windows
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${GLAZIER_WIN_DIR}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
    -DCMAKE_BUILD_TYPE=Release
  BUILD_ALWAYS ON
  INSTALL_COMMAND "")

include(${CMAKE_SOURCE_DIR}/tests/e2e/register.cmake OPTIONAL)
include(${CMAKE_SOURCE_DIR}/tests/win32/register.cmake OPTIONAL)
