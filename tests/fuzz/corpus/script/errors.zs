bogus command
get nowhere.x
set frmaut.dep.Value 999
set frmaut.dep.Value "1e9"
click frmmenu.Nothing(3)
get frmsaut.mech1(-1).Left
key frmsaut notanumber
select frmmenu.File1 "absent.lev"
"unterminated
fire frmedit.Timer1 100000
snap frmmenu /tmp/nope.png
