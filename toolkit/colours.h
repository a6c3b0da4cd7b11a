// Named colours the screens share.
#pragma once

#include <QColor>

namespace tk {

inline const QColor kYellow(255, 255, 0);

}  // namespace tk
