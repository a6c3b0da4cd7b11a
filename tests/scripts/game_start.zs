# Starting levels: the warning (with the lag sentence when lag simulation is
# on), night scenery, the lag tick; an unreadable level leaves everything as
# it was, after the warning.
start
click frmmenu.Command1
set frmaut.ram.Value 1
click frmaut.nuit
select frmmenu.File1 "perdu.lev"
click frmmenu.Command1
get frmsaut.Caption
get frmsaut.Width
get frmsaut.Timer1.Interval
get frmsaut.BackColor
get frmsaut.tem.Picture
get frmsaut.nbf.Caption
get frmsaut.mech3.Visible
get frmopt.ois.Value
get frmopt.nbf.Text
# A level with a vial count that no list item has.
select frmmenu.File1 "illisible.lev"
click frmmenu.Command1
get frmsaut.Caption
get frmopt.ois.Value
get frmopt.nbf.Text
set frmaut.ram.Value 0
click frmaut.jour
set frmaut.dep.Value 1
select frmmenu.File1 "vide.lev"
click frmmenu.Command1
get frmsaut.Timer1.Interval
get frmsaut.BackColor
get frmsaut.tem.Picture
