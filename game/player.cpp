// The player: charging the jump, walking towards the mouse, the walls, and the
// jump itself (rise, pause at the top, fall, landing).
#include "game/playfield.h"

#include <algorithm>

#include "game/rules.h"

namespace zelk {

void Playfield::pcemouv() {
    if (charge == 1) {
        // Tested before adding, so the power passes the limit for one tick.
        if (puiss < kPowerMax) {
            puiss = level::add16(puiss, kPowerStep);
        } else {
            puiss = kPowerMax;
        }
    }
    const float s = etat == jump::Standing ? kWalkSpeed : kAirSpeed;
    if (joueur.Left + joueur.Width / 2 < sourisx) joueur.Left += s;
    if (joueur.Left + joueur.Width / 2 > sourisx) joueur.Left -= s;
}

void Playfield::com() {
    if (joueur.Left < 0) joueur.Left = kPlayerLeftReset;
    if (joueur.Left > kRightEdge) joueur.Left = kRightEdge;
}

void Playfield::saut() {
    const tk::Shape& ground = Shape1(kGround);
    if (joueur.Top + joueur.Height > ground.Top) {
        etat = jump::Standing;
        puiss = 0;
        joueur.Top = ground.Top - joueur.Height;
        basesaut = level::cint(joueur.Top);
    }

    if (plateau != 0) {
        const tk::Shape& p = Shape1(plateau);
        if (joueur.Top == p.Top - joueur.Height) {
            const float c = joueur.Left + joueur.Width / 2;
            if (c < p.Left || p.Left + p.Width < c) etat = jump::Falling;
        }
    }

    // Of several platforms that could catch him, the lowest index wins: once
    // he stands, no later one can.
    for (cpt = kGround; cpt <= kShapeCount; ++cpt) {
        const tk::Shape& p = Shape1(cpt);
        const float bottom = joueur.Top + joueur.Height;
        if ((etat == jump::Falling || etat == jump::Pausing) && bottom >= p.Top &&
            p.Top + kLandingDepth > bottom && joueur.Left + joueur.Height / 2 >= p.Left &&
            p.Left + p.Width >= joueur.Left - joueur.Height / 2 + joueur.Width) {
            etat = jump::Standing;
            puiss = 0;
            joueur.Top = p.Top - joueur.Height;
            basesaut = level::cint(joueur.Top);
            plateau = cpt;
        }
    }

    // Only the state held now moves him; a change is acted on next tick.
    switch (etat) {
        case jump::Rising:
            if (joueur.Top <= level::add16(basesaut, -puiss)) {
                etat = jump::Pausing;
            } else {
                joueur.Top -= kRise;
            }
            break;
        case jump::Falling:
            joueur.Top += kFall;
            break;
        case jump::Pausing:
            if (attente <= 0) {
                attente = 1;
                etat = jump::Falling;
            }
            attente = level::add16(attente, -1);
            break;
        default:
            break;
    }
}

int Playfield::flight(float left, int from, int16_t power, float mouse, int16_t pause,
                      float deepest) {
    // Longer than any fall from the top of the field to the ground, in ticks.
    constexpr int kLongestFlight = 2000;
    const tk::Shape& ground = Shape1(kGround);
    joueur.Left = left;
    joueur.Top = Shape1(from).Top - joueur.Height;
    basesaut = level::cint(joueur.Top);
    plateau = static_cast<int16_t>(from == kGround ? 0 : from);
    etat = jump::Standing;
    charge = 0;
    attente = pause;
    sourisx = mouse;
    puiss = std::max<int16_t>(power, 0);
    if (power >= 0) press(tk::RightButton);
    for (int t = 0; t < kLongestFlight; ++t) {
        pcemouv();
        com();
        saut();
        // The ground's own rule puts him on it without naming a platform.
        if (etat == jump::Standing)
            return joueur.Top + joueur.Height == ground.Top ? kGround : plateau;
        if (etat == jump::Falling && joueur.Top + joueur.Height >= deepest) return 0;
    }
    return from;
}

}  // namespace zelk
