#include "app/screens.h"
#include "editor/frmedit.h"
#include "editor/frmouvrir.h"
#include "game/frmaffpg.h"
#include "game/frmsaut.h"
#include "menus/avert.h"
#include "menus/frmTip.h"
#include "menus/frmaide.h"
#include "menus/frmaut.h"
#include "menus/frmfin.h"
#include "menus/frmmenu.h"
#include "menus/frmopt.h"
#include "menus/frmpre.h"
#include "toolkit/program.h"

namespace zelk {

void registerScreens(tk::Program& program) {
    program.registerScreen<avert>();
    program.registerScreen<frmmenu>();
    program.registerScreen<frmopt>();
    program.registerScreen<frmaut>();
    program.registerScreen<frmsaut>();
    program.registerScreen<frmaffpg>();
    program.registerScreen<frmTip>();
    program.registerScreen<frmaide>();
    program.registerScreen<frmfin>();
    program.registerScreen<frmpre>();
    program.registerScreen<frmedit>();
    program.registerScreen<frmouvrir>();
}

}  // namespace zelk
