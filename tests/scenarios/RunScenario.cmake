# Plays one scenario with orvane-host and compares the transcript with its
# golden file. Run by ctest (see CMakeLists.txt here).
#
#   HOST      the orvane-host program        SCENARIO  the scenario file
#   EXPECTED  the golden transcript          ACTUAL    where a differing transcript is kept
#   MODE      jsonl (default) or human       LAUNCHER  optional emulator (Windows builds)
#   ARGS      optional extra arguments, separated by '|'
#
# The run must end with status 2 when the golden ends with an error event,
# else with 0. With the environment variable ORVANE_UPDATE_GOLDENS=1 the golden
# is rewritten from this run instead: read every rewritten golden before
# committing it, since it must show correct behaviour, not just current.
cmake_minimum_required(VERSION 3.25)

if(NOT MODE)
  set(MODE jsonl)
endif()
set(command ${HOST})
if(LAUNCHER)
  set(command ${LAUNCHER} ${HOST})
endif()
if(MODE STREQUAL "jsonl")
  list(APPEND command --jsonl)
endif()
if(ARGS)
  string(REPLACE "|" ";" extra "${ARGS}")
  list(APPEND command ${extra})
endif()
list(APPEND command ${SCENARIO})

execute_process(COMMAND ${command}
  OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE status)

if(MODE STREQUAL "human")
  # The first two lines name this run's temporary work folder, the game
  # folder and the scenario by their paths on this machine.
  foreach(i RANGE 1)
    string(FIND "${actual}" "\n" eol)
    if(eol GREATER -1)
      math(EXPR eol "${eol} + 1")
      string(SUBSTRING "${actual}" ${eol} -1 actual)
    endif()
  endforeach()
endif()

if("$ENV{ORVANE_UPDATE_GOLDENS}" STREQUAL "1")
  file(WRITE ${EXPECTED} "${actual}")
  message(STATUS "rewrote ${EXPECTED} (status ${status})")
  return()
endif()

if(NOT EXISTS ${EXPECTED})
  file(WRITE ${ACTUAL} "${actual}")
  message(FATAL_ERROR "no golden file ${EXPECTED}; this run's transcript is in ${ACTUAL}")
endif()
file(READ ${EXPECTED} expected)

set(want_status 0)
if(MODE STREQUAL "jsonl" AND expected MATCHES "\\{\"ev\":\"error\"[^\n]*\n$")
  set(want_status 2)
endif()

if(NOT actual STREQUAL expected)
  file(WRITE ${ACTUAL} "${actual}")
  find_program(DIFF diff)
  set(shown "")
  if(DIFF)
    execute_process(COMMAND ${DIFF} -u ${EXPECTED} ${ACTUAL} OUTPUT_VARIABLE shown)
  endif()
  message(FATAL_ERROR "the transcript differs from ${EXPECTED}\n${shown}\n"
    "standard error:\n${errors}\nthe whole transcript: ${ACTUAL}")
endif()
if(NOT status EQUAL want_status)
  message(FATAL_ERROR "orvane-host ended with status ${status}, not ${want_status}\n${errors}")
endif()
