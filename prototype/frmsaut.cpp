#include "prototype/frmsaut.h"

#include <QImage>

#include "level/runtime.h"
#include "toolkit/colours.h"
#include "toolkit/program.h"

namespace velmo {

namespace {

// Vertical movement, per Timer1 tick (10 ms).
constexpr float kRiseStep = 200;      // twips
constexpr float kFallStep = 85;       // twips
constexpr float kLandingReach = 200;  // twips below a platform's top that still land on it
constexpr int16_t kPauseTicks = 5;    // Timer1 ticks at the top of a jump

// Horizontal movement, per Timer2 tick (20 ms).
constexpr float kFastStep = 120;      // twips, after a mouse jump
constexpr float kSlowStep = 75;       // twips, walking with the arrows
constexpr float kLeftBound = 1;       // twips
constexpr float kRightBound = 20101;  // twips

// Charging with the space bar.
constexpr int16_t kChargeStep = 150;   // twips of jump height per key repeat
constexpr int16_t kMaxCharge = 4500;   // twips
constexpr double kChargeHold = 200;    // Timerhsaut ticks (2 s) after space is released
constexpr double kClickHold = 555555;  // Timerhsaut ticks (over an hour and a half)

const QColor kSky(128, 128, 255);
const QColor kEarth(192, 64, 0);
const QColor kWood(128, 64, 0);
const QColor kGreen(0, 255, 0);

// The game's pictures; a missing one is drawn as a labelled stand-in.
void setArt(tk::Picture& p, const char* file, const char* standIn) {
    const QString path = QStringLiteral(":/velmo/") + QLatin1String(file);
    const QImage img(path);
    if (img.isNull()) {
        p.fallback = QString::fromUtf8(standIn);
    } else {
        p.setImage(img, QString::fromLatin1(file));
    }
}

void platformLook(tk::Shape& s, const QColor& fill) {
    s.BackColor = tk::kYellow;
    s.BackStyle = tk::Opaque;
    s.FillColor = fill;
    s.FillStyle = tk::FillDownwardDiagonal;
    s.BorderColor = Qt::black;
}

void gaugeFrame(tk::Shape& s) {
    s.BorderWidth = 2;
    s.BorderColor = Qt::black;
}

void gaugeFill(tk::Shape& s, const QColor& c) {
    s.FillStyle = tk::FillSolid;
    s.FillColor = c;
    s.BorderStyle = 0;
}

}  // namespace

frmsaut::frmsaut(tk::Program& program)
    : tk::Screen(program, kName, 15240, 11010),
      Shape1(*this, "Shape1"),
      Timer1(*this, "Timer1", 10, true),
      Timer2(*this, "Timer2", 20, true),
      Timerhsaut(*this, "Timerhsaut", 10, true) {
    setCaption(QStringLiteral("Zelk"));
    setBackColor(kSky);

    auto picture = [this](tk::Picture& p, const char* name, float x, float y, float w, float h,
                          const char* file, const char* standIn) {
        p.setRect(x, y, w, h);
        setArt(p, file, standIn);
        add(p, name);
    };
    picture(nuage1, "nuage1", 480, 600, 3180, 1275, "cloud.png", "nuage");
    picture(nuage2, "nuage2", 5280, 600, 3180, 1275, "cloud.png", "nuage");
    picture(nuage3, "nuage3", 10080, 720, 3180, 1275, "cloud.png", "nuage");
    picture(mech1, "mech1", 2520, 1080, 765, 570, "grey_frog.png", "gris");
    picture(mech2, "mech2", 7320, 1080, 600, 555, "green_frog.png", "vert");
    picture(mech3, "mech3", 11400, 960, 480, 555, "bird.png", "oiseau");

    tk::Shape& ground = Shape1.add(1);
    ground.setRect(-120, 10680, 15480, 375);
    platformLook(ground, kEarth);
    struct Rect {
        float x, y, w, h;
    };
    const Rect platforms[] = {{3360, 8880, 5895, 1815}, {8640, 6600, 3975, 1095},
                              {10320, 4080, 3855, 615}, {5040, 3600, 3735, 375},
                              {1440, 6000, 2775, 375},  {1080, 3000, 2895, 615}};
    int i = 2;
    for (const Rect& r : platforms) {
        tk::Shape& p = Shape1.add(i++);
        p.setRect(r.x, r.y, r.w, r.h);
        p.ShapeKind = tk::RoundedRectangle;
        platformLook(p, kWood);
    }

    // Each gauge's frame is drawn over its fill.
    vie.setRect(2520, 120, 1815, 135);
    gaugeFill(vie, tk::kYellow);
    add(vie, "vie");
    div2.setRect(2520, 120, 1815, 135);
    gaugeFrame(div2);
    add(div2, "div2");
    hsauts.setRect(120, 120, 15, 135);
    gaugeFill(hsauts, kGreen);
    add(hsauts, "hsauts");
    div1.setRect(120, 120, 1815, 135);
    gaugeFrame(div1);
    add(div1, "div1");

    joueur.setRect(13920, 10320, 375, 375);
    joueur.ShapeKind = tk::Circle;
    joueur.FillStyle = tk::FillSolid;
    joueur.FillColor = Qt::black;
    add(joueur, "joueur");

    Timer1.Tick = [this] { Timer1_Timer(); };
    Timer2.Tick = [this] { Timer2_Timer(); };
    Timerhsaut.Tick = [this] { Timerhsaut_Timer(); };
}

void frmsaut::Form_Load() {
    basesaut = level::cint(joueur.Top);
    etat = Standing;
    plateau = 0;
    attente = kPauseTicks;
}

void frmsaut::Form_KeyDown(int keyCode, int /*shift*/) {
    if (keyCode == tk::key::Right && etat == Standing) sens = RightSlow;
    if (keyCode == tk::key::Left && etat == Standing) sens = LeftSlow;
    if (keyCode == tk::key::Space) {
        if (puiss >= kMaxCharge) {
            puiss = kMaxCharge;
        } else {
            puiss = level::add16(puiss, kChargeStep);
        }
    }
}

void frmsaut::Form_KeyUp(int keyCode, int /*shift*/) {
    if (etat == Standing) sens = Still;
    if (keyCode == tk::key::Space) delai = kChargeHold;
    // Shift jumps in any state, also in mid-air.
    if (keyCode == tk::key::Shift) etat = Rising;
}

void frmsaut::Form_MouseUp(int button, int /*shift*/, float /*x*/, float /*y*/) {
    // The direction holds until the next landing.
    if (button == tk::LeftButton) sens = LeftFast;
    if (button == tk::RightButton) sens = RightFast;
    if (etat == Standing) etat = Rising;
    delai = kClickHold;
}

void frmsaut::standOn(const tk::Shape& p) {
    etat = Standing;
    sens = Still;
    puiss = 0;
    joueur.Top = p.Top - joueur.Height;
    basesaut = level::cint(joueur.Top);
}

void frmsaut::Timer1_Timer() {
    const tk::Shape& ground = Shape1(1);
    if (joueur.Top + joueur.Height > ground.Top) standOn(ground);

    // Leaving the span of the last platform drops the player, even in mid-rise.
    if (plateau != 0) {
        const tk::Shape& p = Shape1(plateau);
        const float centre = joueur.Left + joueur.Width / 2;
        if (centre < p.Left || p.Left + p.Width < centre) etat = Falling;
    }

    for (int i = 1; i <= 7; ++i) {
        const tk::Shape& p = Shape1(i);
        const float bottom = joueur.Top + joueur.Height;
        if ((etat == Pausing || etat == Falling) && bottom >= p.Top &&
            p.Top + kLandingReach > bottom && joueur.Left + joueur.Height / 2 >= p.Left &&
            p.Left + p.Width >= joueur.Left + joueur.Width - joueur.Height / 2) {
            standOn(p);
            plateau = static_cast<int16_t>(i);
        }
    }

    if (etat == Rising) {
        if (joueur.Top <= level::add16(basesaut, -puiss)) {
            etat = Pausing;
            return;  // the pause starts with the next tick
        }
        joueur.Top -= kRiseStep;
    }
    if (etat == Falling) joueur.Top += kFallStep;
    if (etat == Pausing) {
        if (attente <= 0) {
            attente = kPauseTicks;
            etat = Falling;
        }
        attente = level::add16(attente, -1);
    }
}

void frmsaut::Timer2_Timer() {
    if (joueur.Left < 0) joueur.Left = kLeftBound;
    if (joueur.Left > kRightBound) joueur.Left = kRightBound;
    switch (sens) {
        case LeftFast:
            joueur.Left -= kFastStep;
            break;
        case RightFast:
            joueur.Left += kFastStep;
            break;
        case RightSlow:
            joueur.Left += kSlowStep;
            break;
        case LeftSlow:
            joueur.Left -= kSlowStep;
            break;
        default:
            break;
    }
}

void frmsaut::Timerhsaut_Timer() {
    delai -= 1;
    if (delai == 0) puiss = 0;  // the unused charge is dropped
    hsauts.Width = static_cast<float>(static_cast<double>(puiss) / kMaxCharge * div1.Width);
}

}  // namespace velmo
