#!/usr/bin/env bash
# orvane-view under a virtual X server: the demo is played to the line before
# the player's answer, then a real X click on link 1 must bring the answer
# packet into the viewer's transcript; G must play on to the next click of
# the player's, keys typed into the note box must be its text, and Q must
# end the viewer cleanly.
# Usage: click_under_xvfb.sh ORVANE_VIEW DEMO_SCENARIO
# Exits 77 (skipped) when Xvfb or xdotool is missing.
set -uo pipefail
view="$1"
scenario="$2"
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is missing (scripts/deps.sh linux installs it)"
        exit 77
    fi
done

work="$(mktemp -d)"
xvfb_pid=""
view_pid=""
cleanup() {
    [ -n "$view_pid" ] && kill "$view_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    echo "--- viewer output (last lines) ---"; tail -n 30 "$work/out.txt" 2>/dev/null
    echo "--- viewer errors ---"; cat "$work/err.txt" 2>/dev/null
    exit 1
}
# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
    local tenths="$1"; shift
    for _ in $(seq "$tenths"); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# A display number of its own, chosen by the server.
Xvfb -displayfd 3 -screen 0 1400x700x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.txt" &
xvfb_pid=$!
wait_for 100 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.txt")"
export DISPLAY=":$(head -n 1 "$work/display")"

# Under the sanitizers: the display libraries SDL loads and unloads again
# keep allocations LeakSanitizer cannot even name, so leaks are not checked
# here (orvane-host's runs check the host library's); memory errors still are.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# Line 43 is the comment before the click on link 1 (line 44).
"$view" --until 43 --snapshots "$work" "$scenario" >"$work/out.txt" 2>"$work/err.txt" &
view_pid=$!
wid="$(timeout 30 xdotool search --sync --onlyvisible --name '^orvane-view$' | head -n 1)"
[ -n "$wid" ] || fail "no orvane-view window appeared"
wait_for 100 grep -q "the desktop is yours" "$work/out.txt" || fail "the viewer never took input"
grep -q "^orvane-view: work folder" "$work/out.txt" || fail "the transcript does not name the viewer"

# The talk window stands at (230,148)-(570,338) then, its text 32,44 inside
# it (after the scroll bar) with rows 16 pixels high: the question takes the
# first two rows, link 1 ("I will help") the third, from y 224 to 240,
# starting at x 262.
xdotool mousemove --window "$wid" 286 232 click 1
wait_for 100 grep -q "talk answer: key a1b2c3d4e5f60718, link 1" "$work/out.txt" ||
    fail "no answer packet after the click on link 1"
grep -q "you release the left button at (286,232)" "$work/out.txt" ||
    fail "the click did not arrive where it was aimed"

# G: the click was the person's, so line 44 is left out; the game client
# opens the task log, the server sends the list, and the scenario waits at
# the next click of the player's.
xdotool key --window "$wid" g
wait_for 100 grep -q "next, yours: line 57:" "$work/out.txt" || fail "G did not play on to line 57"
grep -q "^> line 44: .*(left to you)" "$work/out.txt" || fail "line 44 was not left to the person"
grep -q "^line 50: call CreateClientLogWnd()" "$work/out.txt" || fail "line 50 was not played"

# The note box of the task log, (340,400)-(640,440) on the desktop: a click
# in it makes the keys text until Esc.
xdotool mousemove --window "$wid" 450 420 click 1
wait_for 100 grep -q "you write in the task log's note" "$work/out.txt" || fail "the click did not start the note"
xdotool type --window "$wid" "qab"
xdotool key --window "$wid" BackSpace
xdotool type --window "$wid" "c"
xdotool key --window "$wid" Escape
wait_for 100 grep -q 'the note reads "qac"' "$work/out.txt" || fail "the note does not read what was typed"

xdotool key --window "$wid" q
wait_for 100 sh -c "! kill -0 $view_pid 2>/dev/null" || fail "Q did not end the viewer"
wait "$view_pid"
status=$?
view_pid=""
[ "$status" = 0 ] || fail "the viewer ended with status $status"
echo "ok: the click on link 1 sent the answer packet"
