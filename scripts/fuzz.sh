#!/usr/bin/env bash
# Runs a libFuzzer target under AddressSanitizer and UndefinedBehaviorSanitizer.
#   scripts/fuzz.sh [module|module_alloc|observer] [seconds]
# module: whole sessions of the module (messages, clicks, timers, host calls);
# module_alloc: the same with one allocation of the session failing;
# observer: the message readers alone. Found crashes land in build/fuzz/crashes.
set -euo pipefail
cd "$(dirname "$0")/.."

target=${1:-module}
seconds=${2:-300}
case "$target" in module|module_alloc|observer) ;; *) echo "usage: $0 [module|module_alloc|observer] [seconds]" >&2; exit 2;; esac

if ! command -v clang++ >/dev/null; then
    [ "$(id -u)" = 0 ] || { echo "clang++ is missing (apt-get install clang)" >&2; exit 1; }
    apt-get update -qq && apt-get install -y -qq clang >/dev/null
fi
[ "$(id -u)" = 0 ] && scripts/deps.sh linux

CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVANE_FUZZ=ON -DORVANE_SANITIZE=ON -DORVANE_TESTS=OFF >/dev/null
cmake --build build/fuzz -j"$(nproc)" --target "${target}_fuzz"

corpus=build/fuzz/corpus-$target
mkdir -p "$corpus" build/fuzz/crashes
if [ "$target" != observer ]; then
    export ORVANE_FUZZ_SEEDS=$PWD/$corpus
fi
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:quarantine_size_mb=32 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "build/fuzz/bin/${target}_fuzz" -max_total_time="$seconds" -max_len=8192 \
    -artifact_prefix=build/fuzz/crashes/ "$corpus"
