#include <memory>

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

namespace {
template <class S>
void add(tk::Program& p) {
    p.registerScreen(QString::fromLatin1(S::kName),
                     [](tk::Program& prog) { return std::make_unique<S>(prog); });
}
}  // namespace

void registerScreens(tk::Program& program) {
    add<avert>(program);
    add<frmmenu>(program);
    add<frmopt>(program);
    add<frmaut>(program);
    add<frmsaut>(program);
    add<frmaffpg>(program);
    add<frmTip>(program);
    add<frmaide>(program);
    add<frmfin>(program);
    add<frmpre>(program);
    add<frmedit>(program);
    add<frmouvrir>(program);
}

}  // namespace zelk
