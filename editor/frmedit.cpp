#include "editor/frmedit.h"

#include <QDir>
#include <QFileInfo>

#include "editor/frmouvrir.h"
#include "game/frmsaut.h"
#include "game/platforms.h"
#include "game/rules.h"
#include "level/levelfile.h"
#include "menus/frmaut.h"
#include "menus/frmfin.h"
#include "menus/frmmenu.h"
#include "menus/frmopt.h"
#include "toolkit/program.h"

namespace zelk {

namespace {

// Editing steps and bounds, twips.
constexpr float kMoveStepX = 50, kMoveStepY = 40;    // move mode
constexpr float kResizeStep = 25;                    // resize mode, widths
constexpr float kResizeStepY = 20;                   // resize mode, heights
constexpr float kMinWidth = 1000, kMinHeight = 255;  // no shrinking at or below these
constexpr float kTopLimit = 2000, kBottomLimit = 8400;
constexpr float kMaxWidth = 14500, kMaxHeight = 8000;
// Longest name "Sauvegerder sous..." accepts, in bytes with ".lev" (file systems stop at 255).
constexpr int kMaxNameBytes = 250;

const QColor kYellow(255, 255, 0);

// Start layout: left, top, width, height of the ground and platforms 1 to 6.
constexpr float kStart[kShapeCount][4] = {
    {0, 10440, 19995, 375},   {1920, 8520, 1095, 1695}, {3120, 5400, 3135, 1455},
    {9240, 3360, 3135, 1455}, {2040, 2640, 3135, 1455}, {5880, 3120, 3135, 1455},
    {7560, 5520, 3135, 1455},
};

}  // namespace

frmedit::frmedit(tk::Program& program)
    : tk::Screen(program, kName, 15210, 11010),
      Shape1(*this, "Shape1"),
      Label1(*this, "Label1"),
      Text1(*this, "Text1", {0, 0, 1215, 285}, QStringLiteral("sansnom")),
      Timer1(*this, "Timer1", 30, true),
      fich(*this, "fich", QStringLiteral("Fichier")),
      menu(*this, "menu", QStringLiteral("Menu"), &fich),
      ouv(*this, "ouv", QStringLiteral("Ouvrir..."), &fich),
      ssave(*this, "ssave", QStringLiteral("Sauvegerder sous..."), &fich),
      save(*this, "save", QStringLiteral("Sauvegarder"), &fich),
      quit(*this, "quit", QStringLiteral("Quitter tout le jeu"), &fich),
      optmech(*this, "optmech", QStringLiteral("Options méchants")),
      cs(*this, "cs", QStringLiteral("Changer de shape")),
      un(*this, "un", QStringLiteral("1"), &cs),
      deux(*this, "deux", QStringLiteral("2"), &cs),
      trois(*this, "trois", QStringLiteral("3"), &cs),
      quatre(*this, "quatre", QStringLiteral("4"), &cs),
      cinq(*this, "cinq", QStringLiteral("5"), &cs),
      six(*this, "six", QStringLiteral("6"), &cs),
      mode(*this, "mode", QStringLiteral("Changer de mode")),
      lh(*this, "lh", QStringLiteral("Largeur/Hauteur"), &mode),
      posi(*this, "posi", QStringLiteral("Position"), &mode) {
    buildLayout();
    wireMenus();
}

void frmedit::buildLayout() {
    setCaption(QStringLiteral("Editeur"));
    setBackColor(QColor(0, 0, 255));
    for (int k = kGround; k <= kShapeCount; ++k) {
        tk::Shape& s = Shape1.add(k);
        const float* r = kStart[k - 1];
        s.setRect(r[0], r[1], r[2], r[3]);
        s.ShapeKind = tk::RoundedRectangle;
        s.BackStyle = tk::Opaque;
        s.BackColor = kYellow;
        s.FillStyle = tk::FillDownwardDiagonal;
        s.FillColor = k == kGround ? QColor(128, 64, 0) : QColor(192, 64, 0);
        s.BorderColor = k == kGround ? QColor(0, 0, 0) : QColor(64, 0, 0);
    }
    for (int k = kGround + 1; k <= kShapeCount; ++k) {
        tk::Label& l = Label1.add(k);
        l.Width = 615;
        l.Height = 375;
        l.Caption = QString::number(k - 1);
        l.BackStyle = tk::Opaque;
        l.BackColor = Qt::white;
        l.Alignment = tk::AlignCenter;
        l.FontSize = 12;
    }
    centreLabels();
    for (auto [line, name, x1, x2, y] :
         {std::tuple<tk::Line&, const char*, float, float, float>{Line1, "Line1", -50, 20000, 2000},
          {Line2, "Line2", -120, 19930, 10200}}) {
        line.X1 = x1;
        line.X2 = x2;
        line.Y1 = line.Y2 = y;
        line.BorderColor = QColor(255, 0, 0);
        line.BorderWidth = 2;
        add(line, name);
    }
    Text1.setVisible(false);
    un.setChecked(true);
    posi.setChecked(true);
}

// The menus and the timer: the platform items pick the platform, the mode
// items what the arrows do; the Fichier items save, open and leave.
void frmedit::wireMenus() {
    tk::MenuItem* items[] = {&un, &deux, &trois, &quatre, &cinq, &six};
    for (tk::MenuItem* item : items) {
        item->Click = [this, item] {
            tot();
            item->setChecked(true);
        };
    }
    posi.Click = [this] {
        posi.setChecked(true);
        lh.setChecked(false);
    };
    lh.Click = [this] {
        lh.setChecked(true);
        posi.setChecked(false);
    };
    Timer1.Tick = [this] {
        if (nomfichier.isEmpty()) {
            nomfichier = QString::fromLatin1(kNewLevel);
            Text1.setText(nomfichier);
        }
        nomfichier = Text1.text();
        centreLabels();
    };
    save.Click = [this] {
        writeLevel(nomfichier.isEmpty() ? QString::fromLatin1(kNewLevel) : nomfichier);
    };
    ssave.Click = [this] { saveAs(); };
    ouv.Click = [this] { this->program().show<frmouvrir>(); };
    menu.Click = [this] {
        tk::Program& p = this->program();
        p.show<frmmenu>();
        setWindowState(tk::Minimized);
        p.get<frmmenu>().File1.refresh();
    };
    optmech.Click = [this] { this->program().show<frmopt>().setWindowState(tk::Normal); };
    quit.Click = [this] {
        tk::Program& p = this->program();
        p.show<frmfin>();
        p.unload<frmmenu>();
        p.unload<frmedit>();
        p.unload<frmaut>();
    };
}

void frmedit::tot() {
    for (tk::MenuItem* item : {&un, &deux, &trois, &quatre, &cinq, &six})
        item->setChecked(false);
}

int frmedit::selected() const {
    const tk::MenuItem* items[] = {&un, &deux, &trois, &quatre, &cinq, &six};
    for (int k = 0; k < level::kPlatformCount; ++k)
        if (items[k]->checked()) return k + 2;
    return 2;
}

void frmedit::centreLabels() {
    for (int i = kGround + 1; i <= kShapeCount; ++i) {
        tk::Label& l = Label1(i);
        const tk::Shape& s = Shape1(i);
        l.Left = s.Width / 2 + s.Left - l.Width / 2;
        l.Top = s.Height / 2 + s.Top - l.Height / 2;
    }
}

void frmedit::limits() {
    // The right-hand limit is the game screen's width, read from the game
    // screen itself (loaded hidden if it is not there yet).
    const float right = program().get<frmsaut>().width();
    for (int i = kGround + 1; i <= kShapeCount; ++i) {
        tk::Shape& s = Shape1(i);
        if (s.Left < 0) s.Left = 0;
        if (s.Left + s.Width > right) s.Left = right - s.Width;
        if (s.Top < kTopLimit) s.Top = kTopLimit;
        if (s.Top > kBottomLimit) s.Top = kBottomLimit;
        if (s.Width > kMaxWidth) s.Width = kMaxWidth;
        if (s.Height > kMaxHeight) s.Height = kMaxHeight;
    }
}

void frmedit::Form_KeyDown(int keyCode, int) {
    limits();
    tk::Shape& s = Shape1(selected());
    const bool resize = lh.checked();
    switch (keyCode) {
        case 37:  // left
            if (!resize) {
                s.Left -= kMoveStepX;
            } else if (s.Width > kMinWidth) {
                s.Width -= kResizeStep;
                s.Left += kResizeStep;
            }
            break;
        case 38:  // up
            if (!resize) {
                s.Top -= kMoveStepY;
            } else {
                s.Top -= kResizeStepY;
                s.Height += kResizeStepY;
            }
            break;
        case 39:  // right
            if (!resize) {
                s.Left += kMoveStepX;
            } else {
                s.Left -= kResizeStep;
                s.Width += kResizeStep;
            }
            break;
        case 40:  // down
            if (!resize) {
                s.Top += kMoveStepY;
            } else if (s.Height > kMinHeight) {
                s.Top += kResizeStepY;
                s.Height -= kResizeStepY;
            }
            break;
        default:
            break;
    }
}

level::Level frmedit::currentLevel() {
    level::Level l;
    storePlatforms(Shape1, l);
    program().get<frmopt>().store(l);
    return l;
}

void frmedit::writeLevel(const QString& fileName) {
    tk::Services& sv = program().services();
    const QString path = QDir(sv.levelFolder()).filePath(fileName);
    QString why;
    // Levels live in the level folder and nowhere else. A backslash is an
    // ordinary character of a name here: a listed level may hold one.
    if (QDir::cleanPath(QFileInfo(path).absolutePath()) !=
            QDir::cleanPath(QFileInfo(sv.levelFolder()).absoluteFilePath()) ||
        fileName.contains(u'/')) {
        why = QStringLiteral("ce nom désigne un fichier hors du dossier des niveaux.");
    } else if (level::write(path, currentLevel(), sv.files(), why)) {
        sv.msgBox(QStringLiteral("Fichier enregistré!"), tk::mb::OkOnly | tk::mb::Information,
                  QStringLiteral("OK"));
        return;
    }
    sv.msgBox(QStringLiteral("Le niveau « %1 » n'a pas été enregistré : %2").arg(fileName, why),
              tk::mb::OkOnly | tk::mb::Critical, QStringLiteral("Enregistrement impossible"));
}

bool frmedit::acceptableName(const QString& name, QString& why) {
    bool control = false;
    for (QChar c : name)
        control = control || c.unicode() < 32 || c.unicode() == 127;
    if (name.trimmed().isEmpty()) {
        why = QStringLiteral("il ne contient que des blancs.");
    } else if (name.contains(u'/') || name.contains(u'\\')) {
        why = QStringLiteral("les caractères / et \\ ne sont pas permis.");
    } else if (control) {
        why = QStringLiteral("les caractères de contrôle ne sont pas permis.");
    } else if (name.startsWith(u'.')) {
        why = QStringLiteral("un point au début du nom n'est pas permis.");
    } else if ((name + QStringLiteral(".lev")).toUtf8().size() > kMaxNameBytes) {
        why = QStringLiteral("il est trop long (%1 octets au plus).").arg(kMaxNameBytes - 4);
    } else {
        return true;
    }
    return false;
}

void frmedit::saveAs() {
    tk::Services& sv = program().services();
    const QString answer = sv.inputBox(
        QStringLiteral("Donner un nom a votre sauvegarde (ne pas mettre d'extensions SVP)"),
        QStringLiteral("Nom"), QString());
    if (answer.isEmpty()) {
        nomfichier.clear();  // a cancel: the next tick names the level anew
        return;
    }
    QString why;
    if (!acceptableName(answer, why)) {
        sv.msgBox(QStringLiteral("Le nom « %1 » ne convient pas : %2 Le niveau n'a pas été "
                                 "enregistré.")
                      .arg(answer, why),
                  tk::mb::OkOnly | tk::mb::Exclamation, QStringLiteral("Nom refusé"));
        return;
    }
    // Held until the next tick puts the current name back.
    nomfichier = answer;
    writeLevel(answer + QStringLiteral(".lev"));
}

}  // namespace zelk
