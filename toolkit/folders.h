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
// user's data folder (below). An empty exeDir (the executable is not known)
// finds no data folder; an empty dataHome no level folder apart.
Folders locateFolders(const QString& exeDir, const QString& dataHome);

// The folder of the running executable, also when it was deleted or replaced
// since the start (a package upgrade); empty when the system does not say.
QString executableFolder();

// The user's data folder by the XDG base-directory rules: $XDG_DATA_HOME when
// it is an absolute path, otherwise $HOME/.local/share when HOME is one;
// empty when neither is. The variables are bytes: a name that is not valid
// UTF-8 is made if needed and reached through an open handle of it
// (/proc/self/fd/N), kept for the life of the program, so that it is never
// re-encoded into the name of another folder.
QString dataHome(const QByteArray& xdgDataHome, const QByteArray& home);
QString dataHome();  // from the environment

// False, after a French message box, when the data folder was not found:
// the program must end rather than take another folder for it.
bool dataFolderFound(Services& services, const QString& program);

// Makes a level folder apart from the data folder ready: creates it, then
// copies in each sample level of the data folder that it was never offered.
// The names offered are kept in a hidden file of the level folder, so that a
// level the player changed or deleted is never overwritten or brought back.
// False, with the reason in French, when something could not be done.
bool seedLevelFolder(const Folders& folders, level::Files& files, QString& whyNot);

// The hidden file of a level folder that lists the samples it was offered.
inline constexpr const char* kOfferedFile = ".niveaux-fournis";

// Seeds the services' level folder. When that fails, a message box names the
// folder and the reason; when there is no level folder at all, the sample
// levels of the data folder are listed instead, and nothing can be saved or
// deleted there.
void prepareLevelFolder(Services& services);

}  // namespace tk
