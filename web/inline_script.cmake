# Writes OUTPUT: the page PAGE with its script tag for cube-rotation.js replaced by the
# script SCRIPT itself (built with its WebAssembly inside), so that one file is the page.
#   cmake -DPAGE=... -DSCRIPT=... -DOUTPUT=... -P inline_script.cmake
file(READ ${PAGE} page)
file(READ ${SCRIPT} script)
# Inside a script element the first "</script" ends it, whatever the JavaScript meant.
string(REPLACE "</script" "<\\/script" script "${script}")
set(tag "<script src=\"cube-rotation.js\"></script>")
string(FIND "${page}" "${tag}" at)
if(at EQUAL -1)
  message(FATAL_ERROR "${PAGE} has no ${tag}")
endif()
string(REPLACE "${tag}" "<script>\n${script}</script>" page "${page}")
file(WRITE ${OUTPUT} "${page}")
