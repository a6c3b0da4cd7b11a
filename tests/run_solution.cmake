# A shipped level's winning replay (assets/solutions/NAME.rejeu): it holds the
# level as shipped, and zelk-script --rejeu plays it through to a win, event
# for event as it was recorded.
if(NOT EXISTS ${REPLAY})
  message(FATAL_ERROR "no winning replay for this level: ${REPLAY} (tools/README.md: zelk-solve)")
endif()
file(STRINGS ${LEVEL} level_line LIMIT_COUNT 1)
string(REGEX REPLACE "\r$" "" level_line "${level_line}")
file(STRINGS ${REPLAY} fields REGEX "^champs " LIMIT_COUNT 1)
if(NOT fields STREQUAL "champs ${level_line}")
  message(FATAL_ERROR "the replay was recorded on another level than ${LEVEL}:\n"
                      "  ${fields}\n  champs ${level_line}")
endif()
execute_process(COMMAND ${DRIVER} --rejeu ${REPLAY}
  OUTPUT_VARIABLE out
  ERROR_VARIABLE err
  RESULT_VARIABLE code
  ENCODING UTF-8)
if(NOT code EQUAL 0 OR NOT out MATCHES "^gagné en [0-9]+ ticks\n$")
  message(FATAL_ERROR "the level is no longer won by ${REPLAY} (exit ${code}): ${out}${err}")
endif()
