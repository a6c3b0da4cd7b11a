#!/bin/bash
# The installed game: `cmake --install` into a temporary prefix whose
# share/zelk is read-only, run by a player whose home is a temporary folder.
# The level folder is created and seeded, a level saved from the editor lands
# there and shows in the menu, a sample deleted stays deleted, a home where
# the folder cannot be made gives the French box and a playable menu; the
# desktop entries, metainfo, icons and manual pages validate.
#   BUILD_DIR  the build to install (set by ctest)
source "$(dirname "$0")/lib.sh"
: "${BUILD_DIR:?}"

P=$WORK/prefix
cmake --install "$BUILD_DIR" --prefix "$P" >/dev/null || e2e_fail "cmake --install failed"
chmod -R a-w "$P/share/zelk"
export HOME=$WORK/home XDG_DATA_HOME=$WORK/home/data
mkdir -p "$HOME"
LEVELS=$XDG_DATA_HOME/zelk
SAMPLES=$(cd "$P/share/zelk" && ls -- *.lev)
[ "$(wc -l <<<"$SAMPLES")" = 24 ] || e2e_fail "not 24 sample levels: $SAMPLES"

# --- What the desktop reads.
desktop-file-validate "$P"/share/applications/*.desktop || e2e_fail "desktop entries"
appstreamcli validate --no-net "$P"/share/metainfo/*.xml || e2e_fail "metainfo"
for entry in "$P"/share/applications/*.desktop; do
    exe=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ -x "$P/bin/$exe" ] || e2e_fail "$entry starts $exe, which is not installed"
    svg=$P/share/icons/hicolor/scalable/apps/$icon.svg
    grep -q 'href="[^#]' "$svg" && e2e_fail "$svg refers to other files"
    [ "$(rsvg-convert "$svg" | identify -format %wx%h png:-)" = 256x256 ] || e2e_fail "$svg"
    for size in 16 22 24 32 48 64 128 256; do
        png=$P/share/icons/hicolor/${size}x$size/apps/$icon.png
        [ "$(identify -format %wx%h "$png")" = "${size}x$size" ] || e2e_fail "$png"
    done
done
# Levels and replays are the game's files for the desktop.
cp -r "$P/share/mime" "$WORK/mime"
update-mime-database "$WORK/mime" || e2e_fail "update-mime-database"
grep -qx 'application/x-zelk-level:\*\.lev' "$WORK/mime/globs" || e2e_fail "no type for .lev"
grep -qx 'application/x-zelk-replay:\*\.rejeu' "$WORK/mime/globs" || e2e_fail "no type for .rejeu"
grep -qx 'MimeType=application/x-zelk-level;application/x-zelk-replay;' \
    "$P/share/applications/org.zelk.Zelk.desktop" || e2e_fail "the game does not open its files"
grep -q '<project_license>GPL-3.0-or-later AND CC-BY-SA-4.0</project_license>' \
    "$P"/share/metainfo/org.zelk.Zelk.metainfo.xml || e2e_fail "no licence in the metainfo"
[ "$(ls "$P"/share/man/man6 "$P"/share/man/fr/man6 | grep -c '\.6\.gz$')" = 6 ] ||
    e2e_fail "not three manual pages in English and three in French"
for page in "$P"/share/man/man6/*.6.gz "$P"/share/man/fr/man6/*.6.gz; do
    zcat "$page" | groff -k -man -Tutf8 -ww -z 2>&1 | grep . && e2e_fail "$page has roff warnings"
done

# --- First start: the level folder is created and seeded; nothing is written
# in share/zelk.
touch "$WORK/before"
drive() { "$P/bin/zelk-script" 2>/dev/null; }
out=$(printf 'start\nclick avert.OKButton\nget frmmenu.File1.ListCount\n' | drive)
grep -qx 'frmmenu.File1.ListCount=24' <<<"$out" || e2e_fail "first start: $out"
while read -r s; do
    cmp -s "$LEVELS/$s" "$P/share/zelk/$s" || e2e_fail "$s was not seeded"
done <<<"$SAMPLES"

# A sample deleted from the menu stays deleted at the next start; a level of
# the folder plays, its sound read from share/zelk.
printf 'start\nclick avert.OKButton\nselect frmmenu.File1 "09 - la basse-cour.lev"\nanswer msgbox 6\nclick frmmenu.Command2\n' |
    drive >/dev/null
[ -e "$LEVELS/09 - la basse-cour.lev" ] && e2e_fail "a sample was not deleted"
out=$(printf 'start\nclick avert.OKButton\nget frmmenu.File1.ListCount\n' | drive)
grep -qx 'frmmenu.File1.ListCount=23' <<<"$out" || e2e_fail "the deleted sample came back: $out"
[ -e "$LEVELS/09 - la basse-cour.lev" ] && e2e_fail "a deleted sample was brought back"
# The samples' winning replays are installed: "SOLUTION" is offered.
out=$(printf 'start\nclick avert.OKButton\nselect frmmenu.File1 "01 - premiers pas.lev"\nget frmmenu.Solution.Visible\n' | drive)
grep -qx 'frmmenu.Solution.Visible=true' <<<"$out" || e2e_fail "no SOLUTION for a sample: $out"

# --- The real game: a level saved from the editor lands in the level folder
# and shows in the menu.
e2e_start_x
"$P/bin/zelk" >"$WORK/zelk.log" 2>&1 &
APP_PID=$!
menu=$(e2e_to_menu) || e2e_fail "no menu"
e2e_click_twips "$menu" 3000 4320            # EDITEUR
ed=$(e2e_window '^Editeur') || e2e_fail "no editor"
sleep 0.5
xdotool mousemove --window "$ed" 25 10 click 1 # Fichier > Sauvegerder sous...
sleep 0.4
xdotool key Down Down Down Return
e2e_window '^Nom$' >/dev/null || e2e_fail "no name box"
xdotool type --delay 40 "mon niveau"
e2e_shot installed-save-as
xdotool key Return
e2e_window '^OK$' >/dev/null || e2e_fail "no confirmation"
xdotool key Return
sleep 0.3
[ -f "$LEVELS/mon niveau.lev" ] || e2e_fail "the level was not saved in $LEVELS"
xdotool mousemove --window "$ed" 25 10 click 1 # Fichier > Menu
sleep 0.4
xdotool key Down Return
sleep 0.8
e2e_shot installed-menu
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
# Listed, previewed and played from there.
out=$(printf 'start\nclick avert.OKButton\nselect frmmenu.File1 "mon niveau.lev"\nclick frmmenu.Command8\nclick frmmenu.Command1\nget frmsaut.Caption\n' | drive)
grep -qx 'show frmpre' <<<"$out" || e2e_fail "not previewed: $out"
grep -q '^frmsaut.Caption=.*<mon niveau.lev>' <<<"$out" || e2e_fail "not played: $out"
[ -z "$(find "$P/share/zelk" -newer "$WORK/before")" ] || e2e_fail "share/zelk was written"

# --- A home where the level folder cannot be made (a file in its place): the
# French box names the folder and the reason, then the samples are playable.
export XDG_DATA_HOME=$WORK/home/file
echo "not a folder" >"$XDG_DATA_HOME"
"$P/bin/zelk" >"$WORK/zelk.log" 2>&1 &
APP_PID=$!
box=$(e2e_window '^Dossier des niveaux$') || e2e_fail "no message about the level folder"
e2e_shot installed-no-level-folder
e2e_key "$box" Return
menu=$(e2e_to_menu) || e2e_fail "no menu after the message"
e2e_shot installed-menu-samples
out=$(printf 'start\nclick avert.OKButton\nget frmmenu.File1.ListCount\n' | drive)
grep -q "n'a pas pu être créé :\\\\r\\\\n$XDG_DATA_HOME/zelk\\\\r\\\\n\\\\r\\\\nRaison : un élément du chemin n'est pas un dossier." <<<"$out" ||
    e2e_fail "message: $out"
grep -qx 'frmmenu.File1.ListCount=24' <<<"$out" || e2e_fail "the samples are not listed: $out"
echo ok
