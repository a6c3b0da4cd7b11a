// Counters, gauges, the charge running out, and the end of the level.
#include "game/frmsaut.h"
#include "game/rules.h"
#include "map/screenmap.h"

namespace zelk {

// The options' ranges keep what the game makes of them in 16 bits: the
// counters' sums and the starting energy (setup, chars).
static_assert(level::kGreyRange.hi + kShapeCount <= INT16_MAX);
static_assert(level::kLifeRange.hi * kEnergyPerVie <= INT16_MAX);

void frmsaut::counters() {
    int16_t hidden = 0;
    for (int k = 1; k <= kShapeCount; ++k)
        if (!mech2(k).Visible) ++hidden;
    const int16_t nbg = level::cint(greyToKill());
    const int16_t left =
        level::add16(level::add16(level::add16(nbg, kShapeCount), -tuesgris), -hidden);
    Label1.Caption = level::str(left) + QStringLiteral(" ennemies restants à tuer");
    Label3.Caption = QStringLiteral("( grenouilles grises:  ") +
                     level::str(level::add16(nbg, -tuesgris)) +
                     QStringLiteral("    -    grenouilles vertes:  ") +
                     level::str(kShapeCount - hidden) + QStringLiteral(" )");
}

void frmsaut::chars() {
    delai -= 1;
    if (delai == 0) puiss = 0;  // the charge was not used in time
    hsauts.Width = puiss / static_cast<float>(kPowerMax) * div1.Width;
    if (energie >= 0) {
        const int16_t full = level::cint(lifeOption() * kEnergyPerVie);
        vie.Width = static_cast<float>(energie / full * div2.Width);
    }
    if (!(energie > 0)) vie.Width = 1;
}

void frmsaut::pg() {
    bool greensDead = true;
    for (int k = 1; k <= kShapeCount; ++k)
        greensDead = greensDead && !mech2(k).Visible;
    if (tuesgris >= greyToKill() && greensDead) showResult("gagne.JPG", "Gagné !", true);
    // Tested after the win, so a level both won and lost ends lost.
    if (!(energie > 0)) showResult("perdu.JPG", "Perdu...", false);
}

void frmsaut::showResult(const char* picture, const char* standIn, bool won) {
    over_ = true;  // first: a box the result shows takes the focus from the game
    zelk_.showResult(QString::fromLatin1(picture), QString::fromUtf8(standIn), won);
    Timer1.setEnabled(false);
    Timer2.setEnabled(false);
}

// Only a level that runs, never one that has ended, and never resumed: it
// goes through the event tap as the key it stands for, so that a recording
// keeps the pause where it came and a replay shown drops it.
void frmsaut::Form_Deactivate() {
    if (over_ || !Timer1.enabled() || pause.Visible || !program().isLoaded(*this)) return;
    deliverKeyPress(tk::key::Escape);
}

}  // namespace zelk
