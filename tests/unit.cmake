# GoogleTest, the helper that makes one test program per folder, and the unit tests, which
# every build but the page's runs.

# GoogleTest from a source tree where no build of it fits the target (a cross-compiler's).
set(CUBE_GTEST_SOURCE "" CACHE PATH "GoogleTest sources to build with the tests; empty: the installed GoogleTest")
if(CUBE_GTEST_SOURCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${CUBE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

# Sanitizer settings for the tests and the programs they start. Mesa and X11 keep some of
# their allocations to the end, so leak detection is off only where a window is opened
# (WINDOWED); apitrace preloads its wrapper ahead of the sanitizer runtime, which is fine.
set(SANITIZER_ENV "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1")
set(LEAKS_ON "ASAN_OPTIONS=halt_on_error=1:detect_leaks=1")
set(LEAKS_OFF "ASAN_OPTIONS=halt_on_error=1:detect_leaks=0:verify_asan_link_order=0")

# One executable per folder; every test runs in a process of its own, so the process-wide
# scene starts empty in each. Each test is found by listing the program's own tests, so no
# name can go stale.
function(cube_unit_test name)
  cmake_parse_arguments(ARG "WINDOWED" "FILTER" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  if(ARG_WINDOWED)
    set(asan ${LEAKS_OFF})
  else()
    set(asan ${LEAKS_ON})
  endif()
  if(ARG_FILTER)
    set(filter TEST_FILTER ${ARG_FILTER})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 ${filter}
    PROPERTIES ENVIRONMENT "${asan};${SANITIZER_ENV}")
endfunction()

cube_unit_test(geometry_tests
  SOURCES geometry/matrix_test.cpp
  LIBS geometry)

cube_unit_test(scene_tests
  SOURCES scene/scene_test.cpp
  LIBS scene)

cube_unit_test(app_tests
  SOURCES app/cube_test.cpp app/number_reader_test.cpp app/dialogue_test.cpp app/motion_test.cpp
  LIBS app_core)
target_compile_definitions(app_tests PRIVATE CUBE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
