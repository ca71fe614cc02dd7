#!/usr/bin/env bash
# Builds the 32-bit Windows artifacts with mingw-w64 (Orvane.dll with its
# import library, Panelkit.dll, the test programs and orvane-host as .exe
# files) and runs the whole test suite under Wine.
#
#   scripts/test-windows.sh [BUILD_DIR]      default: build/win32 in the repository
#
# Installs what is missing (as root, or through sudo). Environment:
#   ORVANE_JOBS         parallel build and test jobs (default: number of cores)
#   ORVANE_BUILD_TYPE   CMake build type (default: Release)
#   ORVANE_CTEST_ARGS   extra arguments for ctest, e.g. "-R abi"
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$repo/build/win32}
mkdir -p "$build"
build=$(cd "$build" && pwd)
jobs=${ORVANE_JOBS:-$(nproc)}
build_type=${ORVANE_BUILD_TYPE:-Release}

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

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}
# A mirror part-way through a sync can fail one index (deps.sh copes with
# that); the packages wanted here come from the indexes that did arrive.
apt_update() {
    as_root apt-get update -qq ||
        echo "apt-get update failed for some indexes; going on with those that arrived" >&2
    apt_fresh=1
}
apt_fresh=0
apt_install() {
    [ "$apt_fresh" -eq 1 ] || apt_update
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@"
}

# ---------------------------------------------------------------------------
step "tools"
# The cross compiler, Wine (wine32 needs the i386 architecture), and the
# GoogleTest sources and header-only libraries built for the target.
as_root "$repo/scripts/deps.sh" windows
command -v cmake >/dev/null || apt_install cmake

# Wine's i386 programs need a kernel that runs 32-bit processes. A kernel
# built without that (some virtual machines) runs them through qemu's user
# mode emulator, registered for i386 programs with binfmt_misc. Debian 12's
# qemu 7.2 spends close to a minute of processor time starting each Wine
# process, qemu 10 half a second: an older one is replaced from backports.
if ! wine --version >/dev/null 2>&1; then
    echo "32-bit programs do not run here; running them through qemu-i386"
    qemu_changed=0
    qemu_version=$(dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null || true)
    if [ -z "$qemu_version" ] || dpkg --compare-versions "$qemu_version" lt 1:10; then
        [ "$apt_fresh" -eq 1 ] || apt_update
        candidate=$(apt-cache policy qemu-user-static | awk '/Candidate:/ {print $2}')
        if dpkg --compare-versions "$candidate" ge 1:10; then
            apt_install qemu-user-static
        else
            codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
            echo "deb http://deb.debian.org/debian $codename-backports main" |
                as_root tee /etc/apt/sources.list.d/orvane-backports.list >/dev/null
            apt_update
            apt_install -t "$codename-backports" qemu-user-static
        fi
        qemu_changed=1
    fi
    binfmt=/proc/sys/fs/binfmt_misc
    if [ ! -e "$binfmt/register" ]; then
        as_root mount -t binfmt_misc binfmt_misc "$binfmt"
    fi
    if [ -e "$binfmt/qemu-i386" ] && [ "$qemu_changed" -eq 1 ]; then
        # The entry holds the emulator it opened; let it open the new one.
        echo -1 | as_root tee "$binfmt/qemu-i386" >/dev/null
    fi
    if [ ! -e "$binfmt/qemu-i386" ]; then
        # ELF, 32-bit, little-endian, executable or shared object, i386; the
        # emulator is opened now (F) so that it works in any mount space.
        magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
        mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
        echo ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386-static:F" | as_root tee "$binfmt/register" >/dev/null
    fi
    if ! wine --version >/dev/null 2>&1; then
        echo "error: wine cannot run on this machine (no 32-bit support, and qemu-i386 did not help)" >&2
        exit 1
    fi
fi

# ---------------------------------------------------------------------------
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
exec wine "\$@"
EOF
chmod +x "$launcher"

# ---------------------------------------------------------------------------
step "configure"
cmake -S "$repo" -B "$build" \
    -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE="$build_type" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$launcher" \
    -DORVANE_TEST_LAUNCHER="$launcher"

step "build"
cmake --build "$build" -j "$jobs"

# ---------------------------------------------------------------------------
step "export check"
cmake -DDLL="$build/bin/Orvane.dll" -DOBJDUMP=i686-w64-mingw32-objdump \
    -P "$repo/cmake/CheckExportsPE.cmake"

step "wine prefix"
# Wine's own services outlive the program that started them and keep its
# output open: they must start here, writing to a log, and never under ctest
# (which would wait for them to close a test's output).
wine_log=$build/wine-session.log
stop_wineserver() { wineserver -k 2>/dev/null || true; }
trap stop_wineserver EXIT
if [ ! -f "$WINEPREFIX/.orvane-ready" ]; then
    stop_wineserver
    rm -rf "$WINEPREFIX"
    wineboot -i </dev/null >"$wine_log" 2>&1
    wineserver -w
    touch "$WINEPREFIX/.orvane-ready"
fi
# One server and one session with Wine's services for every program of this
# run, instead of a Windows start-up for each.
stop_wineserver
wineserver -p
wineboot </dev/null >>"$wine_log" 2>&1

step "runtime check"
# Every DLL a program of the build imports is one of the build's own or a
# Windows system DLL: the C++ runtime is linked in, nothing else is needed.
system32=$WINEPREFIX/drive_c/windows/system32
missing=0
for file in "$build"/bin/*.exe "$build"/bin/*.dll; do
    for dll in $(i686-w64-mingw32-objdump -p "$file" | awk '/DLL Name:/ {print $3}'); do
        if [ -z "$(find "$build/bin" "$system32" -maxdepth 1 -iname "$dll" -print -quit)" ]; then
            echo "error: $(basename "$file") needs $dll, which is neither built here nor part of Windows" >&2
            missing=1
        fi
    done
done
[ "$missing" -eq 0 ] || exit 1

# ---------------------------------------------------------------------------
step "tests under wine"
# shellcheck disable=SC2086
ctest --test-dir "$build" --output-on-failure -j "$jobs" ${ORVANE_CTEST_ARGS:-}

# ---------------------------------------------------------------------------
# orvane-host under Wine: its JSONL transcript of the demo scenario must equal
# the Linux one byte for byte (the goldens are shared: tests/scenarios also
# plays them in this build), and must name no work folder: the host writes
# $WORKDIR for it, so no absolute path may appear.
step "demo transcript"
host_exe=$build/bin/orvane-host.exe
if [ -f "$host_exe" ]; then
    transcript=$build/demo-transcript.jsonl
    golden=$repo/tests/scenarios/sample/demo.expected.jsonl
    "$launcher" "$host_exe" --jsonl "$repo/sample/scenarios/demo.jsonl" >"$transcript"
    if ! cmp -s "$transcript" "$golden"; then
        diff -u "$golden" "$transcript" | head -40 >&2 || true
        echo "error: the Windows demo transcript differs from $golden" >&2
        exit 1
    fi
    # A drive letter (JSON escapes the backslash), a Unix temp or build path.
    if grep -nE '(^|[^A-Za-z])[A-Za-z]:(\\\\|/)|/tmp/|'"$build" "$transcript" >&2; then
        echo "error: the demo transcript names a work folder" >&2
        exit 1
    fi
    echo "demo transcript matches $golden"
else
    echo "orvane-host.exe is not built yet: demo transcript not checked"
fi

step "done"
echo "Windows build and Wine tests passed in $(($(date +%s) - started)) s:"
printf '%s\n' "${timings[@]}"
