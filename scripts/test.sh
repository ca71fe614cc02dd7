#!/usr/bin/env bash
# Builds everything and runs every test: the Linux suite, the same suite
# under AddressSanitizer and UndefinedBehaviorSanitizer, and the 32-bit
# Windows suite under Wine. Installs what it needs on Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
[ "$(id -u)" = 0 ] && scripts/deps.sh linux

echo "== Linux build and tests"
cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/linux -j"$jobs"
ctest --test-dir build/linux -j"$jobs" --output-on-failure

echo "== Sanitizer build and tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DORVANE_SANITIZE=ON >/dev/null
cmake --build build/asan -j"$jobs"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build/asan -j"$jobs" --output-on-failure

if [ -x scripts/test-windows.sh ]; then
    echo "== 32-bit Windows build and tests under Wine"
    scripts/test-windows.sh build/win32
fi
echo "All test suites passed."
