# A whole level lost: the hardest difficulty, a green frog on the ground that
# walks into the player standing still, the bird overhead. Then the same level
# again from the menu: a fresh screen.
start
click avert.OKButton
set frmaut.vie.Value 10
select frmmenu.File1 "perdu.lev"
click frmmenu.Command1
get frmsaut.energie
get frmsaut.mech2(1).Visible
get frmsaut.mech2(2).Visible
get frmsaut.mech3.Visible
key frmsaut 27
# The mouse on the player's centre: he stays where he is.
mouse frmsaut move 0 14107.5 5000
fire frmsaut.Timer1 150
get frmsaut.joueur.Left
get frmsaut.mech2(1).Left
get frmsaut.energie
get frmsaut.vie.Width
fire frmsaut.Timer1 100
get frmsaut.energie
get frmsaut.vie.Width
get frmsaut.Timer1.Enabled
get frmaffpg.Picture
fire frmsaut.Timer3
get frmsaut.Label1.Caption
get frmsaut.Label3.Caption
click frmaffpg.menu
# Again: everything starts afresh.
click frmmenu.Command1
get frmsaut.energie
get frmsaut.nbgris
get frmsaut.tuesgris
get frmsaut.joueur.Left
get frmsaut.pause.Visible
