#include "folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
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
    const QString installed = QDir::cleanPath(exeDir + QStringLiteral("/../share/zelk"));
    if (!QFileInfo(installed).isDir()) {
        if (writable(exeDir)) return {exeDir, exeDir};
        return {exeDir, QDir(dataHome).filePath(QStringLiteral("zelk"))};
    }
    return {installed, QDir(dataHome).filePath(QStringLiteral("zelk"))};
}

bool seedLevelFolder(const Folders& folders, level::Files& files, QString& whyNot) {
    if (!makeFolder(folders.levels, whyNot)) return false;
    const QDir levels(folders.levels);
    const QString offeredPath = levels.filePath(QString::fromLatin1(kOfferedFile));
    QByteArray bytes;
    QString ignored;
    // Not there yet: nothing was offered.
    files.read(offeredPath, kMaxSeedBytes, bytes, ignored);
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
    QString why;
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
    if (seedLevelFolder(folders, services.files(), why)) return;
    const QString path = QDir::toNativeSeparators(folders.levels);
    if (QFileInfo(folders.levels).isDir()) {
        services.msgBox(QStringLiteral("Les niveaux fournis avec le jeu n'ont pas tous pu être "
                                       "copiés dans le dossier de vos niveaux :\r\n%1\r\n\r\n%2")
                            .arg(path, why),
                        mb::OkOnly | mb::Exclamation, QStringLiteral("Dossier des niveaux"));
        return;
    }
    // The samples stay playable where they were shipped; saving fails there
    // with its own message.
    services.setFolders(folders.data, folders.data);
    services.msgBox(QStringLiteral("Le dossier de vos niveaux n'a pas pu être créé :\r\n%1\r\n\r\n"
                                   "Raison : %2\r\n\r\nLe jeu démarre avec les niveaux fournis, "
                                   "mais vos niveaux ne pourront pas être enregistrés.")
                        .arg(path, why),
                    mb::OkOnly | mb::Exclamation, QStringLiteral("Dossier des niveaux"));
}

}  // namespace tk
