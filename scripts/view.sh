#!/usr/bin/env bash
# Builds the module and orvane-view, then opens the demo scenario of the
# sample game at the NPC talk for you to play on (docs/viewing.md).
# Extra arguments go to orvane-view (for example --until 44).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
[ "$(id -u)" = 0 ] && scripts/deps.sh linux

cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/linux -j"$jobs" --target orvane-view >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "view.sh: no display; under Xvfb: xvfb-run -s '-screen 0 1400x700x24' scripts/view.sh" >&2
    exit 1
fi
# Line 24 shows the talk window with its first page.
exec build/linux/bin/orvane-view --until 24 "$@" sample/scenarios/demo.jsonl
