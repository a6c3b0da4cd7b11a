#include "program.h"

#include "app/screens.h"

// The embedded pictures live in a static library: make sure they are linked in.
static void initArt() { Q_INIT_RESOURCE(art); }

namespace zelk {

ZelkProgram::ZelkProgram(tk::Services& services, bool frozenTime)
    : tk::Program(services, frozenTime) {
    initArt();
    registerScreens(*this);
}

void ZelkProgram::start() { show(QString::fromLatin1(kFirstScreen)); }

}  // namespace zelk
