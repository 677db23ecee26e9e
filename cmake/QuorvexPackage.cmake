# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in the build directory writes
# quorvex_<version>-1_<arch>.deb, installable with `apt-get install ./quorvex_*.deb`.

set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR "The Quorvex developers")
set(CPACK_PACKAGE_CONTACT "The Quorvex developers <support@quorvex.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "see who has a file on a NetWare server open")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvex asks a NetWare file server which connections have a file open and
lists those users with their details: connection and task numbers, how the
file was opened, their rights, locks, login times and station addresses. From
the list it sends messages, clears connections and locks, prints and copies
reports, rescans on a timer with notification, an activity log and automatic
clearing, and runs unattended command-line jobs.

A simulated server, a demo set up on first start and the quorvex-sim tool let
it be tried without a NetWare server.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.quorvex.example/")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared libraries come from dpkg-shlibdeps; what Qt loads at run time does
# not show there: the platform plugins (xcb on the desktop, offscreen for the
# headless jobs) and the fonts asked for by name.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
# xdg-open shows faq.fil and finds the browser; the tray needs a desktop that has one.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# The package's own documents: the copyright file and the Debian changelog, in
# the package's doc directory under the prefix it installs to.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
configure_file(${PROJECT_SOURCE_DIR}/cmake/QuorvexDebianDocs.cmake.in
    ${QUORVEX_DEBIAN_BINARY}/install_debian_docs.cmake @ONLY)
set(CPACK_INSTALL_SCRIPTS ${QUORVEX_DEBIAN_BINARY}/install_debian_docs.cmake)

include(CPack)
