# Registers each end-to-end case (every E2E_CASE in tests/e2e/cases_*.cpp) as the CTest test
# e2e.<case>: run_case.sh runs the cross-built driver under Wine. The cases share one desktop, so
# they run one at a time, in the order of the sources.
file(GLOB GLAZIER_E2E_CASE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/cases_*.cpp)
set(GLAZIER_E2E_PREVIOUS "")
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
    if(GLAZIER_E2E_PREVIOUS)
      set_tests_properties(e2e.${name} PROPERTIES DEPENDS ${GLAZIER_E2E_PREVIOUS})
    endif()
    set(GLAZIER_E2E_PREVIOUS e2e.${name})
  endforeach()
endforeach()
