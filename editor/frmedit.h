// The level editor: the six platforms of one level, moved and resized with
// the arrow keys, and the file commands that save and open levels.
#pragma once

#include "toolkit/screen.h"

namespace level {
struct Level;
}

namespace zelk {

class frmedit : public tk::Screen {
    Q_OBJECT
    Q_PROPERTY(QString nomfichier MEMBER nomfichier)
public:
    static constexpr const char* kName = "frmedit";
    // Name of a new level.
    static constexpr const char* kNewLevel = "sansnom.lev";

    explicit frmedit(tk::Program& program);
    void Form_KeyDown(int keyCode, int shift) override;

    // Unchecks the six platform items.
    void tot();
    // The platform the arrows act on: Shape1(k + 1) for item k.
    int selected() const;
    // Keeps the platforms within the editor's bounds.
    void limits();
    // The level as it would be saved now.
    level::Level currentLevel();
    // Writes the level to a file of the level folder and says how it went.
    void writeLevel(const QString& fileName);

    // Whether a name typed for "Sauvegerder sous..." can be a level file name;
    // when not, `why` says what is wrong, in French.
    static bool acceptableName(const QString& name, QString& why);

    QString nomfichier;  // the file "Sauvegarder" writes to

    tk::ElementArray<tk::Shape> Shape1;
    tk::ElementArray<tk::Label> Label1;
    tk::Line Line1, Line2;
    tk::TextBox Text1;
    tk::Timer Timer1;
    tk::MenuItem fich, menu, ouv, ssave, save, quit;
    tk::MenuItem optmech;
    tk::MenuItem cs, un, deux, trois, quatre, cinq, six;
    tk::MenuItem mode, lh, posi;

private:
    void buildLayout();
    void wireMenus();
    void saveAs();
    void centreLabels();
};

}  // namespace zelk
