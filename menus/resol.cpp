#include "menus/resol.h"

#include <QString>

namespace zelk::resol {

tk::Services::DisplayChange switchDisplay(tk::Services& services) {
    using Change = tk::Services::DisplayChange;
    const Change change = services.requestDisplayMode(kWidth, kHeight);
    QString why;
    switch (change) {
        case Change::NoSuchMode:
            why = QStringLiteral("cet écran n'a pas de mode %1 x %2.");
            break;
        case Change::Unsupported:
            why = QStringLiteral(
                "ce système d'affichage ne laisse pas le jeu changer de mode ; choisissez "
                "%1 x %2 dans les réglages de l'écran de votre bureau.");
            break;
        case Change::Refused:
            why = QStringLiteral("l'écran a refusé de passer en %1 x %2.");
            break;
        case Change::Switched:
        case Change::Already:
            return change;
    }
    services.msgBox(
        QStringLiteral("L'affichage n'a pas été changé : ") + why.arg(kWidth).arg(kHeight),
        tk::mb::OkOnly | tk::mb::Exclamation, QStringLiteral("Passer en 1024 x 768"));
    return change;
}

}  // namespace zelk::resol
