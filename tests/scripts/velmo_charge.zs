#: --program velmo
# The gauge follows the charge, which is dropped two seconds after space is
# released; walking with the arrows stops when a key goes up.
start
key frmsaut 32
key frmsaut 32
key frmsaut 32
fire frmsaut.Timerhsaut
get frmsaut.puiss
get frmsaut.hsauts.Width
keyup frmsaut 32
fire frmsaut.Timerhsaut 199
get frmsaut.puiss
fire frmsaut.Timerhsaut
get frmsaut.puiss
get frmsaut.hsauts.Width
get frmsaut.delai
key frmsaut 39
get frmsaut.sens
fire frmsaut.Timer2 4
get frmsaut.joueur.Left
keyup frmsaut 39
fire frmsaut.Timer2
get frmsaut.joueur.Left
set frmsaut.joueur.Left -10
fire frmsaut.Timer2
get frmsaut.joueur.Left
