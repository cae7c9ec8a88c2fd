# The native build's own suite: the real program end to end on virtual X servers, the
# viewer in a real GL context, one run under memcheck, the fuzz run and the package check.

# End-to-end: the real program on a virtual X server of each test's own. The Windows build
# runs the prompt and WindowsProgram cases of this harness on its .exe.
cube_unit_test(e2e_tests WINDOWED
  SOURCES e2e/console_test.cpp e2e/window_test.cpp e2e/call_stream_test.cpp e2e/windows_test.cpp
  LIBS testkit
  FILTER -WindowsProgram.*)
target_compile_definitions(e2e_tests PRIVATE CUBE_CONSOLE_INPUTS="${CMAKE_CURRENT_SOURCE_DIR}/inputs/console"
  CUBE_ROTATION_PATH="$<TARGET_FILE:cube-rotation>")
add_dependencies(e2e_tests cube-rotation)

cube_unit_test(viewer_tests WINDOWED
  SOURCES viewer/viewer_test.cpp
  LIBS viewer app_core testkit GLUT::GLUT OpenGL::GL)

# One build runs the program under memcheck (valgrind 3.19 cannot read clang 14's DWARF 5,
# nor run a sanitized program).
if(CUBE_MEMCHECK)
  cube_unit_test(e2e_valgrind_tests WINDOWED
    SOURCES e2e/valgrind_test.cpp
    LIBS testkit)
  target_compile_definitions(e2e_valgrind_tests PRIVATE
    CUBE_ROTATION_PATH="$<TARGET_FILE:cube-rotation>"
    VALGRIND_SUPPRESSIONS="${CMAKE_CURRENT_SOURCE_DIR}/e2e/valgrind.supp")
  add_dependencies(e2e_valgrind_tests cube-rotation)
endif()

# The whole dialogue under libFuzzer, for a fixed number of runs from the seed corpus. New
# inputs go to the build tree, never into the repository's corpus.
if(CUBE_FUZZ)
  add_executable(dialogue_fuzz fuzz/dialogue_fuzz.cpp)
  target_include_directories(dialogue_fuzz PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(dialogue_fuzz PRIVATE app_core)
  target_link_options(dialogue_fuzz PRIVATE -fsanitize=fuzzer)
  # From its seeds the run reaches, within its first 10,000 inputs, every edge that 100,000
  # reach; scripts/fuzz.sh makes the long runs.
  set(CUBE_FUZZ_RUNS 20000 CACHE STRING "Inputs the fuzz test tries")
  set(fuzz_dir ${CMAKE_CURRENT_BINARY_DIR}/fuzz)
  file(MAKE_DIRECTORY ${fuzz_dir}/corpus)
  add_test(NAME DialogueFuzz.FixedRunFromSeeds
    COMMAND dialogue_fuzz -runs=${CUBE_FUZZ_RUNS} -seed=1 -max_len=4096 -artifact_prefix=${fuzz_dir}/
            ${fuzz_dir}/corpus ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus ${CMAKE_CURRENT_SOURCE_DIR}/inputs/console)
  set_tests_properties(DialogueFuzz.FixedRunFromSeeds PROPERTIES
    ENVIRONMENT "${LEAKS_ON};${SANITIZER_ENV}")
endif()

if(NOT CUBE_SANITIZE)
  add_test(NAME Package.DebPassesLintianAndHoldsAWorkingProgram
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package/deb_test.sh ${PROJECT_BINARY_DIR})
endif()

# What the repository promises of itself, checked by one build (the test preset): one
# configure is the configure, and every command the documents give is known, and on a
# fresh clone of the committed tree the quick ones run as written and the long ones'
# presets configure (the release command runs those as written too).
if(CUBE_REPOSITORY_CHECKS)
  add_test(NAME Build.ASecondConfigureChangesNothing
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/build/configure_twice.sh ${PROJECT_SOURCE_DIR})
  add_test(NAME Docs.EveryCommandIsKnownAndTheQuickOnesRunOnAFreshClone
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/docs/documented_commands.sh ${PROJECT_SOURCE_DIR})
  set_tests_properties(Docs.EveryCommandIsKnownAndTheQuickOnesRunOnAFreshClone PROPERTIES TIMEOUT 1800)
endif()

# The native camera applied to the native scene, for the page's corner positions.
add_executable(camera_dump exactness/camera_dump.cpp)
target_include_directories(camera_dump PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(camera_dump PRIVATE app_core viewer GLUT::GLUT OpenGL::GLU OpenGL::GL)
