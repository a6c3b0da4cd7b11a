// The help screen.
#pragma once

#include "toolkit/screen.h"

namespace zelk {

class frmaide : public tk::Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmaide";
    explicit frmaide(tk::Program& program);

    tk::Label Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10;
    tk::Label touches;  // the keyboard and the pad, under the rest
    tk::Line Line1, Line2;
    tk::CommandButton Command1;
};

}  // namespace zelk
