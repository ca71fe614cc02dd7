#!/usr/bin/env bash
# Builds everything and runs every test: the Linux suite, the same suite
# under AddressSanitizer and UndefinedBehaviorSanitizer, the same again as a
# 32-bit program where this machine runs those, and the Windows release (the
# Microsoft-ABI DLL) with its checks and the unit tests as 32-bit Windows
# programs, under Wine. Installs what it needs on Debian 12. Prints how long
# each suite took.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
started=$(date +%s)
last=$started
timings=()
suite_done() {
    local now
    now=$(date +%s)
    timings+=("$(printf '%5d s  %s' $((now - last)) "$1")")
    last=$now
}
[ "$(id -u)" = 0 ] && scripts/deps.sh linux

echo "== Layout of the code (clang-format)"
scripts/check-format.sh
suite_done "clang-format check"

# Warnings are errors in every build of the test command.
echo "== Linux build and tests"
cmake -S . -B build/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANE_WERROR=ON >/dev/null
cmake --build build/linux -j"$jobs"
ctest --test-dir build/linux -j"$jobs" --output-on-failure
suite_done "Linux build and tests"

echo "== Sanitizer build and tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DORVANE_SANITIZE=ON -DORVANE_WERROR=ON >/dev/null
cmake --build build/asan -j"$jobs"
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build/asan -j"$jobs" --output-on-failure
suite_done "sanitizer build and tests"

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
    suite_done "32-bit Linux build and tests"
else
    echo "== 32-bit Linux suite skipped: 32-bit programs run only through an emulator here (scripts/test-m32.sh)"
fi

if [ -x scripts/test-windows.sh ]; then
    echo "== 32-bit Windows build and tests under Wine"
    scripts/test-windows.sh build/win32
    suite_done "Windows build and tests under Wine"
fi
echo "All test suites passed in $(($(date +%s) - started)) s:"
printf '%s\n' "${timings[@]}"
