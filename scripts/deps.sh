#!/usr/bin/env bash
# Installs the Debian packages a build needs, only those that are missing.
# Usage: scripts/deps.sh linux|m32|msvc|mingw
#   msvc   the Microsoft-ABI Windows build (cmake/msvc-i686.cmake); Wine and
#          its headers come from scripts/fetch-wine.sh, not from here
#   mingw  the unit tests as 32-bit Windows programs (cmake/mingw-i686.cmake)
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
want() { for p in "$@"; do have "$p" || need+=("$p"); done; }

case "${1:-linux}" in
linux)
    want g++ cmake make libgtest-dev libgmock-dev googletest nlohmann-json3-dev libstb-dev \
        libfreetype-dev fonts-wqy-zenhei libsdl2-dev xvfb xdotool clang-format-14
    ;;
m32)
    want g++-multilib cmake make googletest nlohmann-json3-dev libstb-dev
    ;;
msvc)
    want clang-14 lld-14 llvm-14 libc++-14-dev cmake make nlohmann-json3-dev libstb-dev
    ;;
mingw)
    want g++-mingw-w64-i686 cmake make googletest nlohmann-json3-dev libstb-dev
    ;;
esac

if [ ${#need[@]} -gt 0 ]; then
    echo "Installing: ${need[*]}"
    export DEBIAN_FRONTEND=noninteractive
    # A mirror part-way through a sync fails the update for a while: wait for
    # it, then install from what did arrive (the install says if that is not
    # enough).
    for try in 1 2 3 4; do
        apt-get update -qq && break
        [ "$try" = 4 ] && { echo "apt-get update failed; installing from the indexes it did fetch" >&2; break; }
        echo "apt-get update failed; trying again in $((try * 20)) s" >&2
        sleep $((try * 20))
    done
    if ! apt-get install -y -qq "${need[@]}" >/dev/null; then
        # A missing index of one architecture (a 32-bit security index that
        # failed to arrive) leaves the two architectures' twins of a library
        # at different candidates, which the resolver cannot join. The
        # release's own suite holds both at one version: install from it.
        codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
        [ -n "$codename" ] || exit 1
        echo "Installing again from $codename alone, so both architectures' libraries match" >&2
        apt-get install -y -qq -t "$codename" "${need[@]}" >/dev/null
    fi
fi
