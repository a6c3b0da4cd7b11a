// The bird: chases the player through the air on both axes, never below the
// ground, ignoring platforms and screen edges.
#include "game/frmsaut.h"

namespace zelk {

void frmsaut::mechant3() {
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

}  // namespace zelk
