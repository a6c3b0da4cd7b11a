// The player: charging the jump, walking towards the mouse, the walls, and the
// jump itself (rise, pause at the top, fall, landing).
#include "game/frmsaut.h"

namespace zelk {

namespace {

// Jump power, twips of height.
constexpr int16_t kPowerStep = 170;  // gained per tick while charging
constexpr int16_t kPowerMax = 4500;
// Horizontal speed, twips per tick.
constexpr float kWalkSpeed = 90;  // standing
constexpr float kAirSpeed = 70;   // in the air
// Vertical movement, twips per tick.
constexpr float kRise = 275;
constexpr float kFall = 150;
// A falling player this far below a platform's top is still caught, twips.
constexpr float kLandingDepth = 200;
// Walls: a player past the left edge is put back at kLeftReset, twips.
constexpr float kLeftReset = 10;
constexpr float kRightWall = 14740;

}  // namespace

void frmsaut::pcemouv() {
    if (charge == 1) {
        // Tested before adding, so the power passes the limit for one tick.
        if (puiss < kPowerMax) {
            puiss = tk::add16(puiss, kPowerStep);
        } else {
            puiss = kPowerMax;
        }
    }
    const float s = etat == 0 ? kWalkSpeed : kAirSpeed;
    if (joueur.Left + joueur.Width / 2 < sourisx) joueur.Left += s;
    if (joueur.Left + joueur.Width / 2 > sourisx) joueur.Left -= s;
}

void frmsaut::com() {
    if (joueur.Left < 0) joueur.Left = kLeftReset;
    if (joueur.Left > kRightWall) joueur.Left = kRightWall;
}

void frmsaut::saut() {
    const tk::Shape& ground = Shape1(1);
    if (joueur.Top + joueur.Height > ground.Top) {
        etat = 0;
        puiss = 0;
        joueur.Top = ground.Top - joueur.Height;
        basesaut = tk::cint(joueur.Top);
    }

    if (plateau != 0) {
        const tk::Shape& p = Shape1(plateau);
        if (joueur.Top == p.Top - joueur.Height) {
            const float c = joueur.Left + joueur.Width / 2;
            if (c < p.Left || p.Left + p.Width < c) etat = 2;
        }
    }

    // Of several platforms that could catch him, the lowest index wins: once
    // he stands, no later one can.
    for (cpt = 1; cpt <= 7; ++cpt) {
        const tk::Shape& p = Shape1(cpt);
        const float bottom = joueur.Top + joueur.Height;
        if ((etat == 2 || etat == 3) && bottom >= p.Top && p.Top + kLandingDepth > bottom &&
            joueur.Left + joueur.Height / 2 >= p.Left &&
            p.Left + p.Width >= joueur.Left - joueur.Height / 2 + joueur.Width) {
            etat = 0;
            puiss = 0;
            joueur.Top = p.Top - joueur.Height;
            basesaut = tk::cint(joueur.Top);
            plateau = cpt;
        }
    }

    // Only the state held now moves him; a change is acted on next tick.
    switch (etat) {
        case 1:
            if (joueur.Top <= tk::add16(basesaut, -puiss)) {
                etat = 3;
            } else {
                joueur.Top -= kRise;
            }
            break;
        case 2:
            joueur.Top += kFall;
            break;
        case 3:
            if (attente <= 0) {
                attente = 1;
                etat = 2;
            }
            attente = tk::add16(attente, -1);
            break;
        default:
            break;
    }
}

}  // namespace zelk
