# The ways a run of orvane-host can go wrong on its input, in one table: each
# must end with status 2 and a message on standard error naming the place and
# the fault, after the events of the lines that did run. Run by ctest with
# HOST (the program), WORK (a scratch folder) and optional LAUNCHER.
cmake_minimum_required(VERSION 3.25)

set(failures "")
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# error_case(<name> <scenario text, or "" for none> <arguments> <message part>
#            [<transcript part>])
# The scenario text is written to <name>.jsonl, which the arguments name as
# @FILE@; with the argument "-" it is given on standard input instead.
function(error_case name text args message)
  set(file ${WORK}/${name}.jsonl)
  if(NOT text STREQUAL "")
    file(WRITE ${file} "${text}\n")
  endif()
  string(REPLACE "@FILE@" "${file}" args "${args}")
  string(REPLACE "@WORK@" "${WORK}" args "${args}")
  separate_arguments(args UNIX_COMMAND "${args}")
  set(input "")
  if("-" IN_LIST args)
    set(input INPUT_FILE ${file})
  endif()
  execute_process(COMMAND ${LAUNCHER} ${HOST} ${args} ${input}
    OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE status)
  if(NOT status EQUAL 2)
    list(APPEND failures "${name}: status ${status}, not 2 (${err})")
  endif()
  string(FIND "${err}" "${message}" at)
  if(at EQUAL -1)
    list(APPEND failures "${name}: standard error lacks \"${message}\": ${err}")
  endif()
  if(ARGC GREATER 4)
    string(FIND "${out}" "${ARGV4}" at)
    if(at EQUAL -1)
      list(APPEND failures "${name}: the transcript lacks ${ARGV4}: ${out}")
    endif()
  endif()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

# The command line.
error_case(no_file "" "${WORK}/none.jsonl" "none.jsonl: the scenario file cannot be read")
error_case(folder "" "--jsonl ${WORK}" "the scenario is a folder, not a file"
  [=[{"ev":"error","line":0,"text":"the scenario is a folder, not a file"}]=])
error_case(option "" "--verbose" "unknown option --verbose")
error_case(game_missing "" "--game ${WORK}/nowhere" "the game folder")
error_case(game_argument "" "--game" "--game needs a folder")
error_case(two_scenarios "" "a.jsonl b.jsonl" "only one scenario")
error_case(until_zero "" "--until 0 a.jsonl" "--until needs a line number")
error_case(until_word "" "--until five a.jsonl" "--until needs a line number")
file(WRITE ${WORK}/plain-file "")
error_case(workdir_is_file "" "--workdir ${WORK}/plain-file" "cannot be made")

# Lines that cannot be read: the lines before them have run.
error_case(bad_json [=[{"op": "create"}
# a comment
{"op": "call", "fn": "GetTaskName", "args": [1001]
]=] "--jsonl @FILE@" "bad_json.jsonl:3: bad JSON at column"
  [=[{"ev":"result","op":"create","value":true}]=])
error_case(unknown_op [=[{"op": "create"}
{"op": "clik", "window": 163, "child": 1}]=] "--jsonl -" "standard input:2: unknown op \"clik\""
  [=[{"ev":"error","line":2,"text":"unknown op \"clik\"]=])
error_case(missing_key [=[{"op": "advance"}]=] "@FILE@" ":1: op \"advance\" needs the key \"ms\"")
error_case(wrong_type [=[{"op": "dump", "window": "163"}]=] "@FILE@"
  ":1: \"window\" must be an integer, not a string")
error_case(unknown_window [=[{"op": "dump", "window": 170}]=] "@FILE@" ":1: unknown window 170")
error_case(odd_hex [=[{"op": "server", "msg": 87, "hex": "10 0"}]=] "@FILE@"
  ":1: \"hex\": an odd number of hex digits (3)")
error_case(bad_hex [=[{"op": "server", "msg": 87, "hex": "zz"}]=] "@FILE@"
  "'z' at position 1 is not a hex digit")
error_case(too_many_ids [=[{"op": "tasklog", "ids": [1,2,3,4,5,6,7,8,9,10,11]}]=] "@FILE@"
  "11 ids; the task list holds at most 10")
error_case(out_of_range [=[{"op": "click-task", "index": -1}]=] "@FILE@" "between 0 and 9")
string(REPEAT "x" 1048577 long_line)
error_case(long_line "{\"op\": \"create\"}\n${long_line}" "--jsonl @FILE@"
  ":2: the line is longer than 1048576 bytes" [=[{"ev":"result","op":"create","value":true}]=])

# Lines that can be read but not run in the state the run is in.
error_case(no_box [=[{"op": "create"}
{"op": "confirm", "answer": 1}]=] "--jsonl @FILE@" "no_box.jsonl:2: no confirmation box is open"
  [=[{"ev":"error","line":2,"text":"no confirmation box is open to answer"}]=])
error_case(no_client [=[{"op": "call", "fn": "CreateClientLogWnd"}]=] "@FILE@"
  ":1: there is no task client to call CreateClientLogWnd on")
error_case(no_link [=[{"op": "create"}
{"op": "call", "fn": "CreateClientTalkWnd", "args": [163, null]}
{"op": "call", "fn": "AddTalkLine", "args": ["Yes", 5]}
{"op": "click-link", "window": 163, "link": 6}]=] "@FILE@"
  ":4: no line of window 163 carries link 6 (its links: 5)")
error_case(no_child [=[{"op": "create"}
{"op": "call", "fn": "CreateClientTalkWnd", "args": [163, null]}
{"op": "click", "window": 163, "child": 42}]=] "@FILE@" ":3: window 163 has no child with id 42")
error_case(no_buttons [=[{"op": "create"}
{"op": "call", "fn": "CreateClientLogWnd"}
{"op": "click-task", "index": 0}]=] "@FILE@" ":3: the task log has no task buttons yet")
error_case(bad_file_name [=[{"op": "file", "name": "../secret"}]=] "@FILE@"
  "must stay inside the work folder")
error_case(command_text_and_hex [=[{"op": "command", "window": 163, "type": 2, "text": "a", "hex": "00"}]=]
  "@FILE@" ":1: op \"command\" takes \"text\" or \"hex\", not both")
error_case(command_reads_past_data [=[{"op": "command", "window": 172, "type": 2, "hex": "01000000", "param": 44}]=]
  "@FILE@" "44 is more than the 4 bytes given")
error_case(destroy_release_not_bool [=[{"op": "destroy", "window": 172, "release": 0}]=] "@FILE@"
  ":1: \"release\" must be true or false, not")
error_case(drag_too_far [=[{"op": "drag", "window": 163, "dx": 99999999, "dy": 0}]=] "@FILE@"
  "\"dx\"")
error_case(wheel_too_far [=[{"op": "wheel", "window": 163, "notches": 5000}]=] "@FILE@"
  "\"notches\"")
error_case(without_unknown [=[{"op": "create"}]=] "--without ui,clock @FILE@" "--without: unknown service \"clock\"")

if(failures)
  string(REPLACE ";" "\n" failures "${failures}")
  message(FATAL_ERROR "${failures}")
endif()
