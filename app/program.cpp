#include "program.h"

#include "app/screens.h"
#include "menus/avert.h"
#include "toolkit/folders.h"

// The pictures are compiled into the core library; a static library's resource
// table is only linked in when something refers to it.
static void initArt() {
    Q_INIT_RESOURCE(art);
}

namespace zelk {

ZelkProgram::ZelkProgram(tk::Services& services, bool frozenTime)
    : tk::Program(services, frozenTime) {
    initArt();
    registerScreens(*this);
}

void ZelkProgram::start() {
    // The player's level folder is made ready before any screen lists it.
    tk::prepareLevelFolder(services());
    show<avert>();
}

}  // namespace zelk
