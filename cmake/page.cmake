# add_page(): a web page of the program's kind, for the page itself (web/) and the
# benchmark's bare page (bench/), which include this file where they use it.
include_guard(GLOBAL)

# The page's modules, bundled by esbuild (web/package.json, installed by npm ci from its
# lock) into the one classic script that the page loads: a page opened from the disk may
# not load modules.
# (Cached, so that every folder that includes this file sees them, though it runs once.)
set(CUBE_PAGE_MODULES check.js console_pane.js float_text.js glosses.js grading.js homework.js homework_results.js
    homework_view.js language.js lms_package.js messages.js motion.js number_tables.js overlay_marks.js page.js picture.js
    print_sheet.js scorm.js task_link.js teacher_view.js CACHE INTERNAL "The page's modules")
set(web_tools ${PROJECT_SOURCE_DIR}/web)
execute_process(COMMAND bash -c "source scripts/lib.sh && npm_tools web" WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
  RESULT_VARIABLE npm_status)
if(NOT npm_status EQUAL 0)
  message(FATAL_ERROR "npm ci of web/package-lock.json failed (npm comes with Debian's npm package: bash scripts/install-deps.sh web)")
endif()
set(CUBE_ESBUILD ${web_tools}/node_modules/.bin/esbuild CACHE INTERNAL "The page's bundler")

# A page in `folder` (index.html, page.js, cube-rotation.js and .wasm) and the same page as
# the single file `html`, also copied into `folder` so that one server offers both, all
# built from SOURCES and linked with LIBS; each under a Content-Security-Policy that
# assemble_page.mjs writes from the final text. The program is linked as a factory,
# createCubeRotation(options), which page.js calls; the single file carries the .wasm as
# data, which page.js hands to it.
#   add_page(target folder html SOURCES ... LIBS ...)
function(add_page target folder html)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  set(web ${PROJECT_SOURCE_DIR}/web)
  add_executable(${target} ${ARG_SOURCES} ${web}/page_streams.cpp)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS})
  target_link_options(${target} PRIVATE ${CUBE_WEB_LINK_OPTIONS} -sENVIRONMENT=web
    -sMODULARIZE=1 -sEXPORT_NAME=createCubeRotation -sEXPORTED_RUNTIME_METHODS=ccall)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME cube-rotation
    SUFFIX .js
    RUNTIME_OUTPUT_DIRECTORY ${folder})
  list(TRANSFORM CUBE_PAGE_MODULES PREPEND ${web}/ OUTPUT_VARIABLE modules)
  set(bundle ${CMAKE_CURRENT_BINARY_DIR}/${target}-bundle/page.js)
  add_custom_command(OUTPUT ${bundle}
    COMMAND ${CUBE_ESBUILD} ${web}/page.js --bundle --format=iife --minify --target=es2022 --log-level=warning
            --outfile=${bundle}
    COMMAND ${CMAKE_COMMAND} -E copy ${bundle} ${folder}/page.js
    DEPENDS ${modules} ${web}/package-lock.json
    VERBATIM)
  add_custom_target(${target}-bundle DEPENDS ${bundle})
  add_dependencies(${target} ${target}-bundle)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND node ${web}/assemble_page.mjs ${web}/index.html ${folder}/cube-rotation.js ${folder}/cube-rotation.wasm
            ${bundle} ${folder}/index.html ${html}
    COMMAND ${CMAKE_COMMAND} -E copy ${html} ${folder}/
    VERBATIM)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${web}/index.html ${web}/assemble_page.mjs ${bundle})
endfunction()
