# SPDX-License-Identifier: GPL-3.0-or-later
# `make package` (cpack): build/zelk_VERSION_amd64.deb with the installed
# layout under /usr, the programs in /usr/games. Its dependencies come from
# the binaries (dpkg-shlibdeps, package dpkg-dev) and from what they use at
# run time.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Zelk developers <zelk@example.org>")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_CUSTOM_INSTALL_VARIABLES "ZELK_PROGRAMS_DIR=games")
# The faces the game draws its texts with (toolkit/paint.cpp): with others
# the counters of the game screen nearly touch.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
# Qt's French texts, the Wayland platform for desktops without XWayland, and
# xdg-open for "Lisez-moi"; the game runs without any of them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland, xdg-utils")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "platform game in French: jump on the frogs")
# The long description, in English as Debian has it (the French one is in
# the AppStream file); cpack indents it for the control file.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Zelk is a 2D platform game with a French interface. You steer a small
round hero over six platforms with the mouse: grey frogs drop from the
clouds, green frogs guard the platforms, a bird may chase you. A built-in
editor makes new levels, kept in each player's own level folder.

The package also holds velmo, a test bed for the hero's jump, and
zelk-script, which plays the game from a script without a window.")
include(CPack)
