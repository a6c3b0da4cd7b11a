// Starting the level selected in the main menu ("JOUER").
#pragma once

namespace tk {
class Program;
}

namespace zelk {

void startLevel(tk::Program& program);

}  // namespace zelk
