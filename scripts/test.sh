#!/usr/bin/env bash
# Builds everything and runs every test: the Linux suite, the same suite
# under AddressSanitizer and UndefinedBehaviorSanitizer, the same again as a
# 32-bit program where this machine runs those, and the 32-bit Windows suite
# under Wine. Installs what it needs on Debian 12.
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

# The 32-bit suite where the kernel runs 32-bit programs itself; through an
# emulator it takes too long here (scripts/test-m32.sh runs it there too).
runs_m32() {
    [ "$(id -u)" = 0 ] && scripts/deps.sh m32
    [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ] || return 1
    local probe
    probe=$(mktemp -d)
    echo 'int main() { return 0; }' >"$probe/p.cpp"
    g++ -m32 "$probe/p.cpp" -o "$probe/p" 2>/dev/null && "$probe/p" 2>/dev/null
    local status=$?
    rm -rf "$probe"
    return $status
}
if [ -x scripts/test-m32.sh ] && runs_m32; then
    echo "== 32-bit Linux build and tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
    scripts/test-m32.sh build/m32
else
    echo "== 32-bit Linux suite skipped: 32-bit programs run only through an emulator here (scripts/test-m32.sh)"
fi

if [ -x scripts/test-windows.sh ]; then
    echo "== 32-bit Windows build and tests under Wine"
    scripts/test-windows.sh build/win32
fi
echo "All test suites passed."
