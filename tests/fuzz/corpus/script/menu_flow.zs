# The menu opens with the game options minimised; a level's summary; delete
# refused, then accepted; options shown and minimised again.
start
click avert.OKButton
get frmaut.WindowState
get frmmenu.File1.ListCount
select frmmenu.File1 "oiseau.lev"
get frmmenu.quatre.Caption
get frmmenu.cinq.Caption
get frmmenu.deux.Caption
get frmmenu.un.Caption
get frmmenu.trois.Caption
select frmmenu.File1 "court.lev"
get frmmenu.un.Caption
select frmmenu.File1 "start.lev"
answer msgbox 7
click frmmenu.Command2
get frmmenu.File1.ListCount
answer msgbox 6
click frmmenu.Command2
get frmmenu.File1.ListCount
get frmmenu.File1.FileName
get frmmenu.cinq.Caption
click frmmenu.Command6
get frmaut.WindowState
click frmaut.Command2
get frmaut.WindowState
