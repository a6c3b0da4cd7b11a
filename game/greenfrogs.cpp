// Green frogs: each keeps to its own platform and walks towards the player,
// faster on a wider platform, pushing aside the grey frogs it meets.
#include "game/playfield.h"
#include "game/rules.h"

namespace zelk {

void Playfield::mechant2() {
    const int n = nbvertes;
    const float pc = joueur.Left + joueur.Width / 2;
    for (int k = 1; k <= n; ++k) {
        tk::Picture& g = mech2(k);
        const tk::Shape& q = Shape1(platformOfTag(g.Tag));
        for (int i = 0; i <= nbgris; ++i) {
            tk::Picture& f = mech1(i);
            if (f.Visible && g.Visible && f.Left + f.Width > g.Left && f.Left < g.Left &&
                f.Top == g.Top)
                f.Left -= kGreenPush;
            if (f.Visible && g.Visible && g.Left + g.Width > f.Left &&
                g.Left + g.Width < f.Left + f.Width && f.Top == g.Top)
                f.Left += kGreenPush;
        }
        if (g.Left < kLeftEdge) g.Left = kLeftEdge;
        if (g.Left > kRightEdge) g.Left = kRightEdge;
        if (g.Left + g.Width / 2 < q.Left) g.Left = q.Left - g.Width / 2;
        if (q.Left + q.Width < g.Left + g.Width / 2) g.Left = q.Left + q.Width - g.Width / 2;
        g.Top = q.Top - g.Height;
        const float vitverte = q.Width / kGreenWidthPerStep;
        if (pc >= g.Left + g.Width / 2) g.Left += vitverte;
        if (pc < g.Left + g.Width / 2) g.Left -= vitverte;
    }
}

}  // namespace zelk
