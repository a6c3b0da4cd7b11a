# A whole level won from the main menu: the level's only grey frog falls to the
# ground and walks into a vial. Then a level with nothing to kill, won at the
# first tick, and Escape after the end.
start
click avert.OKButton
select frmmenu.File1 "fiole.lev"
click frmmenu.Command1
get frmsaut.Caption
get frmsaut.Visible
get frmsaut.pause.Visible
get frmsaut.pause2.Visible
get frmsaut.Timer1.Enabled
get frmsaut.Timer3.Enabled
get frmsaut.nbf.Caption
# Nothing moves while paused.
fire frmsaut.Timer1 10
get frmsaut.mech1(0).Top
key frmsaut 27
get frmsaut.pause.Visible
get frmsaut.Timer1.Enabled
# Walk left and drop the vial, then step aside to the right.
mouse frmsaut move 0 4500 5000
fire frmsaut.Timer1 120
get frmsaut.joueur.Left
key frmsaut 13
get frmsaut.fiole.Visible
get frmsaut.fiole.Left
get frmsaut.fiole.Top
get frmsaut.nbf.Caption
key frmsaut 13
get frmsaut.nbf.Caption
mouse frmsaut move 0 7000 5000
fire frmsaut.Timer1 600
get frmsaut.mech1(0).Tag
get frmsaut.mech1(0).Top
fire frmsaut.Timer3
get frmsaut.Label1.Caption
get frmsaut.Label3.Caption
# The frog meets the vial; the next tick finds the level won.
fire frmsaut.Timer1 200
get frmsaut.mech1(0).Visible
get frmsaut.fiole.Visible
get frmsaut.tuesgris
get frmsaut.Timer1.Enabled
get frmsaut.Timer2.Enabled
get frmsaut.Timer3.Enabled
get frmaffpg.Caption
get frmaffpg.Picture
fire frmsaut.Timer3
get frmsaut.Label1.Caption
click frmaffpg.menu
get frmmenu.File1.FileName
get frmmenu.un.Caption

# Nothing to kill: won in the first tick after Escape.
select frmmenu.File1 "vide.lev"
click frmmenu.Command1
key frmsaut 27
fire frmsaut.Timer1
get frmaffpg.Picture
get frmsaut.Timer1.Enabled
# Escape twice after the end: the next tick ends the level again.
key frmsaut 27
key frmsaut 27
get frmsaut.Timer1.Enabled
fire frmsaut.Timer1
get frmsaut.Timer1.Enabled
click frmaffpg.menu
