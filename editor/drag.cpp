#include "editor/drag.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zelk {

namespace {

// More steps than a pointer can make: keeps a wild position finite.
constexpr float kMaxSteps = 100000;

// A whole number of steps, bounded.
int whole(float steps) {
    return std::isnan(steps) ? 0 : static_cast<int>(std::clamp(steps, -kMaxSteps, kMaxSteps));
}
// The steps nearest to a distance.
int stepsIn(float distance, float step) {
    return whole(std::round(distance / step));
}
// The whole numbers of steps a drag may take: each bound keeps one value
// that the steps change within its limits.
struct Steps {
    int lo = -static_cast<int>(kMaxSteps), hi = static_cast<int>(kMaxSteps);
    // Keeps from + n * step within [low, high] (step > 0).
    void keep(float from, float step, float low, float high) {
        lo = std::max(lo, whole(std::ceil((low - from) / step)));
        hi = std::min(hi, whole(std::floor((high - from) / step)));
    }
    // The steps nearest to n that keep every bound; none when no number
    // of steps can (a platform that was already beyond them).
    int nearest(int n) const { return lo <= hi ? std::clamp(n, lo, hi) : 0; }
};

// One span of a platform (start, size) dragged by a distance, within
// [low, high] for its near edge and [least, most] for its size (a size
// already under `least` does not shrink). The near edge (left or top) moves
// `pos` and keeps the far edge; the far edge changes only `len`; with
// neither, the span is moved whole, its size kept.
enum class Dragged { Near, Far, Whole };
void dragSpan(Dragged what, float distance, float nearStep, float farStep, float start, float size,
              float low, float high, float least, float most, float farLimit, float& pos,
              float& len) {
    Steps n;
    const float step = what == Dragged::Near ? nearStep : farStep;
    const float shrinkTo = std::min(least, size);
    if (what == Dragged::Whole) {
        n.keep(start, step, low, std::min(high, farLimit - size));
    } else if (what == Dragged::Near) {
        // The size is size - n * step, the far edge stays.
        n.keep(start, step, low, high);
        n.keep(-size, step, -most, -shrinkTo);
    } else {
        n.keep(size, step, shrinkTo, std::min(most, farLimit - start));
    }
    const int k = n.nearest(stepsIn(distance, step));
    pos = what == Dragged::Far ? start : start + k * step;
    len = what == Dragged::Whole ? size : what == Dragged::Near ? size - k * step : size + k * step;
}

}  // namespace

Rect stepped(Rect r, Arrow key, bool resize) {
    switch (key) {
        case Arrow::Left:
            if (!resize) {
                r.left -= kMoveStepX;
            } else if (r.width > kMinWidth) {
                r.width -= kResizeStep;
                r.left += kResizeStep;
            }
            break;
        case Arrow::Up:
            if (!resize) {
                r.top -= kMoveStepY;
            } else {
                r.top -= kResizeStepY;
                r.height += kResizeStepY;
            }
            break;
        case Arrow::Right:
            if (!resize) {
                r.left += kMoveStepX;
            } else {
                r.left -= kResizeStep;
                r.width += kResizeStep;
            }
            break;
        case Arrow::Down:
            if (!resize) {
                r.top += kMoveStepY;
            } else if (r.height > kMinHeight) {
                r.top += kResizeStepY;
                r.height -= kResizeStepY;
            }
            break;
    }
    return r;
}

int edgesAt(const Rect& r, float x, float y) {
    const float mx = std::min(kEdgeMargin, r.width / 3), my = std::min(kEdgeMargin, r.height / 3);
    int edges = 0;
    if (x < r.left + mx) {
        edges |= kLeftSide;
    } else if (x >= r.left + r.width - mx) {
        edges |= kRightSide;
    }
    if (y < r.top + my) {
        edges |= kTopSide;
    } else if (y >= r.top + r.height - my) {
        edges |= kBottomSide;
    }
    return edges;
}

// The left and top edges go in the resize keys' steps. The keys keep the
// right and bottom edges in place: a resize and a move together take them in
// the move keys' steps, and so does the mouse.
Rect dragged(const Grab& g, float x, float y, float right, Rect shown) {
    constexpr float kNone = std::numeric_limits<float>::infinity();
    const Rect& s = g.start;
    auto along = [&g](int nearSide) {
        return g.edges == 0 ? Dragged::Whole : g.edges & nearSide ? Dragged::Near : Dragged::Far;
    };
    if (g.edges == 0 || g.edges & (kLeftSide | kRightSide))
        dragSpan(along(kLeftSide), x - g.x, g.edges ? kResizeStep : kMoveStepX, kMoveStepX, s.left,
                 s.width, 0, kNone, kMinWidth, kMaxWidth, right, shown.left, shown.width);
    if (g.edges == 0 || g.edges & (kTopSide | kBottomSide))
        dragSpan(along(kTopSide), y - g.y, g.edges ? kResizeStepY : kMoveStepY, kMoveStepY, s.top,
                 s.height, kTopLimit, kBottomLimit, kMinHeight, kMaxHeight, kNone, shown.top,
                 shown.height);
    return shown;
}

Rect fitted(Rect r, float right) {
    r.width = std::min(r.width, kMaxWidth);
    r.height = std::min(r.height, kMaxHeight);
    r.left = std::max(0.f, std::min(r.left, right - r.width));
    r.top = std::clamp(r.top, kTopLimit, kBottomLimit);
    return r;
}

Rect limited(Rect r, float right) {
    if (r.left < 0) r.left = 0;
    if (r.left + r.width > right) r.left = right - r.width;
    if (r.top < kTopLimit) r.top = kTopLimit;
    if (r.top > kBottomLimit) r.top = kBottomLimit;
    if (r.width > kMaxWidth) r.width = kMaxWidth;
    if (r.height > kMaxHeight) r.height = kMaxHeight;
    return r;
}

}  // namespace zelk
