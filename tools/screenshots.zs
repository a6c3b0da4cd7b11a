# Pictures of every screen, for looking at them: `make screenshots`.
# SHOTS is replaced by the output folder.
start
select frmmenu.File1 "niveau1.lev"
snap frmmenu SHOTS/frmmenu.png
show frmopt
snap frmopt SHOTS/frmopt.png
click frmmenu.Command6
snap frmaut SHOTS/frmaut.png
