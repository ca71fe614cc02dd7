#!/usr/bin/env bash
# orvane-view under a virtual X server, driven by real X input (XTEST).
# 1. The demo, played to the line before the player's answer: a click on
#    link 1 brings the answer packet into the viewer's transcript; G plays on
#    to the next click of the player's; keys typed into the note box are its
#    text; Q ends the viewer cleanly.
# 2. A page with ten answers: the wheel and a drag of the scroll bar's thumb
#    move the lines, and the tenth answer, reached by scrolling, is clicked.
# Every wait is for a line of the viewer's transcript, never for a time; and
# every click aims where the viewer's W key says the target lies, so that
# the test follows the toolkit's layout.
# Usage: click_under_xvfb.sh ORVANE_VIEW DEMO_SCENARIO TEN_ANSWERS_SCENARIO
# Exits 77 (skipped) when Xvfb or xdotool is missing.
set -uo pipefail
view="$1"
demo="$2"
ten="$3"
for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is missing (scripts/deps.sh linux installs it)"
        exit 77
    fi
done

# A bound for a stuck run only: a loaded machine is waited for.
limit=240
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
    echo "--- viewer output (last lines) ---"; tail -n 40 "$work/out.txt" 2>/dev/null
    echo "--- viewer errors ---"; cat "$work/err.txt" 2>/dev/null
    exit 1
}
# Waits until the viewer's transcript holds a line matching the pattern
# (grep -E), reading it as it is written.
wait_line() {
    timeout "$limit" grep -q -m 1 -E -- "$1" \
        <(tail -n +1 -f --pid="$view_pid" "$work/out.txt" 2>/dev/null)
}
# Presses W and waits for its answer about one place (a pattern such as
# "link 10 of window 163"), which it leaves in $place_line.
where() {
    local before
    before="$(wc -l <"$work/out.txt")"
    xdotool key w
    timeout "$limit" grep -q -m 1 -E -- "^> $1" \
        <(tail -n +"$((before + 1))" -f --pid="$view_pid" "$work/out.txt" 2>/dev/null) ||
        fail "W did not tell where $1 is"
    place_line="$(tail -n +"$((before + 1))" "$work/out.txt" | grep -E -m 1 -- "^> $1")"
}
# The centre of the first "(l,t)-(r,b)" after "at" in $place_line, as "x y".
centre_of() {
    sed -E 's/.* at \(([0-9]+),([0-9]+)\)-\(([0-9]+),([0-9]+)\).*/\1 \2 \3 \4/' <<<"$place_line" |
        awk '{ printf "%d %d\n", ($1 + $3) / 2, ($2 + $4) / 2 }'
}
thumb_centre() {
    sed -E 's/.*its thumb at \(([0-9]+),([0-9]+)\)-\(([0-9]+),([0-9]+)\).*/\1 \2 \3 \4/' <<<"$place_line" |
        awk '{ printf "%d %d\n", ($1 + $3) / 2, ($2 + $4) / 2 }'
}
# Starts the viewer on a scenario up to a line and waits for its window.
start_view() {
    : >"$work/out.txt"
    "$view" --until "$2" --snapshots "$work" "$1" >"$work/out.txt" 2>"$work/err.txt" &
    view_pid=$!
    wid="$(timeout "$limit" xdotool search --sync --onlyvisible --name '^orvane-view$' | head -n 1)"
    [ -n "$wid" ] || fail "no orvane-view window appeared"
    wait_line "the desktop is yours" || fail "the viewer never took input"
    # The keys go to the window that has the focus; there is no window
    # manager to give it.
    xdotool windowfocus --sync "$wid" || fail "the viewer's window cannot take the focus"
}
click_at() {
    xdotool mousemove --window "$wid" "$1" "$2" click 1
    wait_line "you release the left button at \($1,$2\)" || fail "the click at ($1,$2) did not arrive"
}
quit_view() {
    xdotool key q
    timeout "$limit" tail -f --pid="$view_pid" /dev/null
    wait "$view_pid"
    local status=$?
    view_pid=""
    [ "$status" = 0 ] || fail "the viewer ended with status $status"
}

