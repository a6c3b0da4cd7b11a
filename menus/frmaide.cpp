#include "menus/frmaide.h"

#include "toolkit/program.h"

namespace zelk {

frmaide::frmaide(tk::Program& program)
    : tk::Screen(program, kName, 7665, 5220),
      Command1(*this, "Command1", {5880, 4800, 1695, 375}, QStringLiteral("OK")) {
    setCaption(QStringLiteral("Aide"));
    struct L {
        tk::Label& l;
        const char* name;
        float top, height;
        const char* caption;
        bool large;
    };
    for (const L& x : {
             L{Label1, "Label1", 120, 255,
               "Pour avancer: en bougeant le curseur de droite à gauche", false},
             L{Label2, "Label2", 480, 495,
               "Pour sauter: charger le saut en pressant le boutton gauche de la souris et sauter "
               "en pressanr le boutton droit. Vous pouvez dirigez votre saut en bougeant le "
               "curseur de droite à gauche",
               false},
             L{Label3, "Label3", 1000, 495,
               "Pour poser une fiole pressez le boutton du milieu de la souris ou ENTREE si vous "
               "n'en avez pas. Vous pouvez  placer une fiole à la fois",
               false},
             L{Label4, "Label4", 1560, 255,
               "Appuyez sur ECHAP pour mettre le jeu en pause ou pour y revenir", false},
             L{Label5, "Label5", 2040, 255,
               "BUT DU JEU   Tuer tous les ennemies en leur sautant dessus ou en posant une fiole",
               true},
             L{Label6, "Label6", 2520, 255, "EDITEUR   Pour fabriquer vos niveaux", true},
             L{Label7, "Label7", 2880, 255, "JOUER       Pour jouer au niveau désiré", true},
             L{Label8, "Label8", 3240, 255,
               "CONSEILS  quelques astuces pourraient vous être utiles", true},
             L{Label9, "Label9", 3600, 255, "OPTIONS Les options pourraient vous faciliter le jeu",
               true},
             L{Label10, "Label10", 3960, 495,
               "VOIR Pour prévisualiser un niveau de votre création       SUPPR Pour le supprimer",
               true},
         }) {
        x.l.setRect(120, x.top, 7440, x.height);
        x.l.Caption = QString::fromUtf8(x.caption);
        if (x.large) x.l.FontSize = 9.75f;
        add(x.l, x.name);
    }
    // The keyboard and the pad play as the mouse does; they are said in the
    // strip left of the button.
    touches.setRect(120, 4500, 5640, 615);
    touches.Caption = QStringLiteral(
        "CLAVIER  ← → avancer, ESPACE charger le saut, ↑ sauter, ↓ poser une fiole\n"
        "MANETTE  stick gauche ou croix avancer, A charger le saut, B sauter, X poser une "
        "fiole, START pause");
    add(touches, "touches");
    for (auto [line, name, y] : {std::tuple<tk::Line&, const char*, float>{Line1, "Line1", 1920},
                                 {Line2, "Line2", 2400}}) {
        line.X1 = 120;
        line.X2 = 7560;
        line.Y1 = line.Y2 = y;
        line.BorderColor = QColor(128, 128, 128);
        add(line, name);
    }
    Command1.Click = [this] { this->program().unload<frmaide>(); };
}

}  // namespace zelk
