// Vials, the grey frogs' arrival under the clouds and the bird's return.
#include <QDir>

#include "game/frmsaut.h"
#include "game/rules.h"
#include "toolkit/program.h"

namespace zelk {

namespace {

// The vial hits the frog when the frog's right edge is inside the vial (A)
// or its left edge is (B).
bool vialHits(const tk::Picture& f, const tk::Picture& m) {
    const bool a = m.Left + m.Width - 20 > f.Left && f.Left + f.Width > m.Left + m.Width + 20 &&
                   f.Top + 100 < m.Top + m.Height && f.Top + f.Height >= m.Top;
    const bool b = f.Left + f.Width - 50 > m.Left && m.Left > f.Left &&
                   f.Top + 100 < m.Top + m.Height && f.Top + f.Height > m.Top;
    return a || b;
}

}  // namespace

void frmsaut::dropVial() {
    // Every platform at the player's height takes a vial: two platforms of the
    // same height spend two.
    for (int k = 1; k <= kShapeCount; ++k) {
        const tk::Shape& p = Shape1(k);
        const double stock = tk::val(nbf.Caption);
        if (stock != 0 && joueur.Top == p.Top - joueur.Height) {
            nbf.Caption = tk::str(stock - 1);
            fiole.Left = joueur.Left;
            program().services().playSound(
                QDir(program().services().dataFolder()).filePath(QStringLiteral("mur.wav")));
            fiole.Top = joueur.Top + joueur.Height - fiole.Height;
            fiole.Visible = true;
        }
    }
}

void frmsaut::fiolee() {
    const int16_t nbg = tk::cint(greyToKill());
    for (int i = 0; i <= nbgris; ++i) {
        tk::Picture& m = mech1(i);
        if (fiole.Visible && m.Visible && vialHits(fiole, m)) {
            fiole.Visible = false;
            if (tuesgris < nbg) tuesgris = tk::add16(tuesgris, 1);
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

void frmsaut::placeUnderCloud(tk::Picture& frog) {
    // r in [0, 3): the first cloud unless r passes 1, the third past 2.
    const float r = program().services().rng().next() * 3;
    int k = 1;
    if (r > 1) k = 2;
    if (r > 2) k = 3;
    const tk::Picture& c = nuage1(k);
    frog.Top = c.Top + c.Height / 2 - frog.Height / 2 - kCloudRise;
    frog.Left = c.Left + c.Width / 2 - frog.Width / 2;
}

void frmsaut::spawn() {
    oiseau();
    const int16_t nbg = tk::cint(greyToKill());
    const int16_t most = tk::add16(greyOnScreen(), -1);
    const int16_t lim = nbg >= most ? most : nbg;
    if (lim != nbgris) {
        nbgris = tk::add16(nbgris, 1);
        tk::Picture& f = mech1.load(nbgris);
        placeUnderCloud(f);
        f.Visible = true;
        f.Tag.clear();
    }
    // Dead grey frogs come back only while the screen holds its full number.
    if (nbgris == most && tuesgris != nbg) {
        for (int i = 0; i <= nbgris; ++i) {
            tk::Picture& f = mech1(i);
            if (f.Visible) continue;
            placeUnderCloud(f);
            f.Visible = true;
            f.Tag.clear();
        }
    }
}

void frmsaut::oiseau() {
    if (birdOption() != 1 || mech3.Visible) return;
    retouroiseau = tk::add16(retouroiseau, -1);
    if (retouroiseau == 0) {
        const tk::Picture& c = nuage1(2);
        mech3.Visible = true;
        mech3.Top = c.Top;
        mech3.Left = c.Left;
        retouroiseau = kBirdReturn;
    }
}

}  // namespace zelk
