#include "menus/frmfin.h"

#include "toolkit/colours.h"
#include "toolkit/program.h"

namespace zelk {

namespace {
const QColor kWhite(255, 255, 255);
}  // namespace

frmfin::frmfin(tk::Program& program) : tk::Screen(program, kName, 8025, 7425) {
    setCaption(QStringLiteral("Fin"));
    setBackColor(QColor(0, 0, 255));
    setLeft(0);
    setTop(0);
    auto label = [this](tk::Label& l, const char* name, float top, float height, const char* text,
                        QColor color, float size, bool centred = true) {
        l.setRect(240, top, 7545, height);
        l.Caption = QString::fromUtf8(text);
        l.ForeColor = color;
        l.FontSize = size;
        if (centred) l.Alignment = tk::AlignCenter;
        add(l, name);
    };
    label(Label16, "Label16", 120, 495, "Sortir", tk::kYellow, 18);
    Label16.setRect(6000, 120, 1935, 495);
    Label16.ToolTipText = QStringLiteral("Quitter le jeu");
    label(Label1, "Label1", 720, 375, "Une création de l'équipe Zelk", kWhite, 13.5f);
    label(Label2, "Label2", 1080, 375, "Dessins, sons, niveaux et programme faits maison", kWhite,
          13.5f);
    label(Label3, "Label3", 1440, 495, "ZELK", tk::kYellow, 15.75f);
    Label3.FontName = QStringLiteral("Times New Roman");
    Label3.FontBold = true;
    label(Label4, "Label4", 2160, 375, "Merci d'avoir jouer à Zelk", kWhite, 13.5f);
    Line1.X1 = 0;
    Line1.X2 = 8025;
    Line1.Y1 = Line1.Y2 = 3000;
    Line1.BorderColor = Qt::black;
    Line1.BorderWidth = 2;
    add(Line1, "Line1");
    label(Label5, "Label5", 3240, 255,
          "Ce jeu a demandé deux mois de soirées et de week-ends :", kWhite, 8.25f);
    label(Label6, "Label6", 3600, 255, "Programmation du jeu et de l'éditeur : 140 heures",
          tk::kYellow, 8.25f);
    label(Label7, "Label7", 3900, 255, "Dessins et sons : 35 heures", tk::kYellow, 8.25f);
    label(Label8, "Label8", 4200, 255, "Niveaux et réglages : 30 heures", tk::kYellow, 8.25f);
    label(Label9, "Label9", 4500, 255, "Tests : 25 heures          Total : 230 heures", tk::kYellow,
          8.25f);
    label(Label10, "Label10", 4920, 495,
          "Merci de respecter ce travail : partagez le jeu librement, mais ne le faites pas "
          "passer pour le vôtre.",
          kWhite, 8.25f);
    label(Label11, "Label11", 5520, 255,
          "Bientôt : un nouveau jeu de l'équipe, avec encore plus de grenouilles !", kWhite, 8.25f);
    label(Label12, "Label12", 5880, 255, "Pour nous écrire : voyez le fichier lisez-moi.txt",
          kWhite, 8.25f);
    label(Label13, "Label13", 6180, 255,
          "Vos niveaux nous intéressent : envoyez vos fichiers .lev !", kWhite, 8.25f);
    label(Label14, "Label14", 6480, 255, "Zelk v1.0", kWhite, 8.25f);
    label(Label15, "Label15", 6900, 255, "Juillet-Aout 2004", tk::kYellow, 8.25f);
    Label16.Click = [this] { this->program().end(); };
}

}  // namespace zelk
