# add_page(): a web page of the program's kind, for the page itself (web/) and the
# benchmark's bare page (bench/), which include this file where they use it.
include_guard(GLOBAL)

# A page in `folder` (index.html, its scripts, cube-rotation.js and .wasm) and the same page
# as the single file `html`, also copied into `folder` so that one server offers both, all
# built from SOURCES and linked with LIBS. The program is
# linked as a factory, createCubeRotation(options), which page.js calls: classic scripts,
# since a page opened from the disk may not load a module.
#   add_page(target folder html SOURCES ... LIBS ...)
function(add_page target folder html)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  # The page's own scripts, in the order index.html loads them after the program's, one
  # concern each: the console pane, the number tables, the picture's overlay, the check of
  # a prediction, and the wiring that starts the program.
  set(page_scripts console_pane.js numbers.js picture.js check.js page.js)
  set(web ${PROJECT_SOURCE_DIR}/web)
  foreach(kind multi single)
    set(name ${target})
    set(out ${folder})
    if(kind STREQUAL single)
      set(name ${target}-single)
      set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}-single)
    endif()
    add_executable(${name} ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/web/page_streams.cpp)
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE ${CUBE_WEB_LINK_OPTIONS} -sENVIRONMENT=web
      -sMODULARIZE=1 -sEXPORT_NAME=createCubeRotation -sEXPORTED_RUNTIME_METHODS=ccall $<$<STREQUAL:${kind},single>:-sSINGLE_FILE=1>)
    set_target_properties(${name} PROPERTIES
      OUTPUT_NAME cube-rotation
      SUFFIX .js
      RUNTIME_OUTPUT_DIRECTORY ${out})
  endforeach()
  configure_file(${web}/index.html ${folder}/index.html COPYONLY)
  set(scripts "cube-rotation.js=${CMAKE_CURRENT_BINARY_DIR}/${target}-single/cube-rotation.js")
  set(depends ${web}/index.html ${web}/inline_script.cmake)
  foreach(script IN LISTS page_scripts)
    configure_file(${web}/${script} ${folder}/${script} COPYONLY)
    list(APPEND scripts "${script}=${web}/${script}")
    list(APPEND depends ${web}/${script})
  endforeach()
  add_custom_command(TARGET ${target}-single POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DPAGE=${web}/index.html -DOUTPUT=${html} "-DSCRIPTS=${scripts}"
            -P ${web}/inline_script.cmake
    COMMAND ${CMAKE_COMMAND} -E copy ${html} ${folder}/
    VERBATIM)
  set_property(TARGET ${target}-single APPEND PROPERTY LINK_DEPENDS ${depends})
endfunction()
