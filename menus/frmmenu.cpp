#include "menus/frmmenu.h"

#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include "level/levelfile.h"
#include "map/screenmap.h"
#include "menus/frmTip.h"
#include "menus/frmaide.h"
#include "menus/frmpre.h"
#include "menus/speedword.h"
#include "toolkit/colours.h"

namespace zelk {

namespace {

const QColor kButtonBack(128, 128, 255);

// The banner's letters, four columns by five rows each; '#' is a frog.
constexpr const char* kLetters[4][5] = {
    {"####", "..#.", ".#..", "#...", "####"},  // Z
    {"####", "#...", "###.", "#...", "####"},  // E
    {"#...", "#...", "#...", "#...", "####"},  // L
    {"#..#", "#.#.", "##..", "#.#.", "#..#"},  // K
};
// Banner geometry, twips.
constexpr float kCell = 470;     // column and row pitch of the letters
constexpr float kLetterGap = 1;  // empty columns between letters
constexpr float kBannerLeft = 120, kBannerTop = 240, kBannerWidth = 10935, kBannerHeight = 3135;

}  // namespace

frmmenu::frmmenu(tk::Program& program)
    : tk::Screen(program, kName, 11220, 9225),
      Image1(*this, "Image1"),
      Image3(*this, "Image3"),
      Command1(*this, "Command1", {5760, 3960, 5295, 735}, QStringLiteral("JOUER")),
      Command3(*this, "Command3", {360, 3960, 5295, 735}, QStringLiteral("EDITEUR")),
      Command6(*this, "Command6", {360, 4800, 5295, 735}, QStringLiteral("OPTIONS")),
      Command5(*this, "Command5", {360, 5640, 5295, 735}, QStringLiteral("AIDE")),
      Command7(*this, "Command7", {360, 6480, 5295, 735}, QStringLiteral("CONSEILS")),
      Command4(*this, "Command4", {360, 7320, 5295, 735}, QStringLiteral("QUITTER")),
      Command8(*this, "Command8", {8880, 7440, 1095, 495}, QStringLiteral("VOIR")),
      Command2(*this, "Command2", {10080, 7440, 975, 495}, QStringLiteral("SUPPR")),
      // Under VOIR and SUPPR, between the summary's labels: nothing moves.
      Solution(*this, "Solution", {9000, 8190, 2055, 435}, QStringLiteral("SOLUTION")),
      File1(*this, "File1", {5760, 4800, 5295, 2565}, QStringLiteral("*.lev")) {
    setCaption(QStringLiteral("Menu  ZELK                  v1.0"));
    setBackColor(QColor(0, 128, 128));
    buildBanner();

    struct B {
        tk::CommandButton& b;
        const char* tip;
        bool large;
    };
    for (const B& x :
         {B{Command1, "C'est parti! ", true}, B{Command3, "Editez vos niveaux ici", true},
          B{Command6, "Ces options pourraient vous être utiles", true},
          B{Command5, "N'hesitez pas à cliquer", true}, B{Command7, "Quelques astuces....", true},
          B{Command4, "Oh,non! Pas déjà quand même!", true},
          B{Command8, "Previsualiser-moi!", false}, B{Command2, "Note 0/20, à la poubelle!", false},
          B{Solution, "Regardez une partie gagnée de ce niveau", false}}) {
        x.b.setBackColor(kButtonBack);
        x.b.setToolTip(QString::fromUtf8(x.tip));
        if (x.large) x.b.setFontSize(18);
    }
    File1.setFontBold(true);
    File1.setToolTip(QStringLiteral("Choisissez un niveau"));
    File1.widget()->setStyleSheet(QStringLiteral("background-color: rgb(224, 224, 224);"));

    auto label = [this](tk::Label& l, const char* name, float x, float y, float w, float h,
                        const QString& caption, const QString& tip) {
        l.setRect(x, y, w, h);
        l.Caption = caption;
        l.ForeColor = tk::kYellow;
        l.ToolTipText = tip;
        add(l, name);
    };
    label(Label4, "Label4", 5040, 3600, 3135, 255,
          QStringLiteral("Choisir un niveau puis appuyer sur JOUER"),
          QStringLiteral("Inutile d'expliquer!"));
    label(un, "un", 5760, 7440, 3495, 255, QStringLiteral("Nombres de grenouilles grises:"),
          QStringLiteral("Y en a combien?"));
    label(deux, "deux", 5760, 7800, 3735, 375, QStringLiteral("Nombre de grenouilles vertes:"),
          QStringLiteral("Y en a combien?"));
    label(trois, "trois", 5760, 8280, 3135, 255,
          QStringLiteral("Nombre de fioles") + QString(19, u' ') + u':',
          QStringLiteral("C'est le nombre de fioles que vous avez au début"));
    label(quatre, "quatre", 5760, 8640, 2055, 255, QStringLiteral("Oiseau:"),
          QStringLiteral("Si l'oiseau est present ou non"));
    label(cinq, "cinq", 7920, 8640, 1935, 255, QStringLiteral("Vitesse (de l'oiseau) :"),
          QStringLiteral("La vitesse de l'oiseau..."));
    // The player's record of the level, below the whole layout.
    label(record, "record", 360, 8940, 10695, 255, QString(),
          QStringLiteral("Votre meilleure partie de ce niveau"));

    File1.Click = [this] { showSummary(); };
    Command1.Click = [this] { ScreenMap::of(this->program()).startLevel(); };
    Command2.Click = [this] { deleteLevel(); };
    Command3.Click = [this] { ScreenMap::of(this->program()).openEditor(); };
    Command4.Click = [this] { ScreenMap::of(this->program()).quitFromMenu(); };
    Command5.Click = [this] { this->program().show<frmaide>(); };
    Command6.Click = [this] { ScreenMap::of(this->program()).showGameOptions(); };
    Command7.Click = [this] { this->program().show<frmTip>(); };
    Command8.Click = [this] { preview(); };
    Solution.setVisible(false);
    Solution.Click = [this] {
        if (!solution_.isEmpty()) ScreenMap::of(this->program()).showReplayFile(solution_);
    };
}

void frmmenu::Form_OLEDragDrop(const QStringList& paths) {
    for (const QString& path : paths)
        ScreenMap::of(program()).openLevelFile(path);
}

bool frmmenu::Form_QueryClose() {
    Command4.click();  // the window's close box is "QUITTER"
    return false;
}

void frmmenu::buildBanner() {
    Shape1.setRect(kBannerLeft, kBannerTop, kBannerWidth, kBannerHeight);
    Shape1.ShapeKind = tk::RoundedRectangle;
    Shape1.BackStyle = tk::Opaque;
    Shape1.BackColor = QColor(0, 0, 255);
    Shape1.FillStyle = tk::FillTransparent;
    Shape1.BorderWidth = 3;
    add(Shape1, "Shape1");

    const QImage grey(QStringLiteral(":/art/grey_frog.png"));
    const QImage green(QStringLiteral(":/art/green_frog.png"));
    const int columns = 4 * 4 + 3 * static_cast<int>(kLetterGap);
    const float left0 = kBannerLeft + (kBannerWidth - columns * kCell) / 2;
    const float top0 = kBannerTop + (kBannerHeight - 5 * kCell) / 2;
    int nGrey = 0, nGreen = 0;
    for (int letter = 0; letter < 4; ++letter) {
        // Z and L in grey frogs, E and K in green ones.
        const bool isGrey = letter % 2 == 0;
        for (int row = 0; row < 5; ++row) {
            for (int col = 0; col < 4; ++col) {
                if (kLetters[letter][row][col] != '#') continue;
                tk::Picture& p = isGrey ? Image1.add(nGrey++) : Image3.add(nGreen++);
                // Frogs a little smaller than their cell, keeping their own shape.
                const float w = isGrey ? 450 : 410, h = isGrey ? 335 : 380;
                const float x = left0 + (letter * (4 + kLetterGap) + col) * kCell + (kCell - w) / 2;
                const float y = top0 + row * kCell + (kCell - h) / 2;
                p.setRect(x, y, w, h);
                p.setImage(isGrey ? grey : green, isGrey ? QStringLiteral("grey_frog.png")
                                                         : QStringLiteral("green_frog.png"));
            }
        }
    }
    // A larger frog of each kind guarding the ends of the banner.
    Image2.setRect(kBannerLeft + 150, kBannerTop + kBannerHeight - 570 - 180, 765, 570);
    Image2.setImage(grey, QStringLiteral("grey_frog.png"));
    add(Image2, "Image2");
    Image4.setRect(kBannerLeft + kBannerWidth - 150 - 600, kBannerTop + kBannerHeight - 555 - 180,
                   600, 555);
    Image4.setImage(green, QStringLiteral("green_frog.png"));
    add(Image4, "Image4");
}

void frmmenu::Form_Load() {
    tk::Program& p = program();
    File1.setPath(p.services().levelFolder() + u'/');
    setAcceptsFiles(true);
    ScreenMap::of(p).loadOptionScreens();
}

QString frmmenu::selectedPath() const {
    return QDir(program().services().levelFolder()).filePath(File1.fileName());
}

void frmmenu::showSummary() {
    if (File1.fileName().isEmpty()) return;
    level::Summary s;
    if (!ScreenMap::of(program()).readLevel(selectedPath(), File1.fileName(), level::decodeSummary,
                                            s))
        return;
    champ1 = s.first[0];
    champ2 = s.first[1];
    champ3 = s.first[2];
    champ4 = s.first[3];
    quatre.Caption =
        QStringLiteral("Oiseau : ") + (s.bird == 1 ? QStringLiteral("oui") : QStringLiteral("non"));
    cinq.Caption = QStringLiteral("Vitesse : ") + speedWord(s.speed);
    if (s.bird != 1) cinq.Caption = QStringLiteral("Vitesse :");
    deux.Caption = QStringLiteral("Nombres de grenouilles vertes : ") + level::str(s.green);
    un.Caption = QStringLiteral("Nombre de grenouilles grises : ") + level::str(s.grey);
    trois.Caption = QStringLiteral("Nombre de fioles : ") + s.vials;
    showRecord();
}

void frmmenu::showRecord() {
    // A level the game would refuse has no record; the game says why when it
    // is played.
    level::Record rec;
    level::Error err;
    level::Level lev;
    record.Caption.clear();
    solution_.clear();
    if (!File1.fileName().isEmpty() &&
        level::read(selectedPath(), program().services().files(), rec, err) &&
        level::decodeForGame(rec, File1.fileName(), lev, err)) {
        record.Caption = level::recordSummary(ScreenMap::of(program()).recordOf(lev));
        solution_ = ScreenMap::of(program()).solutionOf(lev);
    }
    Solution.setVisible(!solution_.isEmpty());
}

void frmmenu::deleteLevel() {
    const QString name = File1.fileName();
    if (name.isEmpty()) return;
    tk::Services& sv = program().services();
    // Only levels are deleted here, never one of the program's own files.
    QString why = level::levelNameProblem(name);
    if (!why.isEmpty()) {
        sv.msgBox(QStringLiteral("Impossible de supprimer le fichier %1 : %2").arg(name, why),
                  tk::mb::OkOnly | tk::mb::Critical, QStringLiteral("Suppression"));
        return;
    }
    const int answer =
        sv.msgBox(QStringLiteral("Etes vous certain de supprimer le fichier ") + name + u'?',
                  tk::mb::YesNo | tk::mb::Information, QStringLiteral("Confirmation"));
    if (answer == tk::mb::No) return;
    const QString path = selectedPath();
    // A name listed with replacement characters (not UTF-8) has not vanished:
    // the file layer says why it cannot be used.
    const bool undecodable = name.contains(QChar::ReplacementCharacter);
    if (!QFileInfo(path).exists() && !QFileInfo(path).isSymLink() && !undecodable) {
        sv.msgBox(QStringLiteral("Le fichier %1 n'existe plus : un autre programme l'a sans doute "
                                 "supprimé ou déplacé.")
                      .arg(name),
                  tk::mb::OkOnly | tk::mb::Exclamation, QStringLiteral("Suppression"));
    } else if (!sv.files().remove(path, why)) {
        sv.msgBox(QStringLiteral("Impossible de supprimer le fichier %1 : %2").arg(name, why),
                  tk::mb::OkOnly | tk::mb::Critical, QStringLiteral("Suppression"));
    }
    File1.refresh();
}

void frmmenu::preview() {
    if (File1.fileName().isEmpty()) return;
    tk::Program& p = program();
    // Always built afresh for the level selected now.
    p.unload<frmpre>();
    auto& pre = p.get<frmpre>();
    if (!pre.built()) {
        p.unload<frmpre>();  // no half-built preview
        return;
    }
    p.show<frmpre>();
}

}  // namespace zelk
