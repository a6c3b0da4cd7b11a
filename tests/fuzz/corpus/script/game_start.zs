start
click avert.OKButton
select frmmenu.File1 "niveau1.lev"
click frmmenu.Command1
key frmsaut 27
mouse frmsaut move 0 5000 9000
mouse frmsaut down 1 5000 9000
fire frmsaut.Timer1 20
mouse frmsaut up 1 5000 9000
mouse frmsaut down 2 5000 9000
fire frmsaut.Timer1 30
fire frmsaut.Timer2 2
fire frmsaut.Timer3
key frmsaut 13
fire frmsaut.Timer1 40
dump frmsaut
