# The Win32 half's own tests: glazier_win32_tests.exe under Wine, in a prefix of their own.
if(NOT EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/session.sh)
  return()
endif()
add_test(NAME win32.platform
  COMMAND ${CMAKE_SOURCE_DIR}/tests/e2e/session.sh ${CMAKE_CURRENT_LIST_DIR}/run.sh
          ${GLAZIER_WIN_DIR}/glazier_win32_tests.exe)
set_tests_properties(win32.platform PROPERTIES
  LABELS win32
  TIMEOUT 300
  # Its dialogs take the focus: not while the end-to-end cases drive the desktop.
  RESOURCE_LOCK glazier_desktop
  ENVIRONMENT
    "GLAZIER_BUILD_DIR=${CMAKE_BINARY_DIR};GLAZIER_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-win32-tests")
