# SPDX-License-Identifier: GPL-3.0-or-later
# Installs Quorvex as a desktop program under the GNU directories. The program
# directory, <prefix>/share/quorvex once installed, gets the files that the build
# tree holds beside the executable (faq.fil and demo/, copied there by the
# folders that own them).

set(QUORVEX_APP_ID io.github.quorvex.Quorvex)
set(QUORVEX_PROGRAM_DATA_DIR ${CMAKE_INSTALL_DATADIR}/quorvex)
set(QUORVEX_DATA_SOURCE ${PROJECT_SOURCE_DIR}/data)
set(QUORVEX_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(QUORVEX_ICONS ${PROJECT_SOURCE_DIR}/src/app/icons)

# faq.fil lies either in data/ or with the demo in data/demo/; the install takes
# whichever exists at install time (data/faq.fil wins when both do), so adding
# either later needs no new configure run.
install(FILES ${QUORVEX_DATA_SOURCE}/demo/faq.fil DESTINATION ${QUORVEX_PROGRAM_DATA_DIR}
    OPTIONAL)
install(FILES ${QUORVEX_DATA_SOURCE}/faq.fil DESTINATION ${QUORVEX_PROGRAM_DATA_DIR} OPTIONAL)
install(DIRECTORY ${QUORVEX_DATA_SOURCE}/demo/ DESTINATION ${QUORVEX_PROGRAM_DATA_DIR}/demo
    OPTIONAL)

install(FILES ${QUORVEX_PACKAGING}/${QUORVEX_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QUORVEX_PACKAGING}/${QUORVEX_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${QUORVEX_ICONS}/quorvex.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${QUORVEX_ICONS}/png/quorvex-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
        RENAME quorvex.png)
endforeach()
# Man pages and the Debian changelog are installed compressed with `gzip -9n`
# (no name or time in the header, so the same text gives the same bytes), as
# Debian's policy asks and man(1) reads them.
find_program(QUORVEX_GZIP gzip REQUIRED)
function(quorvex_gzip source output) # output: the plain file's path with .gz
    string(REGEX REPLACE "\\.gz$" "" plain ${output})
    get_filename_component(dir ${output} DIRECTORY)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
        COMMAND ${QUORVEX_GZIP} -9n -f ${plain}
        DEPENDS ${source}
        COMMENT "Compressing ${output}"
        VERBATIM)
endfunction()

set(QUORVEX_COMPRESSED)
foreach(page quorvex.1 quorvex-sim.1 quorvex-ncpd.1 quorvex-who.1)
    quorvex_gzip(${QUORVEX_PACKAGING}/man/${page} ${CMAKE_BINARY_DIR}/man/${page}.gz)
    list(APPEND QUORVEX_COMPRESSED ${CMAKE_BINARY_DIR}/man/${page}.gz)
    install(FILES ${CMAKE_BINARY_DIR}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

set(QUORVEX_DEBIAN_SOURCE ${QUORVEX_PACKAGING}/debian)
set(QUORVEX_DEBIAN_BINARY ${CMAKE_BINARY_DIR}/debian)
quorvex_gzip(${QUORVEX_DEBIAN_SOURCE}/changelog ${QUORVEX_DEBIAN_BINARY}/changelog.Debian.gz)
list(APPEND QUORVEX_COMPRESSED ${QUORVEX_DEBIAN_BINARY}/changelog.Debian.gz)
add_custom_target(quorvex_compressed_docs ALL DEPENDS ${QUORVEX_COMPRESSED})
# bash-completion finds it there by the command's name, on first use.
install(FILES ${QUORVEX_PACKAGING}/completion/quorvex-who
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
