// A level's six platforms on a screen: platform k is element k + 1 of the
// screen's Shape1 array (element 1 is the ground, which no level stores).
#pragma once

#include "level/levelfile.h"
#include "toolkit/elementarray.h"
#include "toolkit/elements.h"

namespace zelk {

// Sets each platform's Top, Left, Height and Width, in the order stored.
inline void applyPlatforms(tk::ElementArray<tk::Shape>& shapes, const level::Level& l) {
    for (int k = 0; k < level::kPlatformCount; ++k) {
        tk::Shape& s = shapes(k + 2);
        s.Top = l.top(k);
        s.Left = l.left(k);
        s.Height = l.height(k);
        s.Width = l.width(k);
    }
}

inline void storePlatforms(const tk::ElementArray<tk::Shape>& shapes, level::Level& l) {
    for (int k = 0; k < level::kPlatformCount; ++k) {
        const tk::Shape& s = shapes(k + 2);
        l.geometry[4 * k] = s.Top;
        l.geometry[4 * k + 1] = s.Left;
        l.geometry[4 * k + 2] = s.Height;
        l.geometry[4 * k + 3] = s.Width;
    }
}

}  // namespace zelk
