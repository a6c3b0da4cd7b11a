#include "game/frmsaut.h"

#include "game/sky.h"
#include "level/levelfile.h"
#include "map/screenmap.h"
#include "toolkit/colours.h"
#include "toolkit/program.h"

namespace zelk {

namespace {

const QColor kRed(255, 0, 0);

// Green frogs' layout size, twips.
constexpr float kGreenWidth = 600, kGreenHeight = 555;
// A shown replay's line, centred in the strip under the ground that nothing
// of the game reaches, twips.
constexpr float kReplayLineTop = 10815, kReplayLineWidth = 3600, kReplayLineHeight = 195;

}  // namespace

frmsaut::frmsaut(tk::Program& program)
    : tk::Screen(program, kName, level::kPlayfieldWidth, level::kPlayfieldHeight),
      nuage1(*this, "nuage1"),
      Shape1(*this, "Shape1"),
      mech2(*this, "mech2"),
      mech1(*this, "mech1"),
      Timer1(*this, "Timer1", kTickMs, false),
      Timer2(*this, "Timer2", kSpawnMs, false),
      Timer3(*this, "Timer3", kCountersMs, true),
      zelk_(ScreenMap::of(program)),
      cpt(zelk_.cpt) {
    setCaption(QStringLiteral("Zelk"));
    setBackColor(kDaySky);
    buildLayout();
    for (int k = 1; k <= kShapeCount; ++k)
        platformTags_[static_cast<size_t>(k)] = level::str(k);

    Timer1.Tick = [this] { tick(); };
    Timer1.setAnimates(true);
    Timer2.Tick = [this] { spawn(); };
    Timer3.Tick = [this] { counters(); };
    setReleasesKeysOnLeaving(true);
    listenToPad();
}

void frmsaut::buildLayout() {
    const QImage cloud(QStringLiteral(":/art/cloud.png"));
    const float cloudLeft[] = {1320, 10200, 5760};
    for (int i = 1; i <= 3; ++i) {
        tk::Picture& c = nuage1.add(i);
        c.setRect(cloudLeft[i - 1], 840, 3180, 1275);
        c.setImage(cloud, QStringLiteral("cloud.png"));
        c.fallback = QStringLiteral("nuage");
    }

    // The ground, then the six platforms; a level moves the platforms.
    tk::Shape& ground = Shape1.add(kGround);
    ground.setRect(-240, 10680, 20000, 615);
    ground.ShapeKind = tk::Rectangle;
    ground.BackStyle = tk::Opaque;
    ground.BackColor = tk::kYellow;
    ground.FillColor = QColor(192, 64, 0);
    ground.FillStyle = tk::FillDownwardDiagonal;
    const float platforms[6][4] = {{480, 7440, 5775, 1695}, {7800, 3480, 3495, 1695},
                                   {9000, 6120, 4695, 375}, {5040, 6240, 2295, 375},
                                   {1200, 5640, 2775, 375}, {1200, 2640, 2895, 615}};
    for (int k = kGround + 1; k <= kShapeCount; ++k) {
        const float* r = platforms[k - 2];
        tk::Shape& p = Shape1.add(k);
        p.setRect(r[0], r[1], r[2], r[3]);
        p.ShapeKind = tk::RoundedRectangle;
        p.BorderColor = Qt::black;
        p.BackStyle = tk::Opaque;
        p.BackColor = tk::kYellow;
        p.FillColor = QColor(128, 64, 0);
        p.FillStyle = tk::FillDownwardDiagonal;
    }

    // Sky, clouds, ground and platforms change only between levels.
    cacheStaticLayer(Shape1(kShapeCount));

    fiole.setRect(4440, 3960, 570, 555);
    fiole.setImage(QImage(QStringLiteral(":/art/vial.png")), QStringLiteral("vial.png"));
    fiole.fallback = QStringLiteral("fiole");
    fiole.Visible = false;
    add(fiole, "fiole");

    const QImage green(QStringLiteral(":/art/green_frog.png"));
    for (int k = 1; k <= kShapeCount; ++k) {
        tk::Picture& g = mech2.add(k);
        g.setRect(0, 0, kGreenWidth, kGreenHeight);
        g.setImage(green, QStringLiteral("green_frog.png"));
        g.fallback = QStringLiteral("verte");
        g.Tag = level::str(k);
        g.Visible = false;
    }

    tk::Picture& grey = mech1.add(0);
    grey.setRect(2520, 1080, 765, 570);
    grey.setImage(QImage(QStringLiteral(":/art/grey_frog.png")), QStringLiteral("grey_frog.png"));
    grey.fallback = QStringLiteral("grise");

    mech3.setRect(11280, 960, 1050, 660);
    mech3.setImage(QImage(QStringLiteral(":/art/bird.png")), QStringLiteral("bird.png"));
    mech3.fallback = QStringLiteral("oiseau");
    add(mech3, "mech3");

    // The sun or the moon, above the clouds, the vial, the frogs and the bird
    // for the eye and the mouse alike (a release over it is nobody's); the
    // picture itself comes with the level start.
    tem.setRect(13320, 120, 975, 1065);
    tem.Stretch = true;
    add(tem, "tem");

    joueur.setRect(13920, 10320, 375, 375);
    joueur.ShapeKind = tk::Circle;
    joueur.FillStyle = tk::FillSolid;
    joueur.FillColor = Qt::black;
    add(joueur, "joueur");

    // The gauges: the fill under its red frame.
    auto fill = [this](tk::Shape& s, const char* name, float left, float width, QColor color) {
        s.setRect(left, 120, width, 135);
        s.FillStyle = tk::FillSolid;
        s.FillColor = color;
        s.BorderStyle = 0;
        add(s, name);
    };
    auto frame = [this](tk::Shape& s, const char* name, float left) {
        s.setRect(left, 120, 1815, 135);
        s.BorderColor = kRed;
        s.BorderWidth = 2;
        add(s, name);
    };
    fill(hsauts, "hsauts", 120, 15, QColor(0, 255, 0));
    frame(div1, "div1", 120);
    fill(vie, "vie", 2520, 1815, tk::kYellow);
    frame(div2, "div2", 2520);

    auto label = [this](tk::Label& l, const char* name, float x, float y, float w, float h,
                        const QString& caption, float size) {
        l.setRect(x, y, w, h);
        l.Caption = caption;
        l.ForeColor = kRed;
        l.FontSize = size;
        add(l, name);
    };
    label(nbf, "nbf", 4680, 120, 375, 375, QStringLiteral("5"), 12);
    label(Label2, "Label2", 4920, 120, 2175, 375, QStringLiteral("fiole(s) restante(s)"), 12);
    label(Label1, "Label1", 7200, 120, 6855, 255, QString(), 9.75f);
    label(Label3, "Label3", 7200, 480, 6255, 255, QString(), 8.25f);
    label(pause, "pause", 4680, 4440, 5895, 1575, QStringLiteral("PAUSE"), 72);
    pause.FontName = QStringLiteral("Times New Roman");
    pause.FontBold = true;
    pause.Alignment = tk::AlignCenter;
    label(pause2, "pause2", 5520, 5880, 4335, 495,
          QStringLiteral("Appuyez sur echap pour revenir au jeu"), 12);
    pause2.Alignment = tk::AlignCenter;

    rejeu.setRect((level::kPlayfieldWidth - kReplayLineWidth) / 2, kReplayLineTop, kReplayLineWidth,
                  kReplayLineHeight);
    rejeu.ForeColor = Qt::white;
    rejeu.BackColor = Qt::black;
    rejeu.BackStyle = tk::Opaque;
    rejeu.FontSize = 7.5f;
    rejeu.Alignment = tk::AlignCenter;
    rejeu.Visible = false;
    add(rejeu, "rejeu");
    // The line stands for the ground under it: a shown replay's mouse events
    // there reach the game as they did when it was recorded. A point within
    // the line is the same float once its corner is added back (the
    // subtraction was exact: the two are within a factor of two).
    rejeu.MouseDown = [this](int button, int shift, float x, float y) {
        Form_MouseDown(button, shift, x + rejeu.Left, y + rejeu.Top);
    };
    rejeu.MouseUp = [this](int button, int shift, float x, float y) {
        Form_MouseUp(button, shift, x + rejeu.Left, y + rejeu.Top);
    };
    rejeu.MouseMove = [this](int button, int shift, float x, float y) {
        Form_MouseMove(button, shift, x + rejeu.Left, y + rejeu.Top);
    };

    // The pictures report the mouse buttons as the background does; the
    // labels and the sun take them without a word. Loaded grey frogs copy
    // the handlers of element 0.
    const tk::MouseHandler down = [this](int button, int, float, float) { press(button); };
    const tk::MouseHandler up = [this](int button, int, float, float) { release(button); };
    auto route = [&](tk::Picture& p) {
        p.MouseDown = down;
        p.MouseUp = up;
    };
    route(fiole);
    route(mech1(0));
    for (int k = 1; k <= kShapeCount; ++k)
        route(mech2(k));
    route(mech3);
    for (int i = 1; i <= 3; ++i)
        route(nuage1(i));
}

void frmsaut::Form_Load() {
    setup();
}

void frmsaut::setup() {
    nbf.Caption = level::str(level::val(vialsOption()));
    for (int k = 1; k <= kShapeCount; ++k) {
        tk::Picture& g = mech2(k);
        const tk::Shape& q = Shape1(platformOfTag(g.Tag));
        g.Top = q.Top - g.Height;
        g.Left = q.Left + kGreenInset;
    }
    retouroiseau = kBirdReturn;
    for (int k = 1; k <= kShapeCount; ++k)
        mech2(k).Visible = false;
    const int n = greenOption();
    if (n >= 1 && n <= kShapeCount)
        for (int k = 1; k <= n; ++k)
            mech2(k).Visible = true;
    basesaut = level::cint(joueur.Top);
    etat = jump::Standing;
    tuesgris = 0;
    plateau = 0;
    if (birdOption() == 1) mech3.Visible = true;
    if (birdOption() == 0) mech3.Visible = false;
    nbvertes = level::cint(greenOption());
    attente = kFirstPause;
    energie = level::cint(lifeOption() * kEnergyPerVie);
    nbgris = 0;
    // The menu is only read, never loaded from here: its own load creates a
    // game screen, which must not happen while this one is being set up.
    showLevelName(zelk_.selectedLevelName(false));
}

void frmsaut::showLevelName(const QString& name) {
    setCaption(QStringLiteral("!! Zelk !!") + QString(6, u' ') + u'<' + name + u'>');
}

// ---- The options, read live.

int frmsaut::birdOption() const {
    return zelk_.birdOption();
}
int frmsaut::birdSpeed() const {
    return zelk_.birdSpeed();
}
int frmsaut::greenOption() const {
    return zelk_.greenOption();
}
int frmsaut::greyToKill() const {
    return zelk_.greyToKill();
}
QString frmsaut::vialsOption() const {
    return zelk_.vialsOption();
}
int frmsaut::lifeOption() const {
    return zelk_.lifeOption();
}
int frmsaut::greyOnScreen() const {
    return zelk_.greyOnScreen();
}

// ---- Keys and mouse: they only record the player's intentions.

void frmsaut::Form_KeyPress(int ascii) {
    if (ascii == tk::key::Escape) togglePause();
    if (ascii == tk::key::Enter) dropVial();
}

void frmsaut::togglePause() {
    const bool paused = !pause.Visible;
    pause.Visible = paused;
    pause2.Visible = paused;
    Timer1.setEnabled(!paused);
    Timer2.setEnabled(!paused);
    Timer3.setEnabled(!paused);
}

void frmsaut::Form_MouseDown(int button, int, float, float) {
    press(button);
}
void frmsaut::Form_MouseUp(int button, int, float, float) {
    release(button);
}
void frmsaut::Form_MouseMove(int, int, float x, float) {
    sourisx = x;
}

void frmsaut::press(int button) {
    if (button == tk::LeftButton) charge = 1;
    if (etat == jump::Standing && button == tk::RightButton) {
        etat = jump::Rising;
        delai = kChargeKept;
    }
}

void frmsaut::release(int button) {
    if (button == tk::MiddleButton) dropVial();
    if (button == tk::LeftButton) {
        delai = kChargeWindow;
        charge = 0;
    }
}

// ---- The tick.

void frmsaut::tick() {
    pcemouv();
    pg();
    evie();
    chars();
    fiolee();
    com();
    saut();
    mechant();
    mechant2();
    mechant3();
}

}  // namespace zelk
