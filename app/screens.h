// The screens of the game, by name.
#pragma once

namespace tk {
class Program;
}

namespace zelk {

// The screen the program opens on.
inline constexpr const char* kFirstScreen = "avert";

void registerScreens(tk::Program& program);

}  // namespace zelk
