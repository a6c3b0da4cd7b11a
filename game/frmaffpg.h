// The result screen: "gagne.JPG" or "perdu.JPG" over the whole screen, the
// game's time and energy left, and the ways on: the same level again, the
// next one, back to the main menu (or to the editor after its "Essayer").
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
    // The game's time at the speed played and the energy left, percent;
    // Enter goes to the next level after a win (when there is one to go
    // to: `next`), plays the same again after a loss.
    void showOutcome(bool won, qint64 gameMs, int energyPercent, bool next);
    // R: "Rejouer".
    void Form_KeyDown(int keyCode, int shift) override;

    tk::Label record, temps, energie;
    tk::CommandButton menu, revoir, enregistrer, rejouer, suivant;
};

}  // namespace zelk
