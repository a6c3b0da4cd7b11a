// The start-up warning: the first screen of the program.
#pragma once

#include "toolkit/screen.h"

namespace zelk {

class avert : public tk::Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "avert";
    explicit avert(tk::Program& program);

    tk::Label Label5;
    tk::Picture pan;
    tk::Timer Timer1;
    tk::CommandButton Command2, OKButton, CancelButton, Command1;
};

}  // namespace zelk
