#!/usr/bin/env bash
# Builds the module and the reference host, then plays the demo scenario of
# the sample game: an NPC conversation and the task log, step by step.
# Extra arguments go to orvane-host (for example --jsonl).
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
[ "$(id -u)" = 0 ] && scripts/deps.sh linux

cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ -f tools/CMakeLists.txt ]; then
    cmake --build build/linux -j"$jobs" --target orvane-host >/dev/null
    exec build/linux/bin/orvane-host "$@" sample/scenarios/demo.jsonl
fi
# Until the reference host program is there, the test program shows the
# module at work.
cmake --build build/linux -j"$jobs" >/dev/null
ctest --test-dir build/linux --output-on-failure
