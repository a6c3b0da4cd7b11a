// The editor's arithmetic of a platform's rectangle: the limits it is kept
// within, and where an arrow key or a mouse drag takes it. Plain values in and out, twips.
#pragma once

namespace zelk {

// Editing steps and bounds, twips.
inline constexpr float kMoveStepX = 50, kMoveStepY = 40;    // move mode
inline constexpr float kResizeStep = 25;                    // resize mode, widths
inline constexpr float kResizeStepY = 20;                   // resize mode, heights
inline constexpr float kMinWidth = 1000, kMinHeight = 255;  // no shrinking at or below these
inline constexpr float kTopLimit = 2000, kBottomLimit = 8400;
inline constexpr float kMaxWidth = 14500, kMaxHeight = 8000;

// A press this near an edge of a platform resizes it from that edge, twips
// (5 pixels at 1:1, more on a larger display); at most a third of the
// platform's size, so that a body is always left to grab and move.
inline constexpr float kEdgeMargin = 75;

// The edges a drag resizes from; none: the platform is moved.
enum Edge { kLeftSide = 1, kTopSide = 2, kRightSide = 4, kBottomSide = 8 };

struct Rect {
    float left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

// Where a platform was grabbed: the edges resized (0: moved), the point
// where the button went down and the platform then.
struct Grab {
    int edges = 0;
    float x = 0, y = 0;
    Rect start;
};

// The arrow keys, in the order of their key codes.
enum class Arrow { Left, Up, Right, Down };

// One press of an arrow key: a move in the move mode; in the resize mode the
// right and bottom edges stay, and the left and down keys stop at the
// smallest size.
Rect stepped(Rect r, Arrow key, bool resize);

// The edges of a platform a press at (x, y) would resize.
int edgesAt(const Rect& r, float x, float y);

// The platform of a grab with the pointer at (x, y), `right` the right-hand
// limit: in whole steps of the arrow keys from where it was grabbed, the
// dragged edges, or the whole platform, stopping at the limits. The spans the
// grab does not drag are those of `shown`.
Rect dragged(const Grab& grab, float x, float y, float right, Rect shown);

// A platform within every limit, moved as little as it can be.
Rect fitted(Rect r, float right);

// The limits pass of the keys: each bound applied in turn.
Rect limited(Rect r, float right);

}  // namespace zelk
