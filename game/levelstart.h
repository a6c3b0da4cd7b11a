// Starting a level: the one selected in the main menu ("JOUER"), or the
// editor's level as it stands ("Essayer"), which writes no file.
#pragma once

class QString;

namespace tk {
class Program;
}
namespace level {
struct Level;
}

namespace zelk {

void startLevel(tk::Program& program);
// The game then leads back to the editor when it ends.
void tryLevel(tk::Program& program, const level::Level& edited, const QString& name);

}  // namespace zelk
