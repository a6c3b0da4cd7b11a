// The Zelk program object: knows every screen of the game and starts on the
// first one.
#pragma once

#include "toolkit/program.h"

namespace zelk {

class ZelkProgram : public tk::Program {
    Q_OBJECT
public:
    ZelkProgram(tk::Services& services, bool frozenTime);
    void start() override;
};

}  // namespace zelk
