// Display mode switching: asks the windowing system for 1024 x 768.
#pragma once

namespace tk {
class Services;
}

namespace zelk::resol {

// Screen size the game is laid out for, pixels.
constexpr int kWidth = 1024, kHeight = 768;

// Enumerates the current display's modes, then requests kWidth x kHeight with
// no colour depth and nothing saved. The outcome is not examined.
void switchDisplay(tk::Services& services);

}  // namespace zelk::resol
