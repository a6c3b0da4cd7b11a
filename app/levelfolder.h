// The game's level folder apart from its data folder: seeded once with the
// sample levels, so that the player's own levels live where they can be
// written (toolkit/folders.h finds both folders).
#pragma once

#include <QString>

#include "toolkit/folders.h"

namespace level {
class Files;
}
namespace tk {
class Services;
}

namespace zelk {

// The name of the game's folders: share/NAME beside bin/ when installed, and
// the player's levels in $XDG_DATA_HOME/NAME.
inline constexpr const char* kFolderName = "zelk";

// Makes a level folder apart from the data folder ready: creates it, then
// copies in each sample level of the data folder that it was never offered.
// The names offered are kept in a hidden file of the level folder, so that a
// level the player changed or deleted is never overwritten or brought back.
// False, with the reason in French, when something could not be done.
bool seedLevelFolder(const tk::Folders& folders, level::Files& files, QString& whyNot);

// The hidden file of a level folder that lists the samples it was offered.
inline constexpr const char* kOfferedFile = ".niveaux-fournis";

// Seeds the services' level folder. When that fails, a message box names the
// folder and the reason; when there is no level folder at all, the sample
// levels of the data folder are listed instead, and nothing can be saved or
// deleted there.
void prepareLevelFolder(tk::Services& services);

// Copies a level file into the services' level folder under its own name. A
// level of that name with other contents is replaced only if the player says
// so; the same file, or the same contents, is left as it is. A name that is
// no level's (level::levelNameProblem: a hidden one) is refused. False when
// nothing is there to select: the player said no, or the copy failed (a
// message box said why).
bool copyIntoLevelFolder(tk::Services& services, const QString& path);

}  // namespace zelk
