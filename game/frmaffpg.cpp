#include "game/frmaffpg.h"

#include "game/frmsaut.h"
#include "menus/frmmenu.h"
#include "toolkit/program.h"

namespace zelk {

frmaffpg::frmaffpg(tk::Program& program)
    : tk::Screen(program, kName, 10950, 8250),
      menu(*this, "menu", {8760, 7560, 1935, 615}, QStringLiteral("Menu")) {
    setCaption(QStringLiteral("PG"));
    menu.Click = [this] {
        tk::Program& p = this->program();
        p.show<frmmenu>();
        p.unload<frmsaut>();
        p.unload<frmaffpg>();
    };
}

void frmaffpg::showPicture(const QString& fileName, const QString& standIn) {
    setPicture(programPicture(fileName), fileName, standIn);
}

}  // namespace zelk
