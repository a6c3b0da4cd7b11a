// The result screen: "gagne.JPG" or "perdu.JPG" over the whole screen, and the
// way back to the main menu, or to the editor after its "Essayer".
#pragma once

#include "toolkit/screen.h"

namespace zelk {

class frmaffpg : public tk::Screen {
    Q_OBJECT
    // The picture file shown, by name.
    Q_PROPERTY(QString Picture READ pictureName)
public:
    static constexpr const char* kName = "frmaffpg";
    explicit frmaffpg(tk::Program& program);

    // Shows a picture of the data folder; a missing one is replaced by a
    // drawn picture that says the outcome.
    void showPicture(const QString& fileName, const QString& standInText, bool won);

    // "Nouveau record !" over the picture, or nothing.
    void showRecord(bool beaten);

    tk::Label record;
    tk::CommandButton menu, revoir, enregistrer;
};

}  // namespace zelk