# A display number of its own, chosen by the server.
Xvfb -displayfd 3 -screen 0 1280x720x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.txt" &
xvfb_pid=$!
timeout "$limit" bash -c 'until [ -s "$1" ]; do sleep 0.05; done' _ "$work/display" ||
    fail "Xvfb did not start: $(cat "$work/xvfb.txt")"
export DISPLAY=":$(head -n 1 "$work/display")"

# Under the sanitizers: the display libraries SDL loads and unloads again
# keep allocations LeakSanitizer cannot even name, so leaks are not checked
# here (orvane-host's runs check the host library's); memory errors still are.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# 1. The demo. Line 43 is the comment before the click on link 1 (line 44).
start_view "$demo" 43
grep -q "^orvane-view: work folder" "$work/out.txt" || fail "the transcript does not name the viewer"
where "link 1 of window 163 at"
read -r x y < <(centre_of)
click_at "$x" "$y"
wait_line "talk answer: key a1b2c3d4e5f60718, link 1" || fail "no answer packet after the click on link 1"

# G: the click was the person's, so line 44 is left out; the game client
# opens the task log, the server sends the list, and the scenario waits at
# the next click of the player's.
xdotool key g
wait_line "next, yours: line 57:" || fail "G did not play on to line 57"
grep -q "^> line 44: .*(left to you)" "$work/out.txt" || fail "line 44 was not left to the person"
grep -q "^line 50: call CreateClientLogWnd()" "$work/out.txt" || fail "line 50 was not played"

# The note box of the task log: a click in it makes the keys text until Esc.
where "note box of window 172 at"
read -r x y < <(centre_of)
click_at "$x" "$y"
wait_line "you write in the task log's note" || fail "the click did not start the note"
xdotool type "qab"
xdotool key BackSpace
xdotool type "c"
xdotool key Escape
wait_line 'the note reads "qac"' || fail "the note does not read what was typed"
quit_view

# 2. Ten answers: seven rows are in view, the tenth answer below them.
start_view "$ten" 12
where "link 10 of window 163"
grep -q "below the visible part" <<<"$place_line" || fail "the tenth answer is in view from the start"
where "link 1 of window 163 at"
read -r x y < <(centre_of)
# The wheel over the text, a notch at a time, until the tenth answer shows.
for notch in 1 2 3 4; do
    xdotool mousemove --window "$wid" "$x" "$y" click 5
    wait_line "you turn the mouse wheel 1 notch\(es\) down" || fail "the wheel did not arrive"
    where "link 10 of window 163"
    grep -q " at (" <<<"$place_line" && break
done
grep -q " at (" <<<"$place_line" || fail "the wheel never brought the tenth answer into view"
# The thumb dragged back to the top brings the first answer back.
where "scroll bar of window 163 at"
read -r tx ty < <(thumb_centre)
xdotool mousemove --window "$wid" "$tx" "$ty" mousedown 1 mousemove --window "$wid" "$tx" 0 mouseup 1
wait_line "you release the left button at \($tx,0\)" || fail "the drag did not arrive"
where "link 1 of window 163"
grep -q " at (" <<<"$place_line" || fail "the drag did not scroll back to the first answer"
# And down again with the thumb, to click the tenth answer.
where "scroll bar of window 163 at"
read -r tx ty < <(thumb_centre)
xdotool mousemove --window "$wid" "$tx" "$ty" mousedown 1 mousemove --window "$wid" "$tx" 599 mouseup 1
wait_line "you release the left button at \($tx,599\)" || fail "the second drag did not arrive"
where "link 10 of window 163"
grep -q " at (" <<<"$place_line" || fail "the drag did not scroll to the tenth answer"
read -r x y < <(centre_of)
click_at "$x" "$y"
wait_line "talk answer: key 5e3a9c0d1b2f4a67, link 10" || fail "no answer packet after the click on link 10"
quit_view
echo "ok: links 1 and 10 clicked where the layout put them, the tenth after scrolling"
