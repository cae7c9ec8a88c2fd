# The download for Windows users: a zip of one folder with the program, its licence,
# freeglut's licence and a short README, all text with CR LF line ends for Notepad.
# Made by: cmake --build --preset mingw --target package
set(windows_dir ${CMAKE_BINARY_DIR}/windows)
function(cube_windows_text source destination)
  file(READ ${source} text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${windows_dir}/${destination} "${text}")
endfunction()
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows-readme.txt ${windows_dir}/readme.txt @ONLY)
cube_windows_text(${windows_dir}/readme.txt README.txt)
cube_windows_text(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt)
cube_windows_text(${FREEGLUT_COPYING} freeglut-COPYING.txt)
# The program's icon (the package's, drawn at the sizes Windows asks for) and its version,
# compiled into the .exe by windres.
set(icon ${windows_dir}/cube-rotation.ico)
add_custom_command(OUTPUT ${icon}
  COMMAND rsvg-convert -w 256 -h 256 -o ${windows_dir}/icon-256.png ${CMAKE_CURRENT_SOURCE_DIR}/cube-rotation.svg
  COMMAND convert ${windows_dir}/icon-256.png -define icon:auto-resize=256,48,32,16 ${icon}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/cube-rotation.svg VERBATIM)
configure_file(${CMAKE_CURRENT_SOURCE_DIR}/windows.rc.in ${windows_dir}/cube-rotation.rc @ONLY)
set_source_files_properties(${windows_dir}/cube-rotation.rc PROPERTIES OBJECT_DEPENDS ${icon})
add_custom_target(windows-icon DEPENDS ${icon})
add_dependencies(cube-rotation windows-icon)
target_sources(cube-rotation PRIVATE ${windows_dir}/cube-rotation.rc)

install(FILES ${windows_dir}/README.txt ${windows_dir}/LICENSE.txt ${windows_dir}/freeglut-COPYING.txt
  DESTINATION .)
