// Enemy options: the current level's bird, bird speed, green and grey frogs
// and vials. Its controls edit the program's options model: each change is
// written there at once, and what code puts there is shown here.
#pragma once

#include "level/options.h"
#include "toolkit/screen.h"

namespace zelk {

class frmopt : public tk::Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmopt";
    explicit frmopt(tk::Program& program);
    void Form_Load() override;
    void Form_Unload() override;

    // Options written into the controls (their events fire, as the user's
    // changes do).
    void apply(const level::EnemyOptions& e);
    // The options the controls hold.
    level::EnemyOptions enemyOptions() const;

    tk::Label Label1, Label9, Label2, Label3, Label4, Label11, Label5, Label6, Label8, Label7,
        Label10;
    tk::CheckBox ois;
    tk::HScrollBar vitois, nb, nbg;
    tk::ListBox nbf;
    tk::CommandButton Command1;

private:
    level::EnemyOptions& model();
};

}  // namespace zelk
