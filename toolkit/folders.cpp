#include "folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "level/files.h"
#include "services.h"

namespace tk {

namespace {

// The most read of a sample level or of the list of samples offered, bytes.
constexpr qint64 kMaxSeedBytes = 1024 * 1024;

bool writable(const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

bool makeFolder(const QString& path, QString& whyNot) {
    std::error_code ec;
    std::filesystem::create_directories(QFile::encodeName(path).toStdString(), ec);
    if (!ec && QFileInfo(path).isDir()) return true;
    // A file in the folder's place, or in the place of one of its parents.
    whyNot =
        level::systemReason(QFileInfo::exists(path) || ec.value() == EEXIST ? ENOTDIR : ec.value());
    return false;
}

bool present(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

}  // namespace

Folders locateFolders(const QString& exeDir, const QString& dataHome) {
    if (exeDir.isEmpty() || !QFileInfo(exeDir).isDir()) return {};
    const QString levels =
        dataHome.isEmpty() ? QString() : QDir(dataHome).filePath(QStringLiteral("zelk"));
    const QString installed = QDir::cleanPath(exeDir + QStringLiteral("/../share/zelk"));
    if (!QFileInfo(installed).isDir()) {
        if (writable(exeDir)) return {exeDir, exeDir};
        return {exeDir, levels};
    }
    return {installed, levels};
}

QString executableFolder() {
    QByteArray path(4096, Qt::Uninitialized);
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), static_cast<size_t>(path.size()));
    if (n <= 0 || n >= path.size()) return {};
    path.truncate(n);
    // How the system names an executable whose file is gone.
    const QByteArray deleted = " (deleted)";
    if (path.endsWith(deleted)) path.chop(deleted.size());
    const qsizetype slash = path.lastIndexOf('/');
    if (!path.startsWith('/') || slash < 0) return {};
    return QFile::decodeName(path.left(std::max<qsizetype>(slash, 1)));
}

QString dataHome(const QByteArray& xdgDataHome, const QByteArray& home) {
    // Relative or empty values are ignored, as the rules say.
    QByteArray path;
    if (xdgDataHome.startsWith('/'))
        path = xdgDataHome;
    else if (home.startsWith('/'))
        path = home + "/.local/share";
    else
        return {};
    const QString name = QFile::decodeName(path);
    if (QFile::encodeName(name) == path) return name;
    std::error_code ec;
    std::filesystem::create_directories(path.toStdString(), ec);
    const int fd = ::open(path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return {};
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}

QString dataHome() {
    return dataHome(qgetenv("XDG_DATA_HOME"), qgetenv("HOME"));
}

bool dataFolderFound(Services& services, const QString& program) {
    if (!services.dataFolder().isEmpty()) return true;
    services.msgBox(QStringLiteral("%1 ne trouve pas le dossier de ses images, de ses sons et de "
                                   "ses niveaux : le programme a sans doute été supprimé ou mis à "
                                   "jour depuis son lancement.\r\n\r\nRelancez-le.")
                        .arg(program),
                    mb::OkOnly | mb::Critical, program);
    return false;
}

bool seedLevelFolder(const Folders& folders, level::Files& files, QString& whyNot) {
    if (!makeFolder(folders.levels, whyNot)) return false;
    const QDir levels(folders.levels);
    const QString offeredPath = levels.filePath(QString::fromLatin1(kOfferedFile));
    QByteArray bytes;
    QString why;
    // Not there yet: nothing was offered. There but unreadable: what was
    // offered is not known, so nothing is offered again.
    if (present(offeredPath) && !files.read(offeredPath, kMaxSeedBytes, bytes, why)) {
        whyNot = QString::fromLatin1(kOfferedFile) + QStringLiteral(" : ") + why;
        return false;
    }
    QStringList offered = QString::fromUtf8(bytes).split(u'\n', Qt::SkipEmptyParts);
    const QSet<QString> before(offered.begin(), offered.end());
    const QStringList samples =
        QDir(folders.data).entryList({QStringLiteral("*.lev")}, QDir::Files, QDir::Name);
    for (const QString& name : samples) {
        if (before.contains(name)) continue;
        const QString target = levels.filePath(name);
        // A level of the player's that has a sample's name is kept as it is.
        if (!present(target)) {
            QByteArray level;
            QString why;
            if (!files.read(QDir(folders.data).filePath(name), kMaxSeedBytes, level, why) ||
                !files.write(target, level, why)) {
                whyNot = name + QStringLiteral(" : ") + why;
                return false;
            }
        }
        offered << name;
    }
    if (offered.size() == before.size()) return true;
    if (!files.write(offeredPath, offered.join(u'\n').toUtf8() + '\n', why)) {
        whyNot = QString::fromLatin1(kOfferedFile) + QStringLiteral(" : ") + why;
        return false;
    }
    return true;
}

void prepareLevelFolder(Services& services) {
    const Folders folders{services.dataFolder(), services.levelFolder()};
    if (folders.levels == folders.data) return;
    QString why;
    if (!folders.levels.isEmpty() && seedLevelFolder(folders, services.files(), why)) return;
    const QString path = QDir::toNativeSeparators(folders.levels);
    const QString title = QStringLiteral("Dossier des niveaux");
    if (!folders.levels.isEmpty() && QFileInfo(folders.levels).isDir()) {
        const QString what =
            why.startsWith(QString::fromLatin1(kOfferedFile))
                ? QStringLiteral(
                      "La liste des niveaux déjà fournis n'a pas pu être lue : aucun "
                      "niveau fourni n'a été copié dans le dossier de vos niveaux, "
                      "pour ne pas remettre ceux que vous avez supprimés :")
                : QStringLiteral(
                      "Les niveaux fournis avec le jeu n'ont pas tous pu être copiés "
                      "dans le dossier de vos niveaux :");
        services.msgBox(QStringLiteral("%1\r\n%2\r\n\r\n%3").arg(what, path, why),
                        mb::OkOnly | mb::Exclamation, title);
        return;
    }
    // The samples stay playable where they were shipped, but the data folder
    // is never changed: a save or a removal there is refused.
    const QString reason = folders.levels.isEmpty()
                               ? QStringLiteral(
                                     "aucun dossier n'est défini pour vos niveaux "
                                     "(ni XDG_DATA_HOME ni HOME).")
                               : QStringLiteral("le dossier de vos niveaux n'a pas pu être créé.");
    services.setFolders(folders.data, folders.data);
    services.files().keepUnchanged(folders.data, reason);
    if (folders.levels.isEmpty()) {
        services.msgBox(QStringLiteral("Aucun dossier n'est défini pour vos niveaux : ni la "
                                       "variable XDG_DATA_HOME ni la variable HOME ne donnent un "
                                       "chemin absolu.\r\n\r\nLe jeu démarre avec les niveaux "
                                       "fournis, mais vos niveaux ne pourront pas être "
                                       "enregistrés."),
                        mb::OkOnly | mb::Exclamation, title);
        return;
    }
    services.msgBox(QStringLiteral("Le dossier de vos niveaux n'a pas pu être créé :\r\n%1\r\n\r\n"
                                   "Raison : %2\r\n\r\nLe jeu démarre avec les niveaux fournis, "
                                   "mais vos niveaux ne pourront pas être enregistrés.")
                        .arg(path, why),
                    mb::OkOnly | mb::Exclamation, title);
}

}  // namespace tk
