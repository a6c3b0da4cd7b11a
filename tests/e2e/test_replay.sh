#!/bin/bash
# A game played, watched again with "Revoir", kept with "Enregistrer", then
# played headless by zelk-script --rejeu and shown by `zelk FILE.rejeu`; a
# shipped level's winning game shown by the menu's "SOLUTION".
source "$(dirname "$0")/lib.sh"
LEVELS="$(cd "$(dirname "$0")/../levels" && pwd)"

e2e_start_x 1280x1024
e2e_folder
cp "$LEVELS/vide.lev" "$WORK/0-vide.lev"
e2e_launch zelk

menu=$(e2e_to_menu) || e2e_fail "no main menu"
game=$(e2e_play_level "$menu" 4950 "<0-vide.lev>") || e2e_fail "no game screen"
e2e_key "$game" Escape
result=$(e2e_window "^PG$") || e2e_fail "no result screen"
e2e_shot replay-1-won

# "Revoir": the game screen again, and the result when its game is over.
e2e_click_twips "$result" 5640 7860
sleep 1
e2e_window "^PG$" >/dev/null || e2e_fail "no result screen after Revoir"
e2e_shot replay-2-watched

# "Enregistrer": a file in rejeux/.
e2e_click_twips "$result" 7680 7860
e2e_window "^Enregistrer$" >/dev/null || e2e_fail "no word that the replay was kept"
e2e_shot replay-3-kept
xdotool key Return
file=$(ls "$WORK"/rejeux/0-vide-*.rejeu 2>/dev/null | head -n 1)
[ -n "$file" ] || e2e_fail "no replay in rejeux/"
said=$("$WORK/zelk-script" --folder "$WORK" --rejeu "$file") || e2e_fail "zelk-script --rejeu: $said"
[[ "$said" == "gagné en "*" ticks" ]] || e2e_fail "zelk-script --rejeu says: $said"

# The main menu has the level's record.
e2e_click_twips "$result" 9700 7850
sleep 0.5
e2e_shot replay-4-record

# "SOLUTION" under a shipped level: its winning game over the menu, then the result.
e2e_click_twips "$menu" 6500 5145
sleep 0.5
e2e_click_twips "$menu" 10027 8407
e2e_window "<01 - premiers pas.lev>" >/dev/null || e2e_fail "SOLUTION shows no game"
sleep 2
e2e_shot replay-5-solution
e2e_window "^PG$" >/dev/null || e2e_fail "the SOLUTION game does not end"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null

# zelk FILE.rejeu: the game shown over the main menu, then its result.
e2e_launch zelk "$file"
e2e_window "<0-vide.lev>" >/dev/null || e2e_fail "zelk FILE.rejeu shows no game"
e2e_window "^PG$" >/dev/null || e2e_fail "zelk FILE.rejeu shows no result"
e2e_shot replay-6-file
kill -0 "$APP_PID" || e2e_fail "zelk is gone"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null

# A replay that no longer reproduces stops with a word, not silently.
sed '0,/^controle \([0-9]*\) [0-9]*/s//controle \1 1/' "$WORK/solutions/01 - premiers pas.rejeu" \
    >"$WORK/autre.rejeu"
e2e_launch zelk "$WORK/autre.rejeu"
e2e_window "^Revoir$" >/dev/null || e2e_fail "a replay that differs stops without a word"
sleep 0.5
e2e_shot replay-7-differs
echo "PASS"
