# `make package` (cpack): build/zelk_VERSION_amd64.deb with the installed
# layout under /usr. Its dependencies come from the binaries (dpkg-shlibdeps,
# package dpkg-dev).
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
# Qt's French texts, and the Wayland platform for desktops without XWayland;
# the game runs without either.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, qt6-wayland")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "platform game: jump on the frogs / jeu de plates-formes")
# The long description; cpack indents it for the control file.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Zelk is a 2D platform game with a French interface. You steer a small
round hero over six platforms with the mouse: grey frogs drop from the
clouds, green frogs guard the platforms, a bird may chase you. A built-in
editor makes new levels, kept in each player's own level folder.

Zelk est un jeu de plates-formes en 2D, en français. Vous guidez un petit
héros tout rond sur six plates-formes à la souris : des grenouilles grises
tombent des nuages, des grenouilles vertes gardent les plates-formes, un
oiseau peut vous poursuivre. Un éditeur intégré crée de nouveaux niveaux,
rangés dans le dossier de niveaux de chaque joueur.

The package also holds velmo, a test bed for the hero's jump, and
zelk-script, which plays the game from a script without a window.")
include(CPack)
