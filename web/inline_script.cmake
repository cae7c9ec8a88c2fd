# Writes OUTPUT: the page PAGE with each script tag that loads a file of SCRIPTS (a list of
# NAME=PATH) replaced by that script itself, so that one file is the page.
#   cmake -DPAGE=... -DSCRIPTS="cube-rotation.js=...;page.js=..." -DOUTPUT=... -P inline_script.cmake
file(READ ${PAGE} page)
foreach(entry IN LISTS SCRIPTS)
  string(REGEX MATCH "^([^=]+)=(.*)$" matched "${entry}")
  set(name ${CMAKE_MATCH_1})
  file(READ ${CMAKE_MATCH_2} script)
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
