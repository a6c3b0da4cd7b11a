// Where the program's files are. Run from the build tree or an unpacked
// folder, the data sit beside the executable and that folder is also where
// the levels are kept. Installed (bin/zelk with its data in share/zelk), or
// beside the executable in a folder that cannot be written, the levels are
// the player's own, in $XDG_DATA_HOME/zelk, seeded once with the samples.
#pragma once

#include <QString>

namespace level {
class Files;
}

namespace tk {

class Services;

struct Folders {
    QString data;    // pictures, sounds, texts, the sample levels as shipped
    QString levels;  // the levels the menu lists and the editor saves
};

// The folders of a program whose executable is in exeDir; dataHome is the
// user's data folder ($XDG_DATA_HOME, by default ~/.local/share).
Folders locateFolders(const QString& exeDir, const QString& dataHome);

// Makes a level folder apart from the data folder ready: creates it, then
// copies in each sample level of the data folder that it was never offered.
// The names offered are kept in a hidden file of the level folder, so that a
// level the player changed or deleted is never overwritten or brought back.
// False, with the reason in French, when something could not be done.
bool seedLevelFolder(const Folders& folders, level::Files& files, QString& whyNot);

// The hidden file of a level folder that lists the samples it was offered.
inline constexpr const char* kOfferedFile = ".niveaux-fournis";

// Seeds the services' level folder. When that fails, a message box names the
// folder and the reason; when the folder could not be made at all, the
// sample levels of the data folder are listed instead.
void prepareLevelFolder(Services& services);

}  // namespace tk
