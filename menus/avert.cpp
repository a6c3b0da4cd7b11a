#include "menus/avert.h"

#include <QDir>

#include "map/screenmap.h"
#include "menus/resol.h"
#include "toolkit/colours.h"

namespace zelk {

avert::avert(tk::Program& program)
    : tk::Screen(program, kName, 5715, 2730),
      Timer1(*this, "Timer1", 350, true),
      Command2(*this, "Command2", {120, 1440, 3375, 735}, QStringLiteral("Lisez-moi (important)")),
      OKButton(*this, "OKButton", {3600, 1440, 2055, 1215}, QStringLiteral("Commencer")),
      CancelButton(*this, "CancelButton", {120, 2280, 1335, 375}, QStringLiteral("Quitter")),
      Command1(*this, "Command1", {1560, 2280, 1935, 375}, QStringLiteral("Passer en 1024 x 768")) {
    setCaption(QStringLiteral("!!!"));
    setBackColor(QColor(255, 128, 0));
    setLeft(2175);
    setTop(1935);

    Label5.setRect(840, 120, 5295, 1215);
    Label5.Caption = QStringLiteral(
        "Il est conseillé d'abaisser le menu démarrer pour jouer et de "
        "passer en resolution 1024 *768");
    Label5.ForeColor = QColor(0, 0, 255);
    Label5.FontSize = 13.5f;
    add(Label5, "Label5");
    pan.setRect(120, 360, 600, 600);
    pan.setImage(QImage(QStringLiteral(":/art/warning.png")), QStringLiteral("warning.png"));
    pan.fallback = QStringLiteral("!");
    add(pan, "pan");

    Command2.setIcon(QImage(QStringLiteral(":/art/readme.png"))
                         .scaled(32, 32, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    OKButton.setBackColor(tk::kYellow);
    OKButton.setIcon(QImage(QStringLiteral(":/art/grey_frog.png"))
                         .scaled(51, 38, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    OKButton.Default = true;

    Timer1.Tick = [this] { pan.Visible = !pan.Visible; };
    OKButton.Click = [this] {
        tk::Program& p = this->program();
        p.unload<avert>();
        ScreenMap::of(p).showMenu();
    };
    CancelButton.Click = [this] { this->program().end(); };
    Command2.Click = [this] {
        tk::Services& s = this->program().services();
        const QString readme = QDir(s.dataFolder()).filePath(QStringLiteral("lisez-moi.txt"));
        if (!s.launchViewer(readme)) {
            s.msgBox(QStringLiteral("Aucun visualiseur de texte n'a pu être lancé. Le fichier "
                                    "lisez-moi se trouve ici :\r\n") +
                         QDir::toNativeSeparators(readme),
                     tk::mb::OkOnly | tk::mb::Information, QStringLiteral("Lisez-moi"));
        }
    };
    Command1.Click = [this] { resol::switchDisplay(this->program().services()); };
}

}  // namespace zelk
