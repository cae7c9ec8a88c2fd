# Writes OUTPUT: the page PAGE with each script tag that loads a file of SCRIPTS (a list of
# NAME=PATH) replaced by that script itself, so that one file is the page. The program's
# script is built with its WebAssembly inside; the page's own scripts come without their
# comment lines.
#   cmake -DPAGE=... -DSCRIPTS="cube-rotation.js=...;page.js=..." -DOUTPUT=... -P inline_script.cmake
file(READ ${PAGE} page)
foreach(entry IN LISTS SCRIPTS)
  string(REGEX MATCH "^([^=]+)=(.*)$" matched "${entry}")
  set(name ${CMAKE_MATCH_1})
  file(READ ${CMAKE_MATCH_2} script)
  if(NOT name STREQUAL "cube-rotation.js")
    # The page's own scripts are written for people to read; their comment lines (the
    # linter's /* ... */ lines too) and indentation need not travel in the one file (no
    # string of theirs spans lines).
    string(PREPEND script "\n")
    string(REGEX REPLACE "\n[ \t]*//[^\n]*" "" script "${script}")
    string(REGEX REPLACE "\n/[*][^\n]*[*]/" "" script "${script}")
    string(REGEX REPLACE "\n[ \t]+" "\n" script "${script}")
  endif()
  # Inside a script element the first "</script" ends it, whatever the JavaScript meant.
  string(REPLACE "</script" "<\\/script" script "${script}")
  set(tag "<script src=\"${name}\"></script>")
  string(FIND "${page}" "${tag}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "${PAGE} has no ${tag}")
  endif()
  string(REPLACE "${tag}" "<script>\n${script}</script>" page "${page}")
endforeach()
file(WRITE ${OUTPUT} "${page}")
