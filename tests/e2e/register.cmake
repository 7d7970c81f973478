# Registers each end-to-end case (every E2E_CASE in tests/e2e/cases_*.cpp) as the CTest test
# e2e.<case>: run_case.sh runs the cross-built driver under Wine. The cases share one desktop, so
# they run one at a time, in the order of the sources.
file(GLOB GLAZIER_E2E_CASE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/cases_*.cpp)
set(GLAZIER_E2E_PREVIOUS "")

# The cases of cases_dpi.cpp run on a 144-DPI screen: a prefix of their own, prepared once by the
# fixture e2e.prefix_dpi144 (run_case.sh gives such a prefix a display of its own too).
set(GLAZIER_E2E_DPI_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-dpi144)
set(GLAZIER_E2E_DPI_ENVIRONMENT "GLAZIER_WINEPREFIX=${GLAZIER_E2E_DPI_PREFIX};GLAZIER_DPI=144")
add_test(NAME e2e.prefix_dpi144
  COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=GLAZIER_SESSION
          ${CMAKE_CURRENT_LIST_DIR}/session.sh true)
set_tests_properties(e2e.prefix_dpi144 PROPERTIES
  LABELS e2e
  TIMEOUT 600
  FIXTURES_SETUP glazier_dpi144
  RESOURCE_LOCK glazier_desktop
  ENVIRONMENT "GLAZIER_BUILD_DIR=${CMAKE_BINARY_DIR};${GLAZIER_E2E_DPI_ENVIRONMENT}")

foreach(source IN LISTS GLAZIER_E2E_CASE_SOURCES)
  # A new case in a source must register a new test.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(STRINGS ${source} GLAZIER_E2E_LINES REGEX "^E2E_CASE\\([A-Za-z0-9_]+\\)")
  foreach(line IN LISTS GLAZIER_E2E_LINES)
    string(REGEX REPLACE "^E2E_CASE\\(([A-Za-z0-9_]+)\\).*" "\\1" name "${line}")
    add_test(NAME e2e.${name} COMMAND ${CMAKE_CURRENT_LIST_DIR}/run_case.sh ${name})
    set_tests_properties(e2e.${name} PROPERTIES
      LABELS e2e
      TIMEOUT 120
      RESOURCE_LOCK glazier_desktop
      ENVIRONMENT "GLAZIER_BUILD_DIR=${CMAKE_BINARY_DIR};GLAZIER_WIN_DIR=${GLAZIER_WIN_DIR}")
    if(source MATCHES "/cases_dpi\\.cpp$")
      set_property(TEST e2e.${name} APPEND PROPERTY ENVIRONMENT ${GLAZIER_E2E_DPI_ENVIRONMENT})
      set_tests_properties(e2e.${name} PROPERTIES FIXTURES_REQUIRED glazier_dpi144)
    endif()
    if(GLAZIER_E2E_PREVIOUS)
      set_tests_properties(e2e.${name} PROPERTIES DEPENDS ${GLAZIER_E2E_PREVIOUS})
    endif()
    set(GLAZIER_E2E_PREVIOUS e2e.${name})
  endforeach()
endforeach()

# Opening 10,050 windows takes Wine most of a minute by itself.
if(TEST e2e.more_windows_than_the_list_holds)
  set_tests_properties(e2e.more_windows_than_the_list_holds PROPERTIES TIMEOUT 300)
endif()
