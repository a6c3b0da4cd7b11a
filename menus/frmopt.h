// Enemy options: the current level's bird, bird speed, green and grey frogs
// and vials. Its elements are the store of these options.
#pragma once

#include "toolkit/screen.h"

namespace level {
struct Level;
}

namespace zelk {

class frmopt : public tk::Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmopt";
    explicit frmopt(tk::Program& program);
    void Form_Load() override;
    void Form_Unload() override;

    // A level's options written into the elements (their events fire).
    void apply(const level::Level& l);
    // The elements' values into a level's options.
    void store(level::Level& l) const;

    tk::Label Label1, Label9, Label2, Label3, Label4, Label11, Label5, Label6, Label8, Label7,
        Label10;
    tk::CheckBox ois;
    tk::HScrollBar vitois, nb, nbg;
    tk::ListBox nbf;
    tk::CommandButton Command1;
};

}  // namespace zelk
