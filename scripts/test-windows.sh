#!/usr/bin/env bash
# The Windows release and its checks under Wine:
# 1. the Microsoft-ABI build (cmake/msvc-i686.cmake): Orvane.dll, Panelkit.dll
#    and orvane-host.exe as a game client built with Microsoft's compiler
#    meets them; its checks: the exported names, the imported system
#    functions, the toolkit's slots, every scenario against the Linux
#    transcript, and the SDK example built against the installed package;
# 2. with ORVANE_GNU_UNIT_TESTS=1 (the default), the unit tests as 32-bit
#    Windows programs, built with mingw-w64 (GoogleTest needs iostreams,
#    which the Microsoft-ABI build has not).
#
#   scripts/test-windows.sh [BUILD_DIR]      default: build/win32 in the repository
#
# Installs what is missing (as root). Wine and qemu-i386 are unpacked into
# BUILD_DIR/wine by scripts/fetch-wine.sh, not installed. Environment:
#   ORVANE_JOBS            parallel build and test jobs (default: number of cores)
#   ORVANE_BUILD_TYPE      CMake build type (default: Release)
#   ORVANE_CTEST_ARGS      extra arguments for ctest, e.g. "-R scenario"
#   ORVANE_GNU_UNIT_TESTS  0 leaves the mingw-w64 unit tests out
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$repo/build/win32}
mkdir -p "$build"
build=$(cd "$build" && pwd)
jobs=${ORVANE_JOBS:-$(nproc)}
build_type=${ORVANE_BUILD_TYPE:-Release}
gnu_unit_tests=${ORVANE_GNU_UNIT_TESTS:-1}

started=$(date +%s)
last=$started
timings=()
step() {
    local now
    now=$(date +%s)
    if [ -n "${current_step:-}" ]; then
        timings+=("$(printf '%5d s  %s' $((now - last)) "$current_step")")
    fi
    last=$now
    current_step=$1
    echo "== $1"
}

# ---------------------------------------------------------------------------
step "tools"
if [ "$(id -u)" -eq 0 ]; then
    "$repo/scripts/deps.sh" msvc
    [ "$gnu_unit_tests" = 0 ] || "$repo/scripts/deps.sh" mingw
fi
"$repo/scripts/fetch-wine.sh" "$build/wine"

# Wine: quiet, with its prefix in the build folder, no window system and no
# offer to install Mono or Gecko (the tests need neither), and no debugger
# started on a crash (the crashed program just fails).
export WINEDEBUG=-all
export WINEPREFIX=$build/wineprefix
export WINEARCH=win32
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
unset DISPLAY WAYLAND_DISPLAY
launcher=$build/wine-run
cat >"$launcher" <<EOF
#!/bin/sh
# Runs a Windows program of this build under Wine (written by test-windows.sh).
export WINEDEBUG=-all WINEPREFIX='$WINEPREFIX' WINEARCH=win32 WINEDLLOVERRIDES='$WINEDLLOVERRIDES'
unset DISPLAY WAYLAND_DISPLAY
exec '$build/wine/wine' "\$@"
EOF
chmod +x "$launcher"

step "wine prefix"
# Wine's own services outlive the program that started them and keep its
# output open: they must start here, writing to a log, and never under ctest
# (which would wait for them to close a test's output).
wineserver=$build/wine/wineserver
wine_log=$build/wine-session.log
stop_wineserver() { "$wineserver" -k 2>/dev/null || true; }
trap stop_wineserver EXIT
if [ ! -f "$WINEPREFIX/.orvane-ready" ]; then
    stop_wineserver
    rm -rf "$WINEPREFIX"
    # Wine's user32 is built against zlib1.dll; every process finds it here,
    # from the first one on.
    mkdir -p "$WINEPREFIX/drive_c/windows/system32"
    cp "$build/wine/root/usr/i686-w64-mingw32/lib/zlib1.dll" "$WINEPREFIX/drive_c/windows/system32/"
    "$build/wine/wine" wineboot -i </dev/null >"$wine_log" 2>&1
    "$wineserver" -w
    touch "$WINEPREFIX/.orvane-ready"
fi
# One server and one session with Wine's services for every program of this
# run (the scenarios, the example, the unit tests), instead of a Windows
# start-up for each.
stop_wineserver
"$wineserver" -p
"$build/wine/wine" wineboot </dev/null >>"$wine_log" 2>&1

# ---------------------------------------------------------------------------
msvc=$build/msvc
step "Microsoft-ABI build"
cmake -S "$repo" -B "$msvc" \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/msvc-i686.cmake" \
    -DORVANE_WINE_INCLUDE="$build/wine/headers" \
    -DCMAKE_BUILD_TYPE="$build_type" -DORVANE_WERROR=ON \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$launcher" \
    -DORVANE_TEST_LAUNCHER="$launcher" >/dev/null
cmake --build "$msvc" -j "$jobs"
ls -l "$msvc/bin/Orvane.dll" "$msvc/bin/Panelkit.dll" "$msvc/bin/orvane-host.exe"

step "Microsoft-ABI checks under wine"
# shellcheck disable=SC2086
ctest --test-dir "$msvc" --output-on-failure -j "$jobs" ${ORVANE_CTEST_ARGS:-}

# orvane-host under Wine names no work folder in its transcript: the host
# writes $WORKDIR for it, so no absolute path may appear.
step "demo transcript"
transcript=$msvc/demo-transcript.jsonl
"$launcher" "$msvc/bin/orvane-host.exe" --jsonl "$repo/sample/scenarios/demo.jsonl" >"$transcript"
cmp "$transcript" "$repo/tests/scenarios/sample/demo.expected.jsonl"
# A drive letter (JSON escapes the backslash), a Unix temp or build path.
if grep -nE '(^|[^A-Za-z])[A-Za-z]:(\\\\|/)|/tmp/|'"$build" "$transcript" >&2; then
    echo "error: the demo transcript names a work folder" >&2
    exit 1
fi

# ---------------------------------------------------------------------------
if [ "$gnu_unit_tests" != 0 ]; then
    gnu=$build/mingw
    step "unit tests with mingw-w64: build"
    cmake -S "$repo" -B "$gnu" \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE="$build_type" -DORVANE_WERROR=ON \
        -DORVANE_GNU_UNIT_TESTS_ONLY=ON \
        -DCMAKE_CROSSCOMPILING_EMULATOR="$launcher" \
        -DORVANE_TEST_LAUNCHER="$launcher" >/dev/null
    cmake --build "$gnu" -j "$jobs"
    step "unit tests with mingw-w64: under wine"
    # shellcheck disable=SC2086
    ctest --test-dir "$gnu" --output-on-failure -j "$jobs" ${ORVANE_CTEST_ARGS:-}
fi

step "done"
echo "Windows build and Wine tests passed in $(($(date +%s) - started)) s:"
printf '%s\n' "${timings[@]}"
