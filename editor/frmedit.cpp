#include "editor/frmedit.h"

#include <QDir>
#include <tuple>
#include <utility>
#include <vector>

#include "editor/frmouvrir.h"
#include "game/platforms.h"
#include "game/reach.h"
#include "game/rules.h"
#include "level/levelfile.h"
#include "map/screenmap.h"
#include "toolkit/colours.h"

namespace zelk {

namespace {

// Mouse pointers over a platform, by the edges a press there resizes.
int pointerFor(int edges) {
    switch (edges) {
        case 0:
            return tk::PointerSizeAll;
        case kLeftSide:
        case kRightSide:
            return tk::PointerSizeWE;
        case kTopSide:
        case kBottomSide:
            return tk::PointerSizeNS;
        case kLeftSide | kTopSide:
        case kRightSide | kBottomSide:
            return tk::PointerSizeNWSE;
        default:
            return tk::PointerSizeNESW;
    }
}

// The selection's frame stands this far outside its platform; its handles
// are squares of this side, twips.
constexpr float kFrameGap = 45, kHandleSide = 120;
// Recent levels in the Fichier menu.
constexpr int kRecentCount = Document::kRecentCount;
// The status line fills the strip under the ground, twips.
constexpr float kStatusTop = 10815, kStatusHeight = 195;

// Start layout: left, top, width, height of the ground and platforms 1 to 6.
constexpr float kStart[kShapeCount][4] = {
    {0, 10440, 19995, 375},   {1920, 8520, 1095, 1695}, {3120, 5400, 3135, 1455},
    {9240, 3360, 3135, 1455}, {2040, 2640, 3135, 1455}, {5880, 3120, 3135, 1455},
    {7560, 5520, 3135, 1455},
};

// Shape1(k + kFirstPlatform) shows platform k of the level.
constexpr int kFirstPlatform = kGround + 1;

// The start layout's platforms as a level, with the enemy options left as
// they are.
level::Level startLevel() {
    level::Level l;
    for (int k = 0; k < level::kPlatformCount; ++k) {
        const float* r = kStart[k + 1];
        l = withPlatform(l, k, {r[0], r[1], r[2], r[3]});
    }
    return l;
}

}  // namespace

ScreenMap& frmedit::zelk() {
    return ScreenMap::of(program());
}

frmedit::frmedit(tk::Program& program)
    : tk::Screen(program, kName, level::kPlayfieldWidth, level::kPlayfieldHeight),
      doc_(program.services()),
      Shape1(*this, "Shape1"),
      Label1(*this, "Label1"),
      handles(*this, "handles"),
      Text1(*this, "Text1", {0, 0, 1215, 285}, QStringLiteral("sansnom")),
      Timer1(*this, "Timer1", 30, true),
      checkTimer(*this, "checkTimer", 1, false),
      fich(*this, "fich", QStringLiteral("Fichier")),
      menu(*this, "menu", QStringLiteral("Menu"), &fich),
      ouv(*this, "ouv", QStringLiteral("Ouvrir..."), &fich),
      ssave(*this, "ssave", QStringLiteral("Sauvegerder sous..."), &fich),
      save(*this, "save", QStringLiteral("Sauvegarder"), &fich),
      essayer(*this, "essayer", QStringLiteral("Essayer"), &fich),
      verifier(*this, "verifier", QStringLiteral("Vérifier"), &fich),
      nouveau(*this, "nouveau", QStringLiteral("Nouveau"), &fich),
      recents(*this, "recents", QStringLiteral("Niveaux récents"), &fich),
      recent1(*this, "recent1", QString(), &recents),
      recent2(*this, "recent2", QString(), &recents),
      recent3(*this, "recent3", QString(), &recents),
      recent4(*this, "recent4", QString(), &recents),
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
      posi(*this, "posi", QStringLiteral("Position"), &mode),
      edition(*this, "edition", QStringLiteral("Edition")),
      annuler(*this, "annuler", QStringLiteral("Annuler"), &edition),
      retablir(*this, "retablir", QStringLiteral("Rétablir"), &edition) {
    doc_.replace({startLevel(), doc_.name()});
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
        s.BackColor = tk::kYellow;
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
    // Two pixels wide, inside the window's edge.
    playfieldEnd.X1 = playfieldEnd.X2 = level::kPlayfieldWidth - 15;
    playfieldEnd.BorderWidth = 2;
    playfieldEnd.Y1 = 0;
    playfieldEnd.Y2 = level::kPlayfieldHeight;
    playfieldEnd.BorderColor = QColor(128, 255, 255);
    add(playfieldEnd, "playfieldEnd");

    frame.BorderColor = Qt::white;
    frame.BorderWidth = 2;
    add(frame, "frame");
    for (int i = 1; i <= 8; ++i) {
        tk::Shape& h = handles.add(i);
        h.Width = h.Height = kHandleSide;
        h.FillStyle = tk::FillSolid;
        h.FillColor = Qt::white;
    }

    status.setRect(0, kStatusTop, level::kPlayfieldWidth, kStatusHeight);
    status.ForeColor = Qt::white;
    status.FontSize = 7.5f;
    add(status, "status");
    // The line stands for the screen under it: a press there is the screen's.
    status.MouseDown = [this](int button, int shift, float x, float y) {
        Form_MouseDown(button, shift, x + status.Left, y + status.Top);
    };
    status.MouseMove = [this](int button, int shift, float x, float y) {
        Form_MouseMove(button, shift, x + status.Left, y + status.Top);
    };
    status.MouseUp = [this](int button, int shift, float x, float y) {
        Form_MouseUp(button, shift, x + status.Left, y + status.Top);
    };
    Text1.setVisible(false);
    un.setChecked(true);
    posi.setChecked(true);
}

// The menus and the timer: the platform items pick the platform, the mode
// items what the arrows do; the Fichier items save, open, try and leave.
void frmedit::wireMenus() {
    tk::MenuItem* items[] = {&un, &deux, &trois, &quatre, &cinq, &six};
    for (tk::MenuItem* item : items) {
        item->Click = [this, item] {
            tot();
            item->setChecked(true);
            showSelection();
        };
    }
    posi.Click = [this] {
        posi.setChecked(true);
        lh.setChecked(false);
        showSelection();
    };
    lh.Click = [this] {
        lh.setChecked(true);
        posi.setChecked(false);
        showSelection();
    };
    Timer1.Tick = [this] {
        // The first tick names a new level; a name typed into the hidden box
        // is the file's from the next one.
        if (nomfichier.isEmpty()) {
            nomfichier = QString::fromLatin1(kNewLevel);
            Text1.setText(nomfichier);
        }
        nomfichier = Text1.text();
        doc_.rename(stepName());
        centreLabels();
        showSelection();
    };
    save.Click = [this] { writeLevel(fileName()); };
    save.setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_S)});
    nouveau.Click = [this] { newLevel(); };
    checkTimer.Tick = [this] {
        checkTimer.setEnabled(false);
        checkReach();
    };
    verifier.Click = [this] {
        cancelDrag();
        const bool all = checkReach();
        program().services().msgBox(
            reach_, tk::mb::OkOnly | (all ? tk::mb::Information : tk::mb::Exclamation),
            QStringLiteral("Vérifier"));
    };
    tk::MenuItem* recentItems[kRecentCount] = {&recent1, &recent2, &recent3, &recent4};
    for (int i = 0; i < kRecentCount; ++i) {
        recentItems[i]->Click = [this, i] {
            const QString name = doc_.recentLevels().value(i);
            if (name.isEmpty() || !mayLeave()) return;
            // A level that went away leaves the list.
            if (!openLevel(name)) doc_.forgetRecent(name);
            showRecents();
        };
    }
    doc_.loadRecents();
    showRecents();
    ssave.Click = [this] { saveAs(); };
    ouv.Click = [this] {
        if (mayLeave()) this->program().show<frmouvrir>();
    };
    menu.Click = [this] {
        zelk().showMenu();
        setWindowState(tk::Minimized);
        zelk().refreshLevelList();
    };
    optmech.Click = [this] {
        optionsShown_ = true;
        zelk().showEnemyOptions();
    };
    quit.Click = [this] { zelk().quitFromEditor(); };
    essayer.Click = [this] {
        cancelDrag();
        checkReach();
        takeOptions();
        zelk().tryLevel(doc_.level(), fileName());
    };
    essayer.setShortcuts({QKeySequence(Qt::Key_F5)});
    annuler.Click = [this] { travel(true); };
    annuler.setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
    retablir.Click = [this] { travel(false); };
    retablir.setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    // Any menu command ends a run of arrow presses: the next press starts a step.
    for (QObject* c : children()) {
        if (auto* item = qobject_cast<tk::MenuItem*>(c)) {
            item->Click = [this, h = std::move(item->Click)] {
                doc_.endRun();
                if (h) h();
            };
        }
    }
    for (int k = kGround + 1; k <= kShapeCount; ++k) {
        tk::Label& l = Label1(k);
        l.MouseDown = [this, k](int button, int, float x, float y) {
            mouseDown(button, x + Label1(k).Left, y + Label1(k).Top, k, true);
        };
        l.MouseMove = [this, k](int buttons, int, float x, float y) {
            mouseMove(buttons, x + Label1(k).Left, y + Label1(k).Top, k, true);
        };
        l.MouseUp = [this](int button, int, float, float) {
            if (button == tk::LeftButton && drag_) release();
        };
    }
}

