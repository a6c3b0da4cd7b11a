#include "editor/document.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

#include "level/files.h"
#include "toolkit/services.h"

namespace zelk {

namespace {

// Longest name "Sauvegerder sous..." accepts, in bytes with ".lev" (file systems stop at 255).
constexpr int kMaxNameBytes = 250;
constexpr const char* kRecentsFile = ".recents";

}  // namespace

Rect platformOf(const level::Level& l, int k) {
    return {l.left(k), l.top(k), l.width(k), l.height(k)};
}

level::Level withPlatform(level::Level l, int k, const Rect& r) {
    l.geometry[4 * k] = r.top;
    l.geometry[4 * k + 1] = r.left;
    l.geometry[4 * k + 2] = r.height;
    l.geometry[4 * k + 3] = r.width;
    return l;
}

level::Level withinLimits(level::Level l, float right) {
    for (int k = 0; k < level::kPlatformCount; ++k)
        l = withPlatform(l, k, limited(platformOf(l, k), right));
    return l;
}

void Document::start(const History::Step& now) {
    replace(now);
    start();
}

void Document::commit(const History::Run& run) {
    unrecorded_.reset();
    history_.record(step_, run);
}

void Document::commit(const History::Step& now, const History::Run& run) {
    replace(now);
    commit(run);
}

void Document::opened() {
    // Saved as it is recorded: no recovery copy of it is ever written.
    commit();
    markSaved();
}

void Document::opened(const History::Step& now) {
    replace(now);
    opened();
}

bool Document::pending() const {
    return !(step_.level == history_.current().level) && !unrecorded();
}

const History::Step& Document::travel(bool back) {
    unrecorded_.reset();
    step_ = back ? history_.undo() : history_.redo();
    return step_;
}

History::Step Document::standing() const {
    return unrecorded_ ? History::Step{*unrecorded_, step_.name} : history_.current();
}

// ---- The recovery copy: the level as a level file holds it, then a line
// with its file name.

QString Document::recoveryPath() const {
    return QDir(services_.levelFolder()).filePath(QString::fromLatin1(kRecoveryFile));
}

void Document::keepOrDropRecovery() {
    if (modified()) {
        keepRecovery();
    } else {
        dropRecovery();
    }
}

void Document::keepRecovery() {
    const History::Step now = standing();
    const QByteArray bytes = level::format(now.level) + now.name.toUtf8() + "\r\n";
    if (bytes == recovery_) return;
    QString why;
    if (services_.files().write(recoveryPath(), bytes, why, false)) {
        recovery_ = bytes;
        recoveryWarned_ = false;
        return;
    }
    recovery_.clear();
    // No reason to stop the author, but a reason to tell him, once until a
    // copy can be written again: a stop would lose these changes.
    if (stopping_ || std::exchange(recoveryWarned_, true)) return;
    services_.msgBox(
        QStringLiteral("La copie de secours de vos modifications n'a pas pu être écrite dans "
                       "%1 : %2\r\n\r\nElles ne seront pas gardées si le jeu est arrêté "
                       "avant que vous les enregistriez.")
            .arg(QDir::toNativeSeparators(recoveryPath()), why),
        tk::mb::OkOnly | tk::mb::Exclamation, QStringLiteral("Editeur"));
}

bool Document::dropRecovery(QString& why) {
    recovery_.clear();
    const QFileInfo copy(recoveryPath());
    return !(copy.exists() || copy.isSymLink()) || services_.files().remove(recoveryPath(), why);
}

void Document::dropRecovery() {
    QString why;
    dropRecovery(why);
}

std::optional<History::Step> Document::offerRecovery() {
    const QString path = recoveryPath();
    if (!QFileInfo::exists(path)) return std::nullopt;
    QByteArray bytes;
    QString why;
    level::Record rec;
    level::Error err;
    History::Step found;
    const qsizetype end =
        services_.files().read(path, level::kMaxScanBytes, bytes, why) ? bytes.indexOf('\n') : -1;
    found.name = QString::fromUtf8(bytes.mid(end + 1)).trimmed();
    // A name only a level may have: never one of the program's own files.
    bool named = level::isLevelFileName(found.name);
    for (QChar c : found.name)
        named = named && c.unicode() >= 32 && c.unicode() != 127;
    const bool damaged = end < 0 || !named || !level::parse(bytes.left(end + 1), path, rec, err) ||
                         !level::decodeForEditor(rec, found.name, found.level, err);
    const int answer =
        damaged ? tk::mb::No
                : services_.msgBox(QStringLiteral("Un niveau non enregistré (%1) a été retrouvé. "
                                                  "Voulez-vous le reprendre ?")
                                       .arg(found.name),
                                   tk::mb::YesNo | tk::mb::Question, QStringLiteral("Editeur"));
    if (answer == tk::mb::Yes) return found;
    if (!dropRecovery(why)) {
        // Still there: the next run would find it again, and while it is
        // in the way no copy of new changes can be written.
        services_.msgBox(QStringLiteral("Le niveau non enregistré retrouvé (%1)%2 n'a pas pu être "
                                        "supprimé : %3")
                             .arg(QDir::toNativeSeparators(path),
                                  damaged ? QStringLiteral(" est illisible et") : QString(), why),
                         tk::mb::OkOnly | tk::mb::Exclamation, QStringLiteral("Editeur"));
    } else if (damaged) {
        services_.msgBox(QStringLiteral("Le niveau non enregistré retrouvé (%1) est illisible ; il "
                                        "a été supprimé.")
                             .arg(QDir::toNativeSeparators(path)),
                         tk::mb::OkOnly | tk::mb::Exclamation, QStringLiteral("Editeur"));
    }
    return std::nullopt;
}

void Document::keepForNextRun() {
    recovery_.clear();
    if (modified()) keepRecovery();
}

// ---- The writes.

int Document::askToSave(const QString& fileName) {
    return services_.msgBox(
        QStringLiteral("Le niveau %1 a été modifié. Voulez-vous enregistrer les modifications ?")
            .arg(fileName),
        tk::mb::YesNoCancel | tk::mb::Exclamation, QStringLiteral("Editeur"));
}

bool Document::write(const QString& fileName) {
    QString why;
    // Levels live in the level folder and nowhere else, never under a name
    // of the program's own files (the writer refuses those and any "/"). A
    // backslash is an ordinary character of a name here: a listed level may
    // hold one.
    if (level::write(QDir(services_.levelFolder()).filePath(fileName), history_.current().level,
                     services_.files(), why))
        return true;
    services_.msgBox(
        QStringLiteral("Le niveau « %1 » n'a pas été enregistré : %2").arg(fileName, why),
        tk::mb::OkOnly | tk::mb::Critical, QStringLiteral("Enregistrement impossible"));
    return false;
}

void Document::sayWritten() {
    services_.msgBox(QStringLiteral("Fichier enregistré!"), tk::mb::OkOnly | tk::mb::Information,
                     QStringLiteral("OK"));
}

bool Document::acceptableName(const QString& name, QString& why) {
    bool control = false;
    for (QChar c : name)
        control = control || c.unicode() < 32 || c.unicode() == 127;
    if (name.trimmed().isEmpty()) {
        why = QStringLiteral("il ne contient que des blancs.");
    } else if (name.contains(u'/') || name.contains(u'\\')) {
        why = QStringLiteral("les caractères / et \\ ne sont pas permis.");
    } else if (control) {
        why = QStringLiteral("les caractères de contrôle ne sont pas permis.");
    } else if ((name + QStringLiteral(".lev")).toUtf8().size() > kMaxNameBytes) {
        why = QStringLiteral("il est trop long (%1 octets au plus).").arg(kMaxNameBytes - 4);
    } else {
        why = level::levelNameProblem(name + QStringLiteral(".lev"));  // a leading dot
    }
    return why.isEmpty();
}

std::optional<QString> Document::askNewName() {
    const QString answer = services_.inputBox(
        QStringLiteral("Donner un nom a votre sauvegarde (ne pas mettre d'extensions SVP)"),
        QStringLiteral("Nom"), QString());
    if (answer.isEmpty()) return std::nullopt;  // a cancel: the level keeps its file
    QString why;
    if (!acceptableName(answer, why)) {
        services_.msgBox(QStringLiteral("Le nom « %1 » ne convient pas : %2 Le niveau n'a pas été "
                                        "enregistré.")
                             .arg(answer, why),
                         tk::mb::OkOnly | tk::mb::Exclamation, QStringLiteral("Nom refusé"));
        return std::nullopt;
    }
    const QString file = answer + QStringLiteral(".lev");
    if (QFileInfo::exists(QDir(services_.levelFolder()).filePath(file)) &&
        services_.msgBox(
            QStringLiteral("Le niveau %1 existe déjà. Voulez-vous le remplacer ?").arg(file),
            tk::mb::YesNo | tk::mb::Question, QStringLiteral("Editeur")) != tk::mb::Yes)
        return std::nullopt;
    return file;
}

// ---- The recent levels outlive the editor and the run: one name a line in
// the level folder's hidden ".recents". Names of levels no longer there are
// left out when it is read; a file that cannot be read or written is no loss.

void Document::loadRecents() {
    const QDir folder(services_.levelFolder());
    QByteArray bytes;
    QString why;
    if (!QFileInfo::exists(folder.filePath(QLatin1String(kRecentsFile))) ||
        !services_.files().read(folder.filePath(QLatin1String(kRecentsFile)), 16 * 1024, bytes,
                                why))
        return;
    recent_.clear();
    for (const QString& name : QString::fromUtf8(bytes).split(u'\n', Qt::SkipEmptyParts)) {
        if (recent_.size() < kRecentCount && !recent_.contains(name) &&
            level::isLevelFileName(name) && QFileInfo(folder.filePath(name)).isFile())
            recent_ << name;
    }
}

void Document::addRecent(const QString& name) {
    recent_.removeAll(name);
    recent_.prepend(name);
    while (recent_.size() > kRecentCount)
        recent_.removeLast();
    keepRecents();
}

void Document::forgetRecent(const QString& name) {
    recent_.removeAll(name);
    keepRecents();
}

void Document::keepRecents() {
    QString why;
    services_.files().write(QDir(services_.levelFolder()).filePath(QLatin1String(kRecentsFile)),
                            recent_.join(u'\n').toUtf8() + '\n', why, false);
}

}  // namespace zelk
