#!/usr/bin/env bash
# The suite built for 32-bit Linux (-m32) under AddressSanitizer and
# UndefinedBehaviorSanitizer: the real module is 32-bit, and pointer and
# size_t widths change its arithmetic. Where the kernel runs no 32-bit
# processes, binfmt_misc's qemu-i386 runs them (scripts/fetch-wine.sh
# registers it). Installs what it needs on Debian 12.
#   scripts/test-m32.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."

dir=${1:-build/m32}
jobs=$(nproc 2>/dev/null || echo 2)
[ "$(id -u)" = 0 ] && scripts/deps.sh m32

cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/linux-i686.cmake \
    -DCMAKE_BUILD_TYPE=Debug -DORVANE_SANITIZE=ON -DORVANE_TEST_PER_PROGRAM=OFF >/dev/null
cmake --build "$dir" -j"$jobs"
# Through the emulator a session costs some six times more: the byte
# corruption test then takes every 4th byte (the other builds take each).
# LeakSanitizer stops the process under test with ptrace, which qemu's user
# mode emulator does not offer: its check hangs there.
stride=1
leaks=1
if ! "$dir/bin/orvane_records_tests" --gtest_list_tests >/dev/null 2>&1 ||
    [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    stride=4
    leaks=0
fi
ORVANE_BYTE_STRIDE=$stride \
ASAN_OPTIONS=halt_on_error=1:detect_leaks=$leaks \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir "$dir" -j"$jobs" --output-on-failure
echo "32-bit sanitizer suite passed."
