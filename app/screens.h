// Every screen of the game, made known to the program.
#pragma once

namespace tk {
class Program;
}

namespace zelk {

void registerScreens(tk::Program& program);

}  // namespace zelk
