# SPDX-License-Identifier: GPL-3.0-or-later
# Which folder may include which. Each layer builds on the ones before it:
#   level/     Qt Core only: nothing of the project but level/ itself
#   toolkit/   level/
#   prototype/ level/, toolkit/
#   map/       level/, toolkit/: what the screens ask of the program
#   game/, editor/, menus/ level/, toolkit/, map/ (moving between screens and
#              reading across them), and from one another only what is not a
#              screen (the rules, the platforms)
# app/ puts the programs together and may include anything. A file's own
# folder is always allowed ("screen.h" from toolkit/screen.cpp).
# Run by the build (SOURCE_DIR, STAMP); any breach stops it with the lines.
set(allowed_level "level")
set(allowed_toolkit "level|toolkit")
set(allowed_prototype "level|toolkit|prototype")
set(allowed_map "level|toolkit|map")
set(allowed_game "level|toolkit|map|game")
set(allowed_editor "level|toolkit|map|editor")
set(allowed_menus "level|toolkit|map|menus")
set(screen_folders "game|editor|menus")

set(breaches "")
foreach(folder IN ITEMS level toolkit prototype map game editor menus)
  file(GLOB files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
  foreach(f IN LISTS files)
    file(STRINGS ${SOURCE_DIR}/${f} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "\"(([^\"/]+)/[^\"]*)\"")
        set(target "${CMAKE_MATCH_1}")
        set(target_folder "${CMAKE_MATCH_2}")
        if(target_folder MATCHES "^(${allowed_${folder}})$")
          # allowed
        elseif(folder MATCHES "^(${screen_folders})$" AND target_folder MATCHES "^(${screen_folders})$")
          # Another screen folder's header, when it declares no screen.
          set(screens "")
          if(EXISTS ${SOURCE_DIR}/${target})
            file(STRINGS ${SOURCE_DIR}/${target} screens REGEX "public tk::Screen")
          endif()
          if(screens OR NOT EXISTS ${SOURCE_DIR}/${target})
            string(APPEND breaches "  ${f}: ${line} (a screen of another folder: through map/screenmap.h)\n")
          endif()
        else()
          string(APPEND breaches "  ${f}: ${line}\n")
        endif()
      elseif(folder STREQUAL "level" AND line MATCHES "<Qt([A-Za-z]+)/"
             AND NOT CMAKE_MATCH_1 STREQUAL "Core")
        string(APPEND breaches "  ${f}: ${line} (level/ uses Qt Core only)\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(breaches)
  message(FATAL_ERROR "Includes across the layers (see docs/architecture.md):\n${breaches}")
endif()
file(TOUCH ${STAMP})
