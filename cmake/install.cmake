# The installed layout, for any prefix P (`cmake --install build --prefix P`):
#   P/bin/                   zelk, velmo, zelk-script
#   P/share/zelk/            pictures, sounds, texts and the sample levels; the
#                            programs find it from their own place (../share/zelk)
#   P/share/applications/    the desktop entries of zelk and velmo
#   P/share/icons/hicolor/   their icons, as SVG and as PNGs of 16 to 256 pixels
#   P/share/metainfo/        the game's AppStream description
#   P/share/man/man6/        the manual pages
#   P/share/doc/zelk/        copyright and changelog
include(GNUInstallDirs)

install(TARGETS zelk velmo zelk-script RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

set(ZELK_DATA_DIR ${CMAKE_INSTALL_DATADIR}/zelk)
file(GLOB data_files ${CMAKE_SOURCE_DIR}/assets/folder/*)
file(GLOB sample_levels ${CMAKE_SOURCE_DIR}/assets/levels/*.lev)
install(FILES ${data_files} ${sample_levels} DESTINATION ${ZELK_DATA_DIR})

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

# Manual pages and the changelog are installed compressed, as Debian has them.
find_program(GZIP gzip REQUIRED)
set(compressed "")
foreach(name IN ITEMS zelk.6 velmo.6 zelk-script.6 changelog)
  set(out ${CMAKE_BINARY_DIR}/dist/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/dist
    COMMAND ${GZIP} -9n -c ${CMAKE_SOURCE_DIR}/dist/${name} > ${out}
    DEPENDS ${CMAKE_SOURCE_DIR}/dist/${name}
    VERBATIM)
  list(APPEND compressed ${out})
endforeach()
add_custom_target(dist_files ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/dist/zelk.6.gz ${CMAKE_BINARY_DIR}/dist/velmo.6.gz
              ${CMAKE_BINARY_DIR}/dist/zelk-script.6.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES dist/copyright ${CMAKE_BINARY_DIR}/dist/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES dist/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME zelk)
