// Key codes, shared by the windows that hear the keys and the scenes that
// act on them.
#pragma once

namespace tk {

// The platform's virtual key codes that screens answer to by name (letters
// and digits are their upper-case character codes). A key press's ASCII code
// is the same number for Enter, Escape, Backspace, Tab and Space.
namespace key {
enum : int {
    Backspace = 8,
    Tab = 9,
    Enter = 13,
    Shift = 16,
    Control = 17,
    Alt = 18,
    Escape = 27,
    Space = 32,
    PageUp = 33,
    PageDown = 34,
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Insert = 45,
    Delete = 46,
    F1 = 112,  // F1 to F12: 112 to 123
    // A game pad's buttons, and its left stick pushed one way.
    PadA = 195,
    PadB = 196,
    PadX = 197,
    PadY = 198,
    PadRightShoulder = 199,
    PadLeftShoulder = 200,
    PadUp = 203,  // the directional pad: 203 to 206
    PadDown = 204,
    PadLeft = 205,
    PadRight = 206,
    PadStart = 207,
    PadBack = 208,
    PadStickUp = 211,
    PadStickDown = 212,
    PadStickRight = 213,
    PadStickLeft = 214,
};
}  // namespace key

}  // namespace tk
