// Game options: speed, difficulty, the most grey frogs on screen at once, lag
// simulation, day or night. Its controls edit the program's options model,
// each change written there at once; the settings file keeps the model's
// game options from one run to the next.
#pragma once

#include "level/options.h"
#include "toolkit/screen.h"

namespace zelk {

class frmaut : public tk::Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmaut";
    explicit frmaut(tk::Program& program);

    // The difficulty as a percentage text, "100" for the start value.
    static QString percentage(int value, int max);

    // The settings the controls hold, and the controls set to some (through
    // their handlers, as the user sets them; nothing is written).
    level::GameSettings settings() const;
    void apply(const level::GameSettings& s);

    // The settings kept into the model, and shown.
    void Form_Load() override;
    // The close box keeps the choices, as "OK" does.
    bool Form_QueryClose() override;

    tk::Label Label1, Label7, Label2, Label3, Label4, s, Label5, Label6, Label8, Label9;
    tk::HScrollBar dep;
    tk::CommandButton Command6;
    tk::CheckBox ram;
    tk::HScrollBar vie;
    tk::CommandButton Command1, Command3;
    tk::HScrollBar maxgb;
    tk::OptionButton jour, nuit;
    tk::CommandButton Command2;

private:
    level::GameSettings& model();
    // Writes the model's settings after a change of a control.
    void keep();

    level::SettingsFile file_;
    bool applying_ = false;
};

}  // namespace zelk
