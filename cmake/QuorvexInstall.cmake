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
install(FILES ${QUORVEX_PACKAGING}/man/quorvex.1 ${QUORVEX_PACKAGING}/man/quorvex-sim.1
    ${QUORVEX_PACKAGING}/man/quorvex-ncpd.1 ${QUORVEX_PACKAGING}/man/quorvex-who.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# bash-completion finds it there by the command's name, on first use.
install(FILES ${QUORVEX_PACKAGING}/completion/quorvex-who
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
