// Display mode switching: asks the windowing system for 1024 x 768.
#pragma once

#include "toolkit/services.h"

namespace zelk::resol {

// Screen size the game is laid out for, pixels.
constexpr int kWidth = 1024, kHeight = 768;

// Enumerates the current display's modes, then requests kWidth x kHeight with
// no colour depth and nothing saved. A display that stays as it was says why
// in a message box: a click that seems to do nothing is no answer.
tk::Services::DisplayChange switchDisplay(tk::Services& services);

}  // namespace zelk::resol
