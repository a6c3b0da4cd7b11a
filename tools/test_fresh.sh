#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `make test` on a fresh Debian 12 machine: a minimal system made by
# debootstrap (kept in $1/base between runs), copied afresh for every run,
# the project cloned into it from this repository's committed HEAD, and
# `make test` run there as root in a chroot. Only `make` is added to the
# fresh system beforehand; everything else must come from the Makefile's
# package lists. Downloaded packages are kept in $1/apt-archives, so a
# second run installs the same packages without fetching them again.
# Run as root by `make test-fresh`.
#   $1: the folder that holds the cached system and the run (git-ignored)
set -euo pipefail
[ "$(id -u)" = 0 ] || { echo "test-fresh: run as root" >&2; exit 1; }
fresh=$(realpath -m "$1")
src=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
mirror=http://deb.debian.org/debian
base=$fresh/base
root=$fresh/root
archives=$fresh/apt-archives
mounts=()
start=$(date +%s)

cleanup() {
    # What the run left running inside: only processes whose root is ours.
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill "${p#/proc/}" 2>/dev/null
    done
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" || true
    done
}
trap cleanup EXIT INT TERM
bind() {
    mkdir -p "$root$2"
    mount "${@:3}" "$1" "$root$2"
    mounts+=("$root$2")
}

if [ ! -e "$base/.complete" ]; then
    echo "test-fresh: making a minimal Debian 12 in $base (once)"
    rm -rf "$base"
    mkdir -p "$fresh"
    debootstrap --variant=minbase bookworm "$base" "$mirror" >"$fresh/debootstrap.log" 2>&1 ||
        { tail -n 20 "$fresh/debootstrap.log"; exit 1; }
    cat >"$base/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
    touch "$base/.complete"
fi

echo "test-fresh: a fresh copy of the system in $root"
rm -rf "$root"
cp -a "$base" "$root"
# A chroot runs no services: packages that bring one must not start it here.
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
cp /etc/resolv.conf "$root/etc/resolv.conf"
git clone --quiet --no-hardlinks "$src" "$root/root/zelk"
echo "test-fresh: cloned $(git -C "$root/root/zelk" log -1 --format='%h %s')"

mkdir -p "$archives/partial"
bind "$archives" /var/cache/apt/archives --bind
bind proc /proc -t proc
bind sysfs /sys -t sysfs
bind /dev /dev --bind
bind /dev/pts /dev/pts --bind
bind /dev/shm /dev/shm --bind

status=0
chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/sh -ec 'apt-get update -qq
                 DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends make >/dev/null
                 cd /root/zelk
                 make test' || status=$?
echo "test-fresh: make test on a fresh Debian 12 $([ $status = 0 ] && echo passed || echo "failed ($status)")" \
    "in $(($(date +%s) - start)) s"
exit $status
