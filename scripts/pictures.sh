#!/usr/bin/env bash
# Makes the pictures of the README and docs/: the talk window with a page,
# the task menu, a choice page, the task log dialog and a page of ten
# answers, played from docs/pictures/pictures.jsonl, and the worked example
# of docs/writing-dialogue.md, played from sample/scenarios/quest-offer.jsonl.
# Usage: scripts/pictures.sh [OUTPUT_DIR [ORVANE_HOST]]
#   (default: docs/pictures, and build/linux/bin/orvane-host, built if missing)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/docs/pictures}"
host="${2:-}"
if [ -z "$host" ]; then
    host="$root/build/linux/bin/orvane-host"
    if [ ! -x "$host" ]; then
        cmake -S "$root" -B "$root/build/linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
        cmake --build "$root/build/linux" --target orvane-host -j2
    fi
fi
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"
# Each scenario with the pictures it takes.
while read -r scenario names; do
    "$host" --workdir "$work" "$root/$scenario" >"$work/transcript.txt" || {
        cat "$work/transcript.txt" >&2
        exit 1
    }
    for name in $names; do
        cp "$work/$name.png" "$out/$name.png"
        echo "$out/$name.png"
    done
done <<'LIST'
docs/pictures/pictures.jsonl talk-page task-menu choice-page task-log ten-answers
sample/scenarios/quest-offer.jsonl quest-offer quest-accepted quest-declined
LIST
