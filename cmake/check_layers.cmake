# SPDX-License-Identifier: GPL-3.0-or-later
# Which folder may include which. Each layer builds on the ones before it:
#   level/     Qt Core only: nothing of the project but level/ itself
#   toolkit/   level/
#   prototype/ level/, toolkit/
#   game/, editor/, menus/ level/, toolkit/, one another, and app/program.h only
# app/ puts the programs together and may include anything. A file's own
# folder is always allowed ("screen.h" from toolkit/screen.cpp).
# Run by the build (SOURCE_DIR, STAMP); any breach stops it with the lines.
set(allowed_level "level")
set(allowed_toolkit "level|toolkit")
set(allowed_prototype "level|toolkit|prototype")
set(allowed_game "level|toolkit|game|editor|menus")
set(allowed_editor "${allowed_game}")
set(allowed_menus "${allowed_game}")

set(breaches "")
foreach(folder IN ITEMS level toolkit prototype game editor menus)
  file(GLOB files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.cpp ${SOURCE_DIR}/${folder}/*.h)
  foreach(f IN LISTS files)
    file(STRINGS ${SOURCE_DIR}/${f} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "\"app/program\\.h\"")
        # The shared loop counter lives on the program object.
        if(NOT folder MATCHES "^(game|editor|menus)$")
          string(APPEND breaches "  ${f}: ${line}\n")
        endif()
      elseif(line MATCHES "\"([^\"/]+)/[^\"]*\"")
        if(NOT CMAKE_MATCH_1 MATCHES "^(${allowed_${folder}})$")
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
