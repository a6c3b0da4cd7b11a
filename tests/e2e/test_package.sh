#!/bin/bash
# The Debian package: cpack builds it, it holds exactly what `cmake --install`
# puts under /usr (the programs in games/ rather than bin/), its control
# fields are right, apt can install it here, and lintian, pedantic, finds
# neither error nor warning in it (no override is shipped).
#   BUILD_DIR  the build to package (set by ctest)
set -euo pipefail
: "${BUILD_DIR:?}"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack --config "$BUILD_DIR/CPackConfig.cmake" -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log"; fail "cpack"; }
deb=$(ls "$WORK"/pkg/zelk_*_amd64.deb)

cmake --install "$BUILD_DIR" --prefix "$WORK/usr" >/dev/null
(cd "$WORK" && find usr ! -type d | sed 's|^usr/bin/|usr/games/|' | sort) >"$WORK/installed"
# The name is all that follows the fifth column: the levels' names hold blanks.
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/' | sed -E 's/^([^ ]+ +){5}\.\///' | sort >"$WORK/packaged"
diff "$WORK/installed" "$WORK/packaged" || fail "the package does not hold what is installed"
grep -qx 'usr/share/mime/packages/org.zelk.Zelk.xml' "$WORK/packaged" || fail "no file types"

[ "$(dpkg-deb --field "$deb" Section)" = games ] || fail "not in the games section"
depends=$(dpkg-deb --field "$deb" Depends)
for lib in libqt6widgets6 libqt6multimedia6 libc6; do
    grep -q "$lib" <<<"$depends" || fail "no dependency on $lib: $depends"
done
grep -q "fonts-liberation" <<<"$depends" || fail "no dependency on the game's fonts: $depends"
grep -q "xdg-utils" <<<"$(dpkg-deb --field "$deb" Recommends)" || fail "xdg-open is not recommended"
description=$(dpkg-deb --field "$deb" Description)
grep -q "Zelk is a 2D" <<<"$description" || fail "no English description"
grep -q "Zelk est un jeu" <<<"$description" && fail "French in the Description field"

# Installable with its dependencies (a simulation: nothing is changed).
apt-get install -s "$deb" >"$WORK/apt.log" 2>&1 || { cat "$WORK/apt.log"; fail "apt cannot install it"; }

lint=$(lintian --pedantic --fail-on error,warning "$deb" 2>&1) || fail "lintian: $lint"
grep -v '^running with root' <<<"$lint" || true
ls -l "$deb"
echo ok
