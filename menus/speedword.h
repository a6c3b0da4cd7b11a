// The word shown for a bird speed.
#pragma once

#include <QString>

namespace zelk {

// "Tres lent" 2-8, "Lent" 9-15, "Normal" 16-30, "Rapide" 31-40, "Tres rapide"
// above; no word below 2.
inline QString speedWord(double v) {
    QString w;
    if (v >= 2) w = QStringLiteral("Tres lent");
    if (v > 8) w = QStringLiteral("Lent");
    if (v > 15) w = QStringLiteral("Normal");
    if (v > 30) w = QStringLiteral("Rapide");
    if (v > 40) w = QStringLiteral("Tres rapide");
    return w;
}

}  // namespace zelk
