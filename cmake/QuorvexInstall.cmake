# Installs Quorvex as a desktop program under the GNU directories and lays the
# files shipped with it beside the executable in the build tree, so that the
# program directory (the executable's directory in a build tree,
# <prefix>/share/quorvex once installed) holds the same files either way.

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
install(FILES ${QUORVEX_PACKAGING}/man/quorvex.1 ${QUORVEX_PACKAGING}/man/quorvex-sim.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The build tree's program directory is the top of the build tree. The links are
# checked on every build, since the data may appear after the configure run.
add_custom_target(quorvex_program_data ALL
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${QUORVEX_DATA_SOURCE} -DTARGET=${CMAKE_BINARY_DIR}
        -P ${PROJECT_SOURCE_DIR}/cmake/QuorvexStageData.cmake
    COMMENT "Linking faq.fil and the demo into the build tree's program directory"
    VERBATIM)
add_dependencies(quorvex quorvex_program_data)
