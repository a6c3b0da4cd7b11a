#include "app/levelfolder.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "level/files.h"
#include "level/levelfile.h"
#include "toolkit/services.h"

namespace zelk {

namespace {

// The most read of a sample level or of the list of samples offered, bytes.
constexpr qint64 kMaxSeedBytes = 1024 * 1024;

bool makeFolder(const QString& path, QString& whyNot) {
    std::error_code ec;
    std::filesystem::create_directories(QFile::encodeName(path).toStdString(), ec);
    if (!ec && QFileInfo(path).isDir()) return true;
    // A file in the folder's place, or in the place of one of its parents.
    whyNot =
        level::systemReason(QFileInfo::exists(path) || ec.value() == EEXIST ? ENOTDIR : ec.value());
    return false;
}

// The first samples were named niveau1.lev to niveau4.lev; they now have
// names that sort in the order they are played. A folder offered one under
// its old name has it (or had it, and deleted it): it is not offered again.
struct Renamed {
    const char* before;
    const char* now;
};
constexpr Renamed kRenamedSamples[] = {
    {"niveau1.lev", "05 - le premier vrai niveau.lev"},
    {"niveau2.lev", "09 - la basse-cour.lev"},
    {"niveau3.lev", "13 - le ciel menace.lev"},
    {"niveau4.lev", "16 - la grande bataille.lev"},
};

bool offeredBefore(const QSet<QString>& offered, const QString& name) {
    if (offered.contains(name)) return true;
    for (const Renamed& r : kRenamedSamples)
        if (name == QString::fromUtf8(r.now) && offered.contains(QString::fromUtf8(r.before)))
            return true;
    return false;
}

bool present(const QString& path) {
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

}  // namespace

bool seedLevelFolder(const tk::Folders& folders, level::Files& files, QString& whyNot) {
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
        if (offeredBefore(before, name)) {
            offered << name;
            continue;
        }
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

void prepareLevelFolder(tk::Services& services) {
    const tk::Folders folders{services.dataFolder(), services.levelFolder()};
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
                        tk::mb::OkOnly | tk::mb::Exclamation, title);
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
                        tk::mb::OkOnly | tk::mb::Exclamation, title);
        return;
    }
    services.msgBox(QStringLiteral("Le dossier de vos niveaux n'a pas pu être créé :\r\n%1\r\n\r\n"
                                   "Raison : %2\r\n\r\nLe jeu démarre avec les niveaux fournis, "
                                   "mais vos niveaux ne pourront pas être enregistrés.")
                        .arg(path, why),
                    tk::mb::OkOnly | tk::mb::Exclamation, title);
}

bool copyIntoLevelFolder(tk::Services& services, const QString& path) {
    const QFileInfo from(path);
    const QString name = from.fileName();
    const QString target = QDir(services.levelFolder()).filePath(name);
    // A hidden name is one of the program's own files there, never a level.
    QString why = level::levelNameProblem(name);
    if (why.isEmpty() && from.canonicalFilePath() == QFileInfo(target).canonicalFilePath())
        return true;
    level::Files& files = services.files();
    const QString title = QStringLiteral("Niveau reçu");
    QByteArray bytes, mine;
    if (why.isEmpty() && files.read(path, level::kMaxScanBytes, bytes, why)) {
        if (present(target)) {
            if (files.read(target, level::kMaxScanBytes, mine, why) && mine == bytes) return true;
            if (services.msgBox(QStringLiteral("Le niveau %1 existe déjà dans vos niveaux, avec un "
                                               "autre contenu. Voulez-vous le remplacer ?")
                                    .arg(name),
                                tk::mb::YesNo | tk::mb::Question, title) != tk::mb::Yes)
                return false;
        }
        if (files.write(target, bytes, why)) return true;
    }
    services.msgBox(QStringLiteral("Le niveau %1 n'a pas pu être copié dans vos niveaux :\r\n%2")
                        .arg(name, why),
                    tk::mb::OkOnly | tk::mb::Critical, title);
    return false;
}

}  // namespace zelk
