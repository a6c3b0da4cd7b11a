// Where a program's files are. Run from the build tree or an unpacked
// folder, the data sit beside the executable and that folder is also where
// the user's files are kept. Installed (bin/PROGRAM with its data in
// share/NAME), or beside the executable in a folder that cannot be written,
// the user's files are in $XDG_DATA_HOME/NAME and the settings in
// $XDG_CONFIG_HOME/NAME/NAME.conf.
#pragma once

#include <QString>

namespace tk {

class Services;

struct Folders {
    QString data;    // pictures, sounds, texts, the sample levels as shipped
    QString levels;  // the user's own files (the game's levels)
    // The settings file; empty: the one beside the levels (Services).
    QString settings = {};
};

// The folders named name of a program whose executable is in exeDir;
// dataHome and configHome are the user's data and settings folders (below).
// An empty exeDir (the executable is not known) finds no data folder; an
// empty dataHome no level folder apart, an empty configHome no settings file
// apart.
Folders locateFolders(const QString& exeDir, const QString& dataHome, const QString& configHome,
                      const QString& name);

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
// The user's settings folder by the same rules: $XDG_CONFIG_HOME, otherwise
// $HOME/.config.
QString configHome(const QByteArray& xdgConfigHome, const QByteArray& home);
QString configHome();  // from the environment

// False, after a French message box, when the data folder was not found:
// the program must end rather than take another folder for it.
bool dataFolderFound(Services& services, const QString& program);

}  // namespace tk
