# Registers each end-to-end case (every CASE in tests/e2e/cases_*.cpp) as the CTest test
# e2e.<case>: run_case.sh runs the cross-built driver under Wine. The cases share one desktop, so
# they run one at a time, in the order of the sources.
file(GLOB GLAZIER_CASE_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/cases_*.cpp)
set(GLAZIER_E2E_PREVIOUS "")

# A prefix of the cases' own, prepared once, on a display of its own, by the fixture
# e2e.prefix_<name>; the cases that need it require glazier_<name>.
function(glazier_prefix_fixture name environment)
  add_test(NAME e2e.prefix_${name}
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=GLAZIER_SESSION
            ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/session.sh true)
  set_tests_properties(e2e.prefix_${name} PROPERTIES
    LABELS e2e
    TIMEOUT 600
    FIXTURES_SETUP glazier_${name}
    RESOURCE_LOCK glazier_desktop
    ENVIRONMENT "${environment}")
endfunction()

# The cases of cases_dpi.cpp run on a 144-DPI screen: a prefix of their own, prepared once by the
# fixture e2e.prefix_dpi144 (run_case.sh gives such a prefix a display of its own too).
set(GLAZIER_E2E_DPI_PREFIX ${CMAKE_BINARY_DIR}/wineprefix-dpi144)
set(GLAZIER_E2E_DPI_ENVIRONMENT "GLAZIER_WINEPREFIX=${GLAZIER_E2E_DPI_PREFIX};GLAZIER_DPI=144")
glazier_prefix_fixture(dpi144 "GLAZIER_BUILD_DIR=${CMAKE_BINARY_DIR};${GLAZIER_E2E_DPI_ENVIRONMENT}")

foreach(source IN LISTS GLAZIER_CASE_SOURCES)
  # A new case in a source must register a new test.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
  file(STRINGS ${source} GLAZIER_E2E_LINES REGEX "^CASE\\([A-Za-z0-9_]+\\)")
  foreach(line IN LISTS GLAZIER_E2E_LINES)
    string(REGEX REPLACE "^CASE\\(([A-Za-z0-9_]+)\\).*" "\\1" name "${line}")
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

# The cases of cases_restore.cpp run once more under each window manager, as users run Glazier:
# on a display of their own with openbox, then twm, each in a prefix of its own without a virtual
# desktop, prepared once by the fixture e2e.prefix_<manager>.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/cases_restore.cpp GLAZIER_E2E_LINES
  REGEX "^CASE\\([A-Za-z0-9_]+\\)")
foreach(manager IN ITEMS openbox twm)
  set(environment
    "GLAZIER_BUILD_DIR=${CMAKE_BINARY_DIR}" "GLAZIER_WIN_DIR=${GLAZIER_WIN_DIR}"
    "GLAZIER_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-${manager}" "GLAZIER_WM=${manager}")
  glazier_prefix_fixture(${manager} "${environment}")
  foreach(line IN LISTS GLAZIER_E2E_LINES)
    string(REGEX REPLACE "^CASE\\(([A-Za-z0-9_]+)\\).*" "\\1" name "${line}")
    add_test(NAME e2e.${manager}.${name} COMMAND ${CMAKE_CURRENT_LIST_DIR}/run_case.sh ${name})
    set_tests_properties(e2e.${manager}.${name} PROPERTIES
      LABELS e2e
      TIMEOUT 180
      FIXTURES_REQUIRED glazier_${manager}
      RESOURCE_LOCK glazier_desktop
      ENVIRONMENT "${environment}")
  endforeach()
endforeach()

# The case of cases_face.cpp runs in the prepared prefix above, and again in three prefixes that
# nobody prepared for the dialogs' face, as a user's are: Japanese locale at 96 and at 144 DPI,
# English locale at 96 DPI. Each is made once by a fixture of its own.
function(glazier_fresh_prefix_case tag lang dpi)
  set(environment
    "GLAZIER_BUILD_DIR=${CMAKE_BINARY_DIR};GLAZIER_WIN_DIR=${GLAZIER_WIN_DIR}"
    "GLAZIER_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-fresh-${tag};GLAZIER_FONTS=none"
    "GLAZIER_LANG=${lang};GLAZIER_DPI=${dpi};GLAZIER_FACE_TAG=fresh-${tag}")
  glazier_prefix_fixture(fresh_${tag} "${environment}")
  add_test(NAME e2e.fresh_${tag}.panel_is_whole_in_any_face
    COMMAND ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/run_case.sh panel_is_whole_in_any_face)
  set_tests_properties(e2e.fresh_${tag}.panel_is_whole_in_any_face PROPERTIES
    LABELS e2e
    TIMEOUT 120
    FIXTURES_REQUIRED glazier_fresh_${tag}
    RESOURCE_LOCK glazier_desktop
    ENVIRONMENT "${environment}")
endfunction()
glazier_fresh_prefix_case(ja96 ja_JP.UTF-8 96)
glazier_fresh_prefix_case(ja144 ja_JP.UTF-8 144)
glazier_fresh_prefix_case(en96 en_US.UTF-8 96)

# make dist's zip, checked against this build: its glazier.exe (started under Wine from the
# unpacked zip with the case controls_and_pages), its README.txt, and a second make dist alike.
add_test(NAME dist.zip COMMAND ${CMAKE_CURRENT_LIST_DIR}/dist_zip.sh)
set_tests_properties(dist.zip PROPERTIES
  LABELS dist
  TIMEOUT 180
  RESOURCE_LOCK glazier_desktop
  ENVIRONMENT "GLAZIER_BUILD_DIR=${CMAKE_BINARY_DIR}")
