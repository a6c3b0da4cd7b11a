// The Velmo program object: one screen, the jump test bed.
#pragma once

#include "toolkit/program.h"

namespace velmo {

class VelmoProgram : public tk::Program {
    Q_OBJECT
public:
    VelmoProgram(tk::Services& services, bool frozenTime);
    void start() override;
};

}  // namespace velmo
