# Pictures of every screen, for looking at them: `make screenshots`.
# SHOTS is replaced by the output folder.
start
snap avert SHOTS/avert.png
click avert.OKButton
select frmmenu.File1 "05 - le premier vrai niveau.lev"
snap frmmenu SHOTS/frmmenu.png
show frmopt
snap frmopt SHOTS/frmopt.png
click frmmenu.Command6
snap frmaut SHOTS/frmaut.png
click frmmenu.Command7
snap frmTip SHOTS/frmTip.png
click frmmenu.Command5
snap frmaide SHOTS/frmaide.png
click frmmenu.Command8
snap frmpre SHOTS/frmpre.png
select frmmenu.File1 "13 - le ciel menace.lev"
click frmmenu.Command1
snap frmsaut SHOTS/frmsaut-paused.png
key frmsaut 27
fire frmsaut.Timer2 3
fire frmsaut.Timer1 120
fire frmsaut.Timer3
snap frmsaut SHOTS/frmsaut-running.png
click frmmenu.Command3
snap frmedit SHOTS/frmedit.png
click frmedit.ouv
snap frmouvrir SHOTS/frmouvrir.png
click frmouvrir.Command2
click frmedit.optmech
snap frmopt SHOTS/frmopt-from-editor.png
click frmmenu.Command4
snap frmfin SHOTS/frmfin.png
