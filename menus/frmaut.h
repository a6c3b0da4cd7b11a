// Game options: speed, difficulty, the most grey frogs on screen at once, lag
// simulation, day or night. Its elements are the settings; nothing is saved.
#pragma once

#include "toolkit/screen.h"

namespace zelk {

class frmaut : public tk::Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmaut";
    explicit frmaut(tk::Program& program);

    // The difficulty as a percentage text, "100" for the start value.
    static QString percentage(int value, int max);

    tk::Label Label1, Label7, Label2, Label3, Label4, s, Label5, Label6, Label8, Label9;
    tk::HScrollBar dep;
    tk::CommandButton Command6;
    tk::CheckBox ram;
    tk::HScrollBar vie;
    tk::CommandButton Command1, Command3;
    tk::HScrollBar maxgb;
    tk::OptionButton jour, nuit;
    tk::CommandButton Command2;
};

}  // namespace zelk
