# cpack -G DEB: a Debian package of what cmake --install puts in place. Its Depends
# line is computed from the libraries the programs link (dpkg-shlibdeps, from
# dpkg-dev), so the engine's own packages (QtWebEngineProcess, its resources) come
# with the Qt WebEngine libraries. scripts/check-package builds and tries it.
set(CPACK_PACKAGE_NAME mira)
set(CPACK_PACKAGE_VENDOR "Mira developers")
set(CPACK_PACKAGE_CONTACT "${MIRA_AUTHOR_EMAIL}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "web browser whose window you design, for dashboards and wall screens")
set(CPACK_PACKAGE_DESCRIPTION
    "Mira is a desktop web browser in which you design the browser's own window: \
resizable blocks with splitters, tabbed books and any number of browser panes, each \
with its own bookmark list. A layout is kept as a configuration set file; timed \
reloads, kept copies of failed pages and a locked window make it fit for a wall \
screen left alone for days. mira-set checks and formats set files.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY mira)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Mira developers <${MIRA_AUTHOR_EMAIL}>")
set(CPACK_DEBIAN_PACKAGE_SECTION web)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MIRA_HOME_PAGE}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_GENERATOR DEB)
include(CPack)
