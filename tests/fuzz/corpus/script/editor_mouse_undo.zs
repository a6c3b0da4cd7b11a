start
click avert.OKButton
click frmmenu.Command3
fire frmedit.Timer1
mouse frmedit at move 0 3130 5500
mouse frmedit at down 1 3130 5500
mouse frmedit at move 1 -2000 12000
mouse frmedit at up 1 -2000 12000
mouse frmedit at down 1 9400 3500
mouse frmedit at move 1 9900 3100
key frmedit 27
mouse frmedit at up 1 9900 3100
key frmedit 39
key frmedit 39
key frmedit 90 ctrl
key frmedit 90 ctrl shift
key frmedit 89 ctrl
click frmedit.annuler
click frmedit.optmech
set frmopt.nbg.Value 0
set frmopt.nb.Value 0
click frmopt.Command1
key frmedit 116
key frmsaut 27
fire frmsaut.Timer1
click frmaffpg.menu
answer msgbox 2
click frmedit.quit
answer msgbox 7
click frmedit.ouv
get frmedit.modifie