void frmedit::Form_Load() {
    takeOptions();
    doc_.start();
    if (const std::optional<History::Step> found = doc_.offerRecovery()) {
        restore(*found);
        commit();
    }
    showHistory();
}

void frmedit::newLevel() {
    if (!mayLeave()) return;
    History::Step fresh{startLevel(), QString::fromLatin1(kNewLevel)};
    zelk().enemyOptionDefaults(fresh.level);
    restore(fresh);
    opened();
}

bool frmedit::openLevel(const QString& name) {
    level::Level l;
    // Everything is read and checked before the editor changes.
    if (!zelk().readLevel(QDir(program().services().levelFolder()).filePath(name), name,
                          level::decodeForEditor, l))
        return false;
    // The current file at once, not at the next tick: a save in between would
    // write this level over the one set aside.
    doc_.replace({l, name});
    showLevel();
    opened();
    addRecent(name);
    return true;
}

void frmedit::addRecent(const QString& name) {
    doc_.addRecent(name);
    showRecents();
}

void frmedit::showRecents() {
    const QStringList& recent = doc_.recentLevels();
    tk::MenuItem* items[kRecentCount] = {&recent1, &recent2, &recent3, &recent4};
    for (int i = 0; i < kRecentCount; ++i) {
        // A name is shown as it is: "&" would mark a shortcut letter.
        items[i]->setCaption(QStringLiteral("%1 %2").arg(i + 1).arg(
            QString(recent.value(i)).replace(u'&', QStringLiteral("&&"))));
        items[i]->setVisible(i < recent.size());
    }
    recents.setEnabled(!recent.isEmpty());
}

