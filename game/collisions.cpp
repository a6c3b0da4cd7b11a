// Contact between the player and the enemies: touching costs energy, coming
// down on an enemy kills it and throws the player up.
#include <QDir>

#include "game/playfield.h"
#include "game/rules.h"

namespace zelk {

namespace {

enum class RightEdge { Plain, Narrowed };

bool touches(const tk::Shape& p, const tk::Picture& e, RightEdge edge) {
    const bool vertical = p.Top + p.Height / 2 < e.Top + e.Height && p.Top + p.Height > e.Top;
    if (!vertical) return false;
    const bool right = edge == RightEdge::Plain
                           ? e.Left + e.Width > p.Left && p.Left + p.Width > e.Left + e.Width
                           : p.Left + kNarrowedEdge < e.Left + e.Width &&
                                 p.Left + p.Width - kNarrowedEdge > e.Left + e.Width;
    const bool left = p.Left + p.Width - kOverlapLeft > e.Left && e.Left > p.Left;
    const bool covering = p.Left > e.Left && e.Left + e.Width > p.Left + p.Width;
    return right || left || covering;
}

// Frogs allow a margin on both sides; the depth limit is measured from the
// enemy's top by a fraction of its width.
bool frogStomped(const tk::Shape& p, const tk::Picture& e, int16_t etat) {
    const float bottom = p.Top + p.Height;
    return e.Left - kStompSide < p.Left && etat == jump::Falling &&
           e.Left + e.Width + kStompSide > p.Left + p.Width && e.Top + e.Width / 2 > bottom &&
           e.Top - kStompAbove < bottom;
}

bool birdStomped(const tk::Shape& p, const tk::Picture& e, int16_t etat) {
    const float bottom = p.Top + p.Height;
    return e.Left < p.Left && etat == jump::Falling && e.Left + e.Width > p.Left + p.Width &&
           e.Top + e.Width / 4 > bottom && e.Top - kStompAbove < bottom;
}

}  // namespace

void Playfield::evie() {
    auto bounce = [this] {
        puiss = kBounce;
        basesaut = level::cint(joueur.Top + joueur.Height);
        etat = jump::Rising;
        services_.playSound(QDir(services_.dataFolder()).filePath(QStringLiteral("defaut.wav")));
    };
    for (int i = 0; i <= nbgris; ++i) {
        tk::Picture& e = mech1(i);
        if (!e.Visible) continue;
        if (touches(joueur, e, RightEdge::Plain)) energie -= kGreyTouch;
        if (frogStomped(joueur, e, etat)) {
            bounce();
            e.Visible = false;
            if (tuesgris < greyToKill()) tuesgris = level::add16(tuesgris, 1);
        }
    }
    for (int j = 1; j <= nbvertes; ++j) {
        tk::Picture& e = mech2(j);
        if (!e.Visible) continue;
        if (touches(joueur, e, RightEdge::Narrowed)) energie -= kGreenTouch;
        if (frogStomped(joueur, e, etat)) {
            bounce();
            e.Visible = false;
        }
    }
    if (mech3.Visible) {
        if (touches(joueur, mech3, RightEdge::Plain)) energie -= kBirdTouch;
        if (birdStomped(joueur, mech3, etat)) {
            bounce();
            mech3.Visible = false;
        }
    }
}

}  // namespace zelk
