# Plays a shipped level's winning script (assets/solutions/) on the shipped
# levels: it must still win, through the player's input and the timers alone.
if(NOT EXISTS ${SCRIPT})
  message(FATAL_ERROR "no winning script for this level: ${SCRIPT} (tools/README.md: zelk-solve)")
endif()
file(STRINGS ${SCRIPT} reached REGEX "^(set|show|unload|close|stop|drop|snap|dump) ")
if(reached)
  message(FATAL_ERROR "a winning script may only play, not reach into the game: ${reached}")
endif()
# Played on a copy: a won game writes the player's records into its folder.
file(REMOVE_RECURSE ${WORK})
file(COPY ${LEVELS}/ DESTINATION ${WORK})
execute_process(COMMAND ${DRIVER} --folder ${WORK}
  INPUT_FILE ${SCRIPT}
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  RESULT_VARIABLE code
  ENCODING UTF-8)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "zelk-script exited with ${code}\n${err}")
endif()
if(NOT out MATCHES "show frmaffpg\n(.*\n)?frmaffpg.Picture=\"gagne.JPG\"\n$")
  string(REGEX MATCH "[^\n]*\n[^\n]*\n?$" tail "${out}")
  message(FATAL_ERROR "the level is no longer won by ${SCRIPT}; the script ends with:\n${tail}")
endif()
