// The bird: chases the player through the air on both axes, never below the
// ground, ignoring platforms and screen edges; a vanished bird comes back
// from the middle cloud after a few firings of the spawn timer.
#include "game/playfield.h"
#include "game/rules.h"

namespace zelk {

void Playfield::mechant3() {
    if (!mech3.Visible) return;
    const tk::Shape& ground = Shape1(1);
    if (mech3.Top + mech3.Height > ground.Top) mech3.Top = ground.Top - mech3.Height;
    // The speed option is read afresh at each use.
    auto speed = [this] { return static_cast<float>(birdSpeed()); };
    const float px = joueur.Left + joueur.Width / 2;
    const float py = joueur.Top + joueur.Height / 2;
    if (mech3.Left + mech3.Width / 2 > px) mech3.Left -= speed();
    if (mech3.Left + mech3.Width / 2 < px) mech3.Left += speed();
    if (mech3.Top + mech3.Height / 2 > py) mech3.Top -= speed();
    if (mech3.Top + mech3.Height / 2 < py) mech3.Top += speed();
}

void Playfield::oiseau() {
    if (birdOption() != 1 || mech3.Visible) return;
    retouroiseau = level::add16(retouroiseau, -1);
    if (retouroiseau == 0) {
        const tk::Picture& c = nuage1(2);
        mech3.Visible = true;
        mech3.Top = c.Top;
        mech3.Left = c.Left;
        retouroiseau = kBirdReturn;
    }
}

}  // namespace zelk
