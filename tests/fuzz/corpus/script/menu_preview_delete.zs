start
click avert.OKButton
select frmmenu.File1 "niveau2.lev"
click frmmenu.Command8
get frmpre.Shape1(3).Top
unload frmpre
select frmmenu.File1 "court.lev"
click frmmenu.Command8
answer msgbox 6
click frmmenu.Command2
set frmmenu.File1.Path "/"
set frmmenu.File1.ListIndex 0
click frmmenu.Command7
click frmTip.cmdNextTip
set frmTip.TipIndex 99999
click frmTip.cmdNextTip
click frmmenu.Command4
click frmfin.Label16
