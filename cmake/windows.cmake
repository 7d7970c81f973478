# glazier.exe: one statically linked executable.
enable_language(RC)

# The Win32 half of the platform layer, shared by glazier.exe and its Win32 tests.
file(GLOB GLAZIER_WIN32_SOURCES CONFIGURE_DEPENDS platform/win32/*.cpp)
list(REMOVE_ITEM GLAZIER_WIN32_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/main.cpp)
add_library(glazier_win32 STATIC ${GLAZIER_WIN32_SOURCES})
target_link_libraries(glazier_win32 PUBLIC glazier_core comctl32 gdi32 user32)
target_compile_definitions(glazier_win32 PUBLIC UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)

if(MINGW)
  set_source_files_properties(res/glazier.rc PROPERTIES COMPILE_FLAGS "-c 65001")
endif()

add_executable(glazier WIN32 platform/win32/main.cpp res/glazier.rc)
target_link_libraries(glazier PRIVATE glazier_win32)

# Tests of the Win32 half on real windows, run under Wine (tests/win32/register.cmake).
file(GLOB GLAZIER_WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*.cpp tests/common/*.cpp)
add_executable(glazier_win32_tests ${GLAZIER_WIN32_TEST_SOURCES} res/glazier.rc)
target_link_libraries(glazier_win32_tests PRIVATE glazier_win32)

foreach(program glazier glazier_win32_tests)
  if(MINGW)
    # Static, and without the static runtime's debug sections in a release. No link time in the
    # header either: the same sources link to the same bytes, so a release can be checked
    # against the build that was tested.
    target_link_options(${program} PRIVATE -static -municode -Wl,--no-insert-timestamp
                                           $<$<CONFIG:Release>:-s>)
  else()
    target_sources(${program} PRIVATE res/glazier.manifest)
  endif()
endforeach()
# The libraries Windows loads for glazier.exe's imports are looked for in System32 alone, as those
# it loads itself are (the load configuration's DependentLoadFlags, LOAD_LIBRARY_SEARCH_SYSTEM32).
# GNU ld writes no load configuration: a MinGW build goes without, and imports known DLLs only.
if(MSVC)
  target_link_options(glazier PRIVATE /DEPENDENTLOADFLAG:0x800)
endif()

if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/tests/e2e/CMakeLists.txt)
  add_subdirectory(tests/e2e)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/bench/CMakeLists.txt)
  add_subdirectory(bench)
endif()
