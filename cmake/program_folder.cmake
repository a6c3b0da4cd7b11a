# SPDX-License-Identifier: GPL-3.0-or-later
# Copies the program's files into the program folder. Pictures, sounds and
# texts are refreshed; a level file that is already there is kept as it is.
file(MAKE_DIRECTORY ${DST})
file(GLOB files ${SRC}/folder/*)
foreach(f IN LISTS files)
  get_filename_component(name ${f} NAME)
  file(COPY_FILE ${f} ${DST}/${name} ONLY_IF_DIFFERENT)
endforeach()
file(GLOB levels ${SRC}/levels/*.lev)
foreach(f IN LISTS levels)
  get_filename_component(name ${f} NAME)
  if(NOT EXISTS ${DST}/${name})
    file(COPY_FILE ${f} ${DST}/${name})
  endif()
endforeach()
# The shipped levels' winning replays, offered by the menu's "SOLUTION".
file(MAKE_DIRECTORY ${DST}/solutions)
file(GLOB solutions ${SRC}/solutions/*.rejeu)
foreach(f IN LISTS solutions)
  get_filename_component(name ${f} NAME)
  file(COPY_FILE ${f} ${DST}/solutions/${name} ONLY_IF_DIFFERENT)
endforeach()
