# The Debian package: `cpack -G DEB` in a build folder (scripts/package.sh does it all).
# Its dependencies are found by dpkg-shlibdeps from the binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvane)
set(CPACK_PACKAGE_VENDOR "Kelvane developers")
set(CPACK_PACKAGE_CONTACT "${KELVANE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "keep and create the functions of an image-processing function library")
set(CPACK_PACKAGE_DESCRIPTION
    "Kelvane keeps the functions of an image-processing function library: a plain
folder tree whose top-level folders are tabs, with one small binary description
file per function. It browses the library, edits descriptions and parameters,
and creates new functions with a wizard that also writes a DLL project from a
skeleton.
.
kelvane-cli reads, checks and edits the same library from a terminal. A sample
library is included.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${KELVANE_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KELVANE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${KELVANE_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Added to what dpkg-shlibdeps finds: the window cannot start without a platform plugin,
# which Qt's libraries only recommend.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# xdg-open starts the file manager and the development environment; the interface's
# Korean texts need a Korean font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-nanum | fonts-noto-cjk")

include(CPack)
