# Pictures of every screen, for looking at them: `make screenshots`.
# SHOTS is replaced by the output folder.
start
snap avert SHOTS/avert.png
click avert.OKButton
select frmmenu.File1 "niveau1.lev"
snap frmmenu SHOTS/frmmenu.png
show frmopt
snap frmopt SHOTS/frmopt.png
click frmmenu.Command6
snap frmaut SHOTS/frmaut.png
click frmmenu.Command7
snap frmTip SHOTS/frmTip.png
click frmmenu.Command5
snap frmaide SHOTS/frmaide.png
click frmmenu.Command4
snap frmfin SHOTS/frmfin.png
