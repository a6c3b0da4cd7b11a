// The Velmo program object: one screen, the jump test bed.
#pragma once

#include "toolkit/program.h"

namespace velmo {

class VelmoProgram : public tk::Program {
    Q_OBJECT
public:
    VelmoProgram(tk::Services& services, bool frozenTime);
    static constexpr const char* kTitle = "Velmo";
    QString title() const override { return QString::fromLatin1(kTitle); }
    void start() override;
};

}  // namespace velmo