bool frmedit::checkReach() {
    const std::vector<int> unreachable = unreachablePlatforms(program().services(), doc_.level());
    reach_ = reachSentence(unreachable);
    reachChecked_ = doc_.level();
    showSelection();
    return unreachable.empty();
}

void frmedit::showSelection() {
    applyPlatforms(Shape1, doc_.level());
    const Rect s = doc_.platform(selectedPlatform());
    frame.setRect(s.left - kFrameGap, s.top - kFrameGap, s.width + 2 * kFrameGap,
                  s.height + 2 * kFrameGap);
    const float x[] = {frame.Left, frame.Left + frame.Width / 2, frame.Left + frame.Width};
    const float y[] = {frame.Top, frame.Top + frame.Height / 2, frame.Top + frame.Height};
    // Corners, then the middles of the top, bottom, left and right sides.
    const int at[8][2] = {{0, 0}, {2, 0}, {0, 2}, {2, 2}, {1, 0}, {1, 2}, {0, 1}, {2, 1}};
    const bool resize = lh.checked();
    for (int i = 1; i <= 8; ++i) {
        tk::Shape& h = handles(i);
        h.Left = x[at[i - 1][0]] - kHandleSide / 2;
        h.Top = y[at[i - 1][1]] - kHandleSide / 2;
        h.Visible = resize;
    }

    QString text =
        QStringLiteral(
            "Sauvegarder : %1     Plate-forme %2     Mode : %3     Left %4   "
            "Top %5   Width %6   Height %7")
            .arg(fileName())
            .arg(selected() - kGround)
            .arg(resize ? lh.caption() : posi.caption())
            .arg(level::str(s.left), level::str(s.top), level::str(s.width), level::str(s.height));
    if (reachChecked_ && reachChecked_->geometry == doc_.level().geometry)
        text += QStringLiteral("     ") + reach_;
    status.Caption = text;
    // The title names the file too, once it is not a new level's.
    setCaption(fileName() == QLatin1String(kNewLevel)
                   ? QStringLiteral("Editeur")
                   : QStringLiteral("Editeur — %1").arg(fileName()));
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

int frmedit::selectedPlatform() const {
    return selected() - kFirstPlatform;
}

void frmedit::centreLabels() {
    for (int i = kFirstPlatform; i <= kShapeCount; ++i) {
        tk::Label& l = Label1(i);
        const Rect s = doc_.platform(i - kFirstPlatform);
        l.Left = s.width / 2 + s.left - l.Width / 2;
        l.Top = s.height / 2 + s.top - l.Height / 2;
    }
}

void frmedit::limits() {
    // The right-hand limit is the game screen's width.
    doc_.keepWithinLimits(zelk().gameScreenWidth());
    applyPlatforms(Shape1, doc_.level());
}

void frmedit::takeShownPlatforms() {
    History::Step shown = doc_.step();
    storePlatforms(Shape1, shown.level);
    doc_.replace(shown);
}

void frmedit::Form_KeyDown(int keyCode, int) {
    if (drag_) {
        // The dragged platform follows the mouse until the button comes up;
        // Escape puts it back.
        if (keyCode == tk::key::Escape) cancelDrag();
        return;
    }
    takeOptions();
    const bool pending = doc_.pending();
    limits();
    const bool arrow = keyCode >= tk::key::Left && keyCode <= tk::key::Down;
    if (!arrow && !pending) {
        // A key with no action of its own (a modifier before its letter, a
        // shortcut's key, ...) keeps the limits pass out of the history, so
        // that it never ends the redo list: undo and redo pass over it.
        doc_.passedLimits();
        showHistory();  // still a change of the level: the mark and the copy say so
        return;
    }
    const int k = selectedPlatform();
    const bool resize = lh.checked();
    if (arrow)
        doc_.place(k,
                   stepped(doc_.platform(k), static_cast<Arrow>(keyCode - tk::key::Left), resize));
    commit(arrow ? History::Run{keyCode, resize, selected()} : History::Run{});
}

// ---- Mouse editing. A drag counts whole steps of the arrow keys from where
// it started, so that the mouse only gives what the keys could give.

int frmedit::platformAt(float x, float y) const {
    for (int i = kShapeCount; i > kGround; --i)
        if (Shape1(i).Visible && Shape1(i).contains(x, y)) return i;
    return 0;
}

void frmedit::Form_MouseDown(int button, int, float x, float y) {
    mouseDown(button, x, y, platformAt(x, y), false);
}

void frmedit::Form_MouseMove(int buttons, int, float x, float y) {
    mouseMove(buttons, x, y, platformAt(x, y), false);
}

void frmedit::Form_MouseUp(int button, int, float, float) {
    if (button == tk::LeftButton && drag_) release();
}

void frmedit::mouseDown(int button, float x, float y, int shape, bool handle) {
    if (button != tk::LeftButton || drag_ || shape == 0) return;
    // Selected exactly as its item of "Changer de shape" does it.
    tk::MenuItem* items[] = {&un, &deux, &trois, &quatre, &cinq, &six};
    items[shape - kGround - 1]->click();
    const int k = shape - kFirstPlatform;
    const Rect r = doc_.platform(k);
    drag_ = Drag{k, {handle ? 0 : edgesAt(r, x, y), x, y, r}};
    setMousePointer(pointerFor(drag_->grab.edges));
}

void frmedit::mouseMove(int buttons, float x, float y, int shape, bool handle) {
    if (!drag_) {
        setMousePointer(
            shape == 0
                ? tk::PointerDefault
                : pointerFor(handle ? 0 : edgesAt(doc_.platform(shape - kFirstPlatform), x, y)));
    } else if (buttons & tk::LeftButton) {
        follow(x, y);
    } else {
        release();  // the button came up where the editor did not see it
    }
}

// The dragged edges stop at the limits as the drag goes, wherever the
// pointer goes.
void frmedit::follow(float x, float y) {
    const int k = drag_->platform;
    doc_.place(k, dragged(drag_->grab, x, y, zelk().gameScreenWidth(), doc_.platform(k)));
    showSelection();
}

void frmedit::release() {
    const Drag d = *drag_;
    drag_.reset();
    const int k = d.platform;
    // The drag kept its edges within the limits; a platform that was beyond
    // them before (from a file, or left by a key) is brought within.
    if (!(doc_.platform(k) == d.grab.start))
        doc_.place(k, fitted(doc_.platform(k), zelk().gameScreenWidth()));
    commit();
}

void frmedit::cancelDrag() {
    if (!drag_) return;
    doc_.place(drag_->platform, drag_->grab.start);
    drag_.reset();
    setMousePointer(tk::PointerDefault);
    showSelection();
}

// ---- History and unsaved changes.

void frmedit::takeOptions() {
    level::Level l;
    zelk().storeEnemyOptions(l);
    doc_.chooseOptions(level::EnemyOptions::of(l));
    doc_.rename(stepName());
}

QString frmedit::fileName() const {
    return nomfichier.isEmpty() ? QString::fromLatin1(kNewLevel) : nomfichier;
}

QString frmedit::stepName() const {
    return nomfichier.isEmpty() ? QString::fromLatin1(kNewLevel) : Text1.text();
}

void frmedit::commit(const History::Run& run) {
    takeOptions();
    doc_.commit(run);
    showHistory();
}

void frmedit::optionsChosen() {
    optionsShown_ = false;
    commit();
}

void frmedit::optionsClosed() {
    optionsShown_ = false;
    doc_.endRun();
    commit();
}

void frmedit::opened() {
    takeOptions();  // as the options screen took them
    doc_.opened();
    showHistory();
}

bool frmedit::modified() const {
    return doc_.modified();
}

void frmedit::showHistory() {
    annuler.setEnabled(doc_.history().canUndo());
    retablir.setEnabled(doc_.history().canRedo());
    setMenuNote(modified() ? QStringLiteral("● Modifications non enregistrées") : QString());
    showSelection();
    doc_.keepOrDropRecovery();
}

void frmedit::showLevel() {
    applyPlatforms(Shape1, doc_.level());
    zelk().applyEnemyOptions(doc_.level());
    Text1.setText(doc_.name());
    nomfichier = doc_.name();
}

void frmedit::restore(const History::Step& step) {
    doc_.replace(step);
    showLevel();
    centreLabels();
}

// Undo (back) or redo. The level as it stands is taken first, so that redo
// brings it back; what only a key's limits pass changed is not worth a step.
void frmedit::travel(bool back) {
    cancelDrag();
    takeOptions();
    if (!doc_.unrecorded()) commit();
    if (back ? !doc_.history().canUndo() : !doc_.history().canRedo()) return;
    doc_.travel(back);
    showLevel();
    centreLabels();
    showHistory();
}

void frmedit::Form_Interrupted() {
    doc_.stopping();  // no question now: the program ends at once
    if (drag_) release();
    if (optionsShown_) commit();
    doc_.keepForNextRun();
}

bool frmedit::mayLeave() {
    cancelDrag();
    if (optionsShown_) commit();  // the enemy options being changed count too
    if (!modified()) return true;
    const int answer = doc_.askToSave(fileName());
    if (answer == tk::mb::No) {
        doc_.dropRecovery();
        return true;
    }
    if (answer == tk::mb::Yes && writeLevel(fileName())) return true;
    if (!visible() || windowState() == tk::Minimized) {
        program().show<frmedit>();
        setWindowState(tk::Maximized);
    }
    return false;
}

bool frmedit::Form_QueryUnload() {
    return mayLeave();
}

bool frmedit::writeLevel(const QString& fileName, bool becomesCurrent) {
    commit();  // what is written is a step of the history
    if (!doc_.write(fileName)) return false;
    if (becomesCurrent) {
        // The name is a step of its own, so that undo gives the old one back.
        doc_.rename(fileName);
        Text1.setText(fileName);
        nomfichier = fileName;
        doc_.commit();
    }
    doc_.markSaved();
    showHistory();
    addRecent(fileName);
    doc_.sayWritten();
    checkTimer.setEnabled(true);  // once the box is gone; the answer comes in the status line
    return true;
}

void frmedit::saveAs() {
    // Once written it is the level's file: "Sauvegarder" goes on writing it.
    if (const std::optional<QString> file = doc_.askNewName()) writeLevel(*file, true);
}

}  // namespace zelk
