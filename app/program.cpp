#include "program.h"

#include "app/screens.h"

namespace zelk {

ZelkProgram::ZelkProgram(tk::Services& services, bool frozenTime)
    : tk::Program(services, frozenTime) {
    registerScreens(*this);
}

void ZelkProgram::start() { show(QString::fromLatin1(kFirstScreen)); }

}  // namespace zelk
