# What the installed program brings besides its binary: the manual page, the menu entry
# and its icon, and, in its documentation folder, the licence as a Debian copyright file
# and the changelog. Debian wants the manual page and the changelog compressed, without a
# timestamp.
include(GNUInstallDirs)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/cube-rotation)

foreach(source ${PROJECT_SOURCE_DIR}/docs/cube-rotation.1 ${CMAKE_CURRENT_SOURCE_DIR}/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${name}.gz
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${source} ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz
    DEPENDS ${source} VERBATIM)
endforeach()
add_custom_target(packaging_files ALL DEPENDS cube-rotation.1.gz changelog.gz)

# The licence in Debian's machine-readable format: one paragraph for the files, one with
# the text (every line indented by a space, a blank line as " .").
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(FIND "${license}" "Permission" text_start)
string(SUBSTRING "${license}" ${text_start} -1 license_text)
string(STRIP "${license_text}" license_text)
string(REPLACE "\n\n" "\n.\n" license_text "${license_text}")
string(REPLACE "\n" "\n " license_text "${license_text}")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/copyright
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: cube-rotation

Files: *
Copyright: 2026 The cube-rotation developers
License: Expat

License: Expat
 ${license_text}
")

install(FILES ${CMAKE_CURRENT_BINARY_DIR}/cube-rotation.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES cube-rotation.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES cube-rotation.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})
