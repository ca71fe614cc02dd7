# orvane-inspect's command line in one table: each run must end with its
# exit status (0 accepted as sent, 1 something lost, 2 unreadable input) and,
# for status 2, say on standard error why and where. Run by ctest with
# INSPECT (the program), WORK (a scratch folder) and optional LAUNCHER.
cmake_minimum_required(VERSION 3.25)

set(failures "")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
# A message 87 of one chat page (540 bytes), and the same cut short.
string(REPEAT "00" 532 zeros)
set(good "0102030405060708${zeros}")
string(REPLACE "0102030405060708" "01020304050607080100" short "${good}")
string(SUBSTRING "${short}" 0 1000 short)
file(WRITE ${WORK}/good.hex "${good}\n")
file(WRITE ${WORK}/bad.jsonl "{\"op\": \"create\"}\n{\"op\": \"talk\"}\n")
file(WRITE ${WORK}/demo.jsonl "{\"op\": \"create\"}\n{\"op\": \"call\", \"fn\": \"InitTaskObserver\"}\n{\"op\": \"tasklog\", \"ids\": [5]}\n")

# run_case(<name> <status> <arguments> <stdin file or ""> <text in output or error>)
function(run_case name want args stdin text)
  separate_arguments(args UNIX_COMMAND "${args}")
  set(input "")
  if(NOT stdin STREQUAL "")
    set(input INPUT_FILE ${stdin})
  endif()
  execute_process(COMMAND ${LAUNCHER} ${INSPECT} ${args} ${input}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status EQUAL want)
    list(APPEND failures "${name}: status ${status}, not ${want} (${err})")
  endif()
  string(FIND "${out}${err}" "${text}" at)
  if(at EQUAL -1)
    list(APPEND failures "${name}: the output lacks \"${text}\": ${out}${err}")
  endif()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

run_case(hex-on-stdin 0 "--msg 87" ${WORK}/good.hex "" "verdict: accepted as sent")
run_case(hex-arguments-json 0 "--json --msg 87 ${good}" "" "\"accepted_as_sent\": true")
run_case(short-message 0 "--msg 87 ${short}" "" "shorter than its 540-byte fixed part")
run_case(scenario 0 "--scenario ${WORK}/demo.jsonl" "" "message 91 (task log), 44 bytes")
run_case(encode 0 "--encode '{\"op\":\"tasklog\",\"ids\":[5]}'" ""
  "0100000005000000000000000000000000000000000000000000000000000000000000000000000000000000")
run_case(odd-hex 2 "--msg 87 abc" "" "the hex arguments: an odd number of hex digits")
run_case(bad-digit 2 "--msg 91 00zz" "" "'z' at position 3 is not a hex digit")
run_case(no-msg 2 "00" "" "raw input needs --msg 87 or --msg 91")
run_case(wrong-msg 2 "--msg 90 00" "" "--msg takes 87 or 91, not 90")
run_case(missing-file 2 "--msg 87 --file ${WORK}/none.bin" "" "none.bin: the file cannot be read")
run_case(bad-scenario-line 2 "--scenario ${WORK}/bad.jsonl" "" "bad.jsonl:2:")
run_case(missing-scenario 2 "--scenario ${WORK}/none.jsonl" "" "none.jsonl: the scenario cannot be read")
run_case(file-is-folder 2 "--msg 91 --file ${WORK}" "" "a folder, not a file")
string(REPEAT "x" 1048577 long_line)
file(WRITE ${WORK}/long.jsonl "{\"op\": \"create\"}\n${long_line}\n")
run_case(long-scenario-line 2 "--scenario ${WORK}/long.jsonl" ""
  "long.jsonl:2: the line is longer than 1048576 bytes")
run_case(bad-encode 2 "--encode '{\"op\":\"talk\"}'" "" "the message cannot be laid out")

if(failures)
  list(JOIN failures "\n" text)
  message(FATAL_ERROR "${text}")
endif()
