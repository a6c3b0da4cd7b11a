#include "prototype/program.h"

#include "prototype/frmsaut.h"

// The pictures are built into a static library, whose resources must be
// registered by hand; the macro only works outside a namespace.
static void initVelmoResources() {
    Q_INIT_RESOURCE(velmo);
}

namespace velmo {

VelmoProgram::VelmoProgram(tk::Services& services, bool frozenTime)
    : tk::Program(services, frozenTime) {
    initVelmoResources();
    registerScreen<frmsaut>();
}

void VelmoProgram::start() {
    show<frmsaut>();
}

}  // namespace velmo
