#!/usr/bin/env bash
# Makes the pictures of the README and docs/: the talk window with a page,
# the task menu and the task log dialog, played from docs/pictures/pictures.jsonl.
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
"$host" --workdir "$work" "$root/docs/pictures/pictures.jsonl" >"$work/transcript.txt" || {
    cat "$work/transcript.txt" >&2
    exit 1
}
mkdir -p "$out"
for name in talk-page task-menu task-log; do
    cp "$work/$name.png" "$out/$name.png"
    echo "$out/$name.png"
done
