start
click avert.OKButton
click frmmenu.Command3
fire frmedit.Timer1
key frmedit 39
key frmedit 38
click frmedit.lh
key frmedit 37
answer input "mon niveau"
click frmedit.ssave
answer input "../dehors"
click frmedit.ssave
click frmedit.save
click frmedit.ouv
select frmouvrir.File1 "court.lev"
click frmouvrir.Command1
select frmouvrir.File1 "oiseau.lev"
click frmouvrir.Command1
fire frmedit.Timer1
get frmedit.nomfichier
click frmedit.menu
get frmmenu.File1.ListCount
