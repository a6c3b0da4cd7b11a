#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package on this machine with apt, plays the installed
# game as an ordinary user (nobody) with a home of its own, then removes the
# package and checks that every file it installed is gone and the player's
# level folder is kept. Run as root by `make package-try`; it changes the
# machine only for as long as it runs.
#   $1: the .deb
set -euo pipefail
deb=$(realpath "$1")
work=$(mktemp -d)
chmod 755 "$work"
cleanup() {
    dpkg-query -W zelk >/dev/null 2>&1 && apt-get remove -y -qq zelk >/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "package-try: $*" >&2
    exit 1
}

# Without what it only recommends, so that nothing stays after the removal.
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null
dpkg -L zelk | sort >"$work/files"
for f in /usr/games/zelk /usr/games/velmo /usr/share/applications/org.zelk.Zelk.desktop \
    /usr/share/zelk/sol.gif /usr/share/man/fr/man6/zelk.6.gz /usr/share/doc/zelk/copyright; do
    grep -qx "$f" "$work/files" || fail "$f not installed"
done

# The player: nobody, with a fresh home. The installed game seeds its level
# folder, lists the samples, and saves a level there from the editor.
home="$work/home"
mkdir -p "$home"
chown nobody:nogroup "$home"
as_player() {
    setpriv --reuid=nobody --regid=nogroup --clear-groups \
        env -i HOME="$home" PATH=/usr/bin:/bin:/usr/games QT_QPA_PLATFORM=offscreen "$@"
}
out=$(printf '%s\n' 'start' 'click avert.OKButton' 'get frmmenu.File1.ListCount' \
    'show frmedit' 'answer input "essai"' 'click frmedit.ssave' |
    as_player zelk-script 2>&1) || fail "zelk-script: $out"
levels="$home/.local/share/zelk"
grep -q '^frmmenu.File1.ListCount=[1-9]' <<<"$out" || fail "no level listed: $out"
[ "$(stat -c %U "$levels/essai.lev")" = nobody ] || fail "the level was not saved: $out"
echo "installed: $(wc -l <"$work/files") paths; played as nobody; level saved in $levels"

apt-get remove -y -qq zelk >/dev/null
left=$(while read -r f; do
    if [ -f "$f" ] || [ -L "$f" ]; then echo "$f"; fi
done <"$work/files")
[ -z "$left" ] || fail "left after removal: $left"
[ -f "$levels/essai.lev" ] || fail "the player's level went with the package"
echo "removed: no installed file left; the player's levels kept"
