#: --program velmo
# A charged left-click jump from the ground: up, the pause, down and left.
start
get frmsaut.Caption
fire frmsaut.Timer1
get frmsaut.joueur.Top
get frmsaut.basesaut
key frmsaut 32
key frmsaut 32
key frmsaut 32
key frmsaut 32
key frmsaut 32
key frmsaut 32
key frmsaut 32
keyup frmsaut 32
get frmsaut.puiss
get frmsaut.delai
mouse frmsaut down 1 14000 8000
mouse frmsaut up 1 14000 8000
get frmsaut.etat
get frmsaut.sens
get frmsaut.delai
# 1050 high: six steps up, then the pause
fire frmsaut.Timer1 6
get frmsaut.joueur.Top
get frmsaut.etat
fire frmsaut.Timer2 3
get frmsaut.joueur.Left
fire frmsaut.Timer1 6
get frmsaut.etat
get frmsaut.joueur.Top
# the first pause lasts six ticks: its last one turns it into a fall
fire frmsaut.Timer1 1
get frmsaut.etat
get frmsaut.joueur.Top
fire frmsaut.Timer1 2
get frmsaut.joueur.Top
# fifteen steps of 85 pass the ground's top; the next tick stands him on it
fire frmsaut.Timer1 14
get frmsaut.etat
get frmsaut.sens
get frmsaut.puiss
get frmsaut.joueur.Top
fire frmsaut.Timerhsaut
get frmsaut.hsauts.Width
