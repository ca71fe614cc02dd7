#!/usr/bin/env bash
# Unpacks what the Windows suites run and build with into one folder,
# without installing any of it: 32-bit Wine with its libraries, the C and
# Windows headers of Wine's development package, and qemu-i386 to run 32-bit
# programs on a machine that cannot. Then registers qemu-i386 for 32-bit
# programs and writes two launchers:
#   DIR/wine        runs a Windows program (WINEPREFIX as the caller sets it)
#   DIR/wineserver  Wine's server, for starting and stopping a session
# and DIR/headers, the folder of Wine's msvcrt/ and windows/ headers.
#
#   scripts/fetch-wine.sh DIR
#
# The packages come from the release's own suites, through a package index
# kept in DIR: the system's package state is not touched, so a 32-bit
# security index that does not match the 64-bit one (as on a mirror part-way
# through a sync) cannot stop it. A failed fetch is tried again.
set -euo pipefail

dir=${1:?usage: fetch-wine.sh DIR}
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
# The version of this layout: a folder made by an older script is made again.
layout=1
if [ -f "$dir/.ready-$layout" ]; then
    exit 0
fi
[ "$(id -u)" -eq 0 ] || { echo "fetch-wine.sh: run it as root (it registers qemu-i386)" >&2; exit 1; }

codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
# The Debian mirror the system uses (not its security one).
mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
    2>/dev/null | grep -v '^[[:space:]]*#' | grep -oE 'https?://[^ ]+/debian/?( |$)' |
    grep -v security | head -n1 | tr -d ' ' || true)
mirror=${mirror:-http://deb.debian.org/debian}
keyring=/usr/share/keyrings/debian-archive-keyring.gpg

# apt-get on an index of its own: ARCH, then the lines of its sources list.
private_apt() {
    local name=$1 arch=$2
    shift 2
    local state=$dir/apt-$name
    mkdir -p "$state/lists/partial" "$state/archives/partial" "$state/parts"
    : >"$state/status"
    printf '%s\n' "$@" >"$state/sources.list"
    echo "-o Dir::Etc::sourcelist=$state/sources.list -o Dir::Etc::sourceparts=$state/parts" \
        "-o Dir::Etc::preferencesparts=$state/parts -o Dir::State=$state" \
        "-o Dir::State::status=$state/status -o Dir::Cache=$state -o Dir::Cache::archives=$state/archives" \
        "-o APT::Architecture=$arch -o APT::Architectures::=$arch -o Debug::NoLocking=1" \
        "-o APT::Sandbox::User=root" >"$state/options"
}
# Runs a step again while the mirror is part-way through a sync.
with_retries() {
    local try
    for try in 1 2 3 4 5; do
        "$@" && return 0
        [ "$try" = 5 ] && return 1
        echo "fetch-wine.sh: $1 failed; trying again in $((try * 15)) s" >&2
        sleep $((try * 15))
    done
}
apt_private() {
    local name=$1
    shift
    # shellcheck disable=SC2046
    apt-get $(cat "$dir/apt-$name/options") -q "$@"
}

echo "== 32-bit Wine from $mirror ($codename)"
private_apt i386 i386 \
    "deb [arch=i386 signed-by=$keyring] $mirror $codename main" \
    "deb [arch=i386 signed-by=$keyring] $mirror $codename-updates main"
# Wine and everything it depends on, and the headers of its development
# package (its own dependencies are not needed for them). A mirror part-way
# through a sync fails one step or another: the whole fetch is tried again.
fetch_i386() {
    apt_private i386 update >/dev/null &&
        apt_private i386 install --download-only --no-install-recommends -y wine32 >/dev/null &&
        (cd "$dir/apt-i386/archives" && apt_private i386 download libwine-dev >/dev/null)
}
with_retries fetch_i386

echo "== qemu-i386 from $codename-backports"
private_apt qemu amd64 "deb [arch=amd64 signed-by=$keyring] $mirror $codename-backports main"
# qemu 10 starts Wine's processes in half a second, Debian 12's qemu 7.2 in
# close to a minute of processor time each.
fetch_qemu() {
    apt_private qemu update >/dev/null &&
        (cd "$dir/apt-qemu/archives" && apt_private qemu download qemu-user >/dev/null)
}
with_retries fetch_qemu

echo "== unpacking"
rm -rf "$dir/root" "$dir/qemu" "$dir/headers"
for deb in "$dir"/apt-i386/archives/*.deb; do
    dpkg -x "$deb" "$dir/root"
done
dpkg -x "$dir"/apt-qemu/archives/qemu-user_*.deb "$dir/qemu"
ln -s root/usr/include/wine/wine "$dir/headers"
# Wine starts its server from beside its loader, where Debian keeps a script
# that looks for the server under /usr: the server itself goes there.
ln -sf wineserver32 "$dir/root/usr/lib/wine/wineserver"
# The loader of the unpacked libraries finds them through its own cache.
printf 'include /etc/ld.so.conf.d/*.conf\n' >"$dir/root/etc/ld.so.conf"
ldconfig -r "$dir/root"

echo "== qemu-i386 for 32-bit programs"
binfmt=/proc/sys/fs/binfmt_misc
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
qemu=$dir/qemu/usr/bin/qemu-i386
if [ -e "$binfmt/qemu-i386" ]; then
    registered=$(awk '/^interpreter/ {print $2}' "$binfmt/qemu-i386")
    version=$("$registered" --version 2>/dev/null | awk 'NR == 1 {print $3}' || true)
    # An older emulator is replaced (see above); a new enough one stays.
    if [ -z "$version" ] || dpkg --compare-versions "$version" lt 10; then
        echo -1 >"$binfmt/qemu-i386"
    fi
fi
if [ ! -e "$binfmt/qemu-i386" ]; then
    # ELF, 32-bit, little-endian, executable or shared object, i386; the
    # emulator is opened now (F), so that it works in any mount space.
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    echo ":qemu-i386:M::$magic:$mask:$qemu:F" >"$binfmt/register"
fi

# QEMU_LD_PREFIX: the emulator takes the 32-bit programs' libraries from the
# unpacked root. WINESYSTEMDLLPATH: the Windows DLLs Debian builds Wine
# against (zlib1.dll), which Debian's Wine looks for in this folder.
for program in wine wineserver; do
    target=$dir/root/usr/lib/wine/$program
    [ "$program" = wineserver ] && target=$dir/root/usr/lib/wine/wineserver32
    cat >"$dir/$program" <<EOF
#!/bin/sh
# Runs $program of the Wine unpacked here (written by scripts/fetch-wine.sh).
export QEMU_LD_PREFIX='$dir/root'
export WINESYSTEMDLLPATH='$dir/root/usr/i686-w64-mingw32/lib'
exec '$target' "\$@"
EOF
    chmod +x "$dir/$program"
done
"$dir/wine" --version
rm -rf "$dir/apt-i386/archives" "$dir/apt-qemu/archives"
touch "$dir/.ready-$layout"
