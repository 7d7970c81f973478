# glazier.exe: one statically linked executable.
enable_language(RC)
file(GLOB GLAZIER_WIN32_SOURCES CONFIGURE_DEPENDS platform/win32/*.cpp)
add_executable(glazier WIN32 ${GLAZIER_WIN32_SOURCES} res/glazier.rc)
target_link_libraries(glazier PRIVATE glazier_core comctl32 winmm shell32 gdi32 user32)
target_compile_definitions(glazier PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
if(MINGW)
  target_link_options(glazier PRIVATE -static -municode)
  set_source_files_properties(res/glazier.rc PROPERTIES COMPILE_FLAGS "-c 65001")
else()
  target_sources(glazier PRIVATE res/glazier.manifest)
endif()

add_subdirectory(tests/e2e)
