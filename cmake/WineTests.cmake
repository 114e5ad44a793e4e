# Tests that run the x86_64 build under Wine. Every test program is started by
# tests/wine/wine-run.sh in a fresh copy of a template prefix, with its own HOME
# and X display inside this build tree.
set(ZR_WINE_ROOT "${CMAKE_BINARY_DIR}/wine")
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh;${ZR_WINE_ROOT}")

set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(GoogleTest)

# zr_add_wine_gtest(<target> SOURCES <...> LIBRARIES <...>)
# A GoogleTest console program, run as one test in one fresh prefix.
function(zr_add_wine_gtest target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} gtest_main gmock)
  add_test(NAME ${target} COMMAND ${target})
endfunction()

# zr_add_wine_scenarios(<target> SOURCES <...> LIBRARIES <...> [ARGS <...>])
# A GoogleTest program whose every TEST is registered as a test of its own, so
# that each scenario gets a fresh prefix. ARGS are passed after the filter.
function(zr_add_wine_scenarios target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;ARGS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} gtest_main gmock)
  gtest_add_tests(TARGET ${target} SOURCES ${ARG_SOURCES} EXTRA_ARGS ${ARG_ARGS}
                  TEST_PREFIX "${target}." TEST_LIST scenarios)
  set_tests_properties(${scenarios} PROPERTIES TIMEOUT 300)
endfunction()
