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
install(FILES ${windows_dir}/README.txt ${windows_dir}/LICENSE.txt ${windows_dir}/freeglut-COPYING.txt
  DESTINATION .)
