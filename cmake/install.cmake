# SPDX-License-Identifier: GPL-3.0-or-later
# The installed layout, for any prefix P (`cmake --install build --prefix P`):
#   P/bin/                   zelk, velmo, zelk-script (P/games/ in the Debian
#                            package, as Debian keeps its games)
#   P/share/zelk/            pictures, sounds, texts and the sample levels; the
#                            programs find it from their own place (../share/zelk);
#                            solutions/ holds a winning replay of each sample level
#   P/share/applications/    the desktop entries of zelk and velmo
#   P/share/icons/hicolor/   their icons, as SVG and as PNGs of 16 to 256 pixels
#   P/share/metainfo/        the game's AppStream description
#   P/share/mime/packages/   the types of its files (levels, replays)
#   P/share/man/man6/        the manual pages, in English; in French in
#   P/share/man/fr/man6/
#   P/share/doc/zelk/        copyright (machine-readable) and changelog
include(GNUInstallDirs)

# The programs' folder is read when installing, so that the package can say
# games/ (cmake/package.cmake) where `cmake --install` says bin/.
install(CODE "if(NOT DEFINED ZELK_PROGRAMS_DIR)
  set(ZELK_PROGRAMS_DIR ${CMAKE_INSTALL_BINDIR})
endif()")
install(TARGETS zelk velmo zelk-script RUNTIME DESTINATION "\${ZELK_PROGRAMS_DIR}")

set(ZELK_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zelk)
file(GLOB data_files ${CMAKE_SOURCE_DIR}/assets/folder/*)
file(GLOB sample_levels ${CMAKE_SOURCE_DIR}/assets/levels/*.lev)
install(FILES ${data_files} ${sample_levels} DESTINATION ${ZELK_DATA_DIR})
# A winning replay of each sample level, for the menu's "SOLUTION".
file(GLOB solutions CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/solutions/*.rejeu)
install(FILES ${solutions} DESTINATION ${ZELK_DATA_DIR}/solutions)

foreach(app IN ITEMS Zelk Velmo)
  string(TOLOWER ${app} icon)
  install(FILES dist/org.zelk.${app}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES assets/icons/${icon}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
          RENAME org.zelk.${app}.svg)
  foreach(size IN ITEMS 16 22 24 32 48 64 128 256)
    install(FILES assets/icons/${size}/${icon}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME org.zelk.${app}.png)
  endforeach()
endforeach()
install(FILES dist/org.zelk.Zelk.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The types of levels (.lev) and replays (.rejeu), which the game's desktop
# entry opens; the package's trigger runs update-mime-database.
install(FILES dist/org.zelk.Zelk.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

# Manual pages and the changelog are installed compressed, as Debian has them.
find_program(GZIP gzip REQUIRED)
set(compressed "")
foreach(name IN ITEMS man/zelk.6 man/velmo.6 man/zelk-script.6 man/fr/zelk.6 man/fr/velmo.6
                      man/fr/zelk-script.6 changelog)
  set(out ${CMAKE_BINARY_DIR}/dist/${name}.gz)
  get_filename_component(out_dir ${out} DIRECTORY)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND ${GZIP} -9n -c ${CMAKE_SOURCE_DIR}/dist/${name} > ${out}
    DEPENDS ${CMAKE_SOURCE_DIR}/dist/${name}
    VERBATIM)
  list(APPEND compressed ${out})
endforeach()
add_custom_target(dist_files ALL DEPENDS ${compressed})
foreach(lang IN ITEMS "" fr/)
  install(FILES ${CMAKE_BINARY_DIR}/dist/man/${lang}zelk.6.gz
                ${CMAKE_BINARY_DIR}/dist/man/${lang}velmo.6.gz
                ${CMAKE_BINARY_DIR}/dist/man/${lang}zelk-script.6.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/${lang}man6)
endforeach()
install(FILES dist/copyright ${CMAKE_BINARY_DIR}/dist/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
