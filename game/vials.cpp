// Vials: dropped on the platforms at the player's height, falling, and
// killing the grey frogs they hit.
#include <QDir>

#include "game/playfield.h"
#include "game/rules.h"

namespace zelk {

namespace {

// The vial hits the frog when the frog's right edge is inside the vial (A)
// or its left edge is (B).
bool vialHits(const tk::Picture& f, const tk::Picture& m) {
    const bool a = m.Left + m.Width - kNarrowedEdge > f.Left &&
                   f.Left + f.Width > m.Left + m.Width + kNarrowedEdge &&
                   f.Top + kVialDepth < m.Top + m.Height && f.Top + f.Height >= m.Top;
    const bool b = f.Left + f.Width - kOverlapLeft > m.Left && m.Left > f.Left &&
                   f.Top + kVialDepth < m.Top + m.Height && f.Top + f.Height > m.Top;
    return a || b;
}

}  // namespace

void Playfield::dropVial() {
    // Every platform at the player's height takes a vial: two platforms of the
    // same height spend two.
    for (int k = 1; k <= kShapeCount; ++k) {
        const tk::Shape& p = Shape1(k);
        const double stock = level::val(nbf.Caption);
        if (stock != 0 && joueur.Top == p.Top - joueur.Height) {
            nbf.Caption = level::str(stock - 1);
            fiole.Left = joueur.Left;
            services_.playSound(QDir(services_.dataFolder()).filePath(QStringLiteral("mur.wav")));
            fiole.Top = joueur.Top + joueur.Height - fiole.Height;
            fiole.Visible = true;
        }
    }
}

void Playfield::fiolee() {
    const int16_t nbg = level::cint(greyToKill());
    for (int i = 0; i <= nbgris; ++i) {
        tk::Picture& m = mech1(i);
        if (fiole.Visible && m.Visible && vialHits(fiole, m)) {
            fiole.Visible = false;
            if (tuesgris < nbg) tuesgris = level::add16(tuesgris, 1);
            m.Visible = false;
        }
    }
    const int n = greenOption();
    for (int i = 1; i <= n; ++i) {
        tk::Picture& m = mech2(i);
        if (fiole.Visible && m.Visible && vialHits(fiole, m)) {
            fiole.Visible = false;
            m.Visible = false;
        }
    }
}

}  // namespace zelk
