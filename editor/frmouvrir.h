// The editor's open dialog.
#pragma once

#include "toolkit/screen.h"

namespace zelk {

class frmouvrir : public tk::Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "frmouvrir";
    explicit frmouvrir(tk::Program& program);
    void Form_Load() override;

    tk::FileListBox File1;
    tk::CommandButton Command1, Command2;
    tk::Picture Image1;

private:
    void open();
};

}  // namespace zelk
