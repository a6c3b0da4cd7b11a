// The game screen's skies, also the preview's background.
#pragma once

#include <QColor>

namespace zelk {

inline const QColor kDaySky(128, 128, 255);
inline const QColor kNightSky(0, 0, 128);

}  // namespace zelk
