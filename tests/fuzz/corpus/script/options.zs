# Option screens: values written from the driver raise their events; closing
# a screen with its close box loses its values.
set frmopt.vitois.Value 41
get frmopt.Label2.Caption
click frmopt.ois
get frmopt.Label2.Enabled
get frmopt.vitois.Enabled
set frmopt.nbf.Text ""
get frmopt.nbf.ListIndex
set frmaut.vie.Value 11
get frmaut.Label6.Caption
click frmaut.ram
get frmaut.dep.Enabled
set frmaut.vie.Value 300
get frmaut.vie.Value
unload frmopt
get frmopt.vitois.Value
get frmopt.Label2.Caption
