// The Zelk program object: knows every screen of the game and starts on the
// first one.
#pragma once

#include <cstdint>

#include "toolkit/program.h"

namespace zelk {

class ZelkProgram : public tk::Program {
    Q_OBJECT
public:
    ZelkProgram(tk::Services& services, bool frozenTime);
    void start() override;

    // The loop counter shared by the whole program: the game's platform loops
    // (the player's landing, the grey frogs). Every user sets it first.
    int16_t cpt = 0;
};

}  // namespace zelk
