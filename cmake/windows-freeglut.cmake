# GLUT for the Windows cross build: freeglut from the source package of the Debian release
# the machine runs, fetched and built once as a static library, so that the program needs
# no DLL of it. A build tree may take another tree's (the benchmark's takes the tests').
# Defines GLUT::GLUT, OpenGL::GL and OpenGL::GLU, and FREEGLUT_COPYING (its licence).
set(CUBE_FREEGLUT_DIR ${CMAKE_BINARY_DIR}/freeglut CACHE PATH "Where freeglut for Windows is fetched and built")
set(freeglut_dir ${CUBE_FREEGLUT_DIR})
set(freeglut_lib ${freeglut_dir}/install/lib/libfreeglut_static.a)
set(FREEGLUT_COPYING ${freeglut_dir}/src/COPYING)
if(NOT EXISTS ${freeglut_lib} OR NOT EXISTS ${FREEGLUT_COPYING} OR NOT EXISTS ${freeglut_dir}/version)
  message(STATUS "Fetching Debian's freeglut source and building it for Windows")
  execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/fetch-freeglut.sh ${freeglut_dir}
    RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "The Windows build needs freeglut's source (see the message above). "
      "Install what the build needs with: bash scripts/install-deps.sh build run test")
  endif()
  # Two steps, one after the other: the COMMANDs of one execute_process run as a pipe.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${freeglut_dir}/src -B ${freeglut_dir}/build -G Ninja
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE} -DCMAKE_BUILD_TYPE=Release
      -DCMAKE_INSTALL_PREFIX=${freeglut_dir}/install -DFREEGLUT_BUILD_STATIC_LIBS=ON
      -DFREEGLUT_BUILD_SHARED_LIBS=OFF -DFREEGLUT_BUILD_DEMOS=OFF
    OUTPUT_FILE ${freeglut_dir}/configure.log ERROR_FILE ${freeglut_dir}/configure.log
    RESULT_VARIABLE failed)
  if(NOT failed)
    execute_process(COMMAND ${CMAKE_COMMAND} --build ${freeglut_dir}/build --target install
      OUTPUT_FILE ${freeglut_dir}/build.log ERROR_FILE ${freeglut_dir}/build.log
      RESULT_VARIABLE failed)
  endif()
  if(failed)
    message(FATAL_ERROR "Building freeglut for Windows failed; see ${freeglut_dir}/configure.log and build.log")
  endif()
endif()

file(READ ${freeglut_dir}/version freeglut_version)
string(STRIP "${freeglut_version}" freeglut_version)
message(STATUS "freeglut for Windows: Debian's ${freeglut_version}")

add_library(OpenGL::GL INTERFACE IMPORTED)
target_link_libraries(OpenGL::GL INTERFACE opengl32)
add_library(OpenGL::GLU INTERFACE IMPORTED)
target_link_libraries(OpenGL::GLU INTERFACE glu32)
add_library(GLUT::GLUT STATIC IMPORTED)
set_target_properties(GLUT::GLUT PROPERTIES
  IMPORTED_LOCATION ${freeglut_lib}
  INTERFACE_INCLUDE_DIRECTORIES ${freeglut_dir}/install/include
  INTERFACE_COMPILE_DEFINITIONS FREEGLUT_STATIC
  INTERFACE_LINK_LIBRARIES "OpenGL::GLU;OpenGL::GL;gdi32;winmm")
