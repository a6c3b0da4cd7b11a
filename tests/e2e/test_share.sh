#!/bin/bash
# A level received from elsewhere: `zelk FILE.lev` (a file manager's
# double-click) copies it into the level folder and selects it in the menu
# after the start-up warning; a level dropped on the menu does the same (the
# driver's drop: xdotool cannot drag files). A level of the same name with
# other contents is replaced only after "Oui"; a file no reader accepts, or
# named as the game's own files are, is refused with a message, not copied.
source "$(dirname "$0")/lib.sh"
e2e_start_x
e2e_folder
mail=$WORK/courrier
mkdir "$mail"
level='6600,600,375,3000,8400,5100,375,2400,5000,9000,375,3000,3600,3000,375,2400,8400,11400,375,2400,2600,7200,375,2000,1,9,3,5,"4"'
printf '%s\r\n' "$level" >"$mail/un cadeau.lev"

e2e_launch zelk "$mail/un cadeau.lev"
menu=$(e2e_to_menu) || e2e_fail "no menu"
e2e_shot share-opened
cmp -s "$mail/un cadeau.lev" "$WORK/un cadeau.lev" || e2e_fail "the level was not copied"
# Selected: the summary under the list shows its bird (yellow text).
read -r x y w h < <(e2e_geometry "$menu")
convert "$SHOTS/share-opened.png" -crop 150x14+$((x + 5760 / 15))+$((y + 8640 / 15)) \
    -fill black -opaque 'rgb(0,128,128)' -format '%[fx:mean]' info: >"$WORK/mean"
awk -v m="$(cat "$WORK/mean")" 'BEGIN { exit !(m > 0.02) }' || e2e_fail "the level is not selected"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true

drive() { "$WORK/zelk-script" --folder "$WORK" 2>&1; }
menu_then() { printf 'start\nclick avert.OKButton\n%s\nget frmmenu.File1.FileName\n' "$1" | drive; }
printf '%s\r\n' "${level/\"4\"/\"2\"}" >"$mail/un cadeau.lev"
out=$(menu_then "answer msgbox 7
drop frmmenu \"$mail/un cadeau.lev\"")
grep -q '^msgbox "Niveau reçu" "Le niveau un cadeau.lev existe déjà dans vos niveaux, avec un autre contenu. Voulez-vous le remplacer ?" 36 -> 7$' <<<"$out" ||
    e2e_fail "no question before replacing: $out"
grep -q '"4"' "$WORK/un cadeau.lev" || e2e_fail "replaced after Non"
out=$(menu_then "answer msgbox 6
drop frmmenu \"$mail/un cadeau.lev\"")
cmp -s "$mail/un cadeau.lev" "$WORK/un cadeau.lev" || e2e_fail "not replaced after Oui: $out"
grep -qx 'frmmenu.File1.FileName="un cadeau.lev"' <<<"$out" || e2e_fail "not selected: $out"

printf '1,2,3\r\n' >"$mail/abîmé.lev"
out=$(menu_then "drop frmmenu \"$mail/abîmé.lev\"")
grep -q '^msgbox "Niveau illisible" ".*abîmé.lev' <<<"$out" || e2e_fail "no reader's message: $out"
[ -e "$WORK/abîmé.lev" ] && e2e_fail "a refused file was copied"
for name in .recuperation.lev .cache.lev; do
    cp "$mail/un cadeau.lev" "$mail/$name"
    out=$(menu_then "drop frmmenu \"$mail/$name\"")
    grep -q "^msgbox \"Niveau illisible\" \"Le niveau « $name » ne peut pas être lu : un nom qui commence par un point est réservé aux fichiers du jeu.\" 16" <<<"$out" ||
        e2e_fail "$name not refused: $out"
    [ ! -e "$WORK/$name" ] || e2e_fail "$name was copied"
done
echo ok
