// The end screen with the credits; "Sortir" ends the program.
#pragma once

#include "toolkit/screen.h"

namespace zelk {

class frmfin : public tk::Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmfin";
    explicit frmfin(tk::Program& program);

    tk::Label Label16;
    tk::Label Label1, Label2, Label3, Label4;  // creator, maker, name, thanks
    tk::Line Line1;
    tk::Label Label5, Label6, Label7, Label8, Label9, Label10, Label11, Label12, Label13, Label14,
        Label15;
};

}  // namespace zelk
