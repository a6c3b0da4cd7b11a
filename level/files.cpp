#include "level/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace level {

namespace {

// Bytes moved by one read or write call.
constexpr qint64 kChunk = 64 * 1024;
// How long a lock is waited for, and how often it is tried again, ms: another
// program holds it only while it rewrites a small file.
constexpr int kLockWaitMs = 3000, kLockRetryMs = 10;
// Names tried by moveAside before it gives up.
constexpr int kMaxAsideNames = 100000;

// A name that came from the folder listing with bytes that are not UTF-8:
// the listing shows them as replacement characters, and no file has that
// name.
bool undecodableName(const QString& path) {
    return QFileInfo(path).fileName().contains(QChar::ReplacementCharacter);
}

}  // namespace

QString systemReason(int err) {
    switch (err) {
        case ENOENT:
            return QStringLiteral("le fichier ou son dossier n'existe pas.");
        case EACCES:
        case EPERM:
            return QStringLiteral("accès refusé (droits insuffisants).");
        case EROFS:
            return QStringLiteral("le disque est en lecture seule.");
        case ENOSPC:
            return QStringLiteral("le disque est plein.");
        case EDQUOT:
            return QStringLiteral("le quota du disque est dépassé.");
        case EFBIG:
            return QStringLiteral("le fichier serait trop gros.");
        case EISDIR:
            return QStringLiteral("c'est un dossier, pas un fichier.");
        case ENOTDIR:
            return QStringLiteral("un élément du chemin n'est pas un dossier.");
        case EEXIST:
            return QStringLiteral("un fichier porte déjà ce nom.");
        case ENAMETOOLONG:
            return QStringLiteral("le nom est trop long.");
        case ELOOP:
            return QStringLiteral("trop de liens symboliques en chaîne.");
        case EIO:
            return QStringLiteral("erreur d'entrée-sortie du disque.");
        case EMFILE:
        case ENFILE:
            return QStringLiteral("trop de fichiers ouverts.");
        case EBUSY:
        case ETXTBSY:
            return QStringLiteral("le fichier est occupé.");
        default:
            return QStringLiteral("erreur du système n° %1 (%2).")
                .arg(err)
                .arg(QString::fromLocal8Bit(std::strerror(err)));
    }
}

bool Files::failed(int err, const QString& path, QString& whyNot) {
    if (err == ENOENT && undecodableName(path)) {
        whyNot = QStringLiteral(
            "son nom n'est pas écrit en UTF-8 ; renommez le fichier pour "
            "l'utiliser.");
    } else {
        whyNot = systemReason(err);
    }
    return false;
}

bool Files::read(const QString& path, qint64 maxBytes, QByteArray& out, QString& whyNot) {
    if (const int e = fault(Step::Open, path)) return failed(e, path, whyNot);
    // Non-blocking, so that a pipe does not wait for a writer before it is refused.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return failed(errno, path, whyNot);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int e = errno;
        ::close(fd);
        if (S_ISDIR(st.st_mode)) return failed(EISDIR, path, whyNot);
        if (st.st_mode != 0) {
            whyNot = QStringLiteral(
                "ce n'est pas un fichier ordinaire (périphérique, tube ou "
                "socket).");
            return false;
        }
        return failed(e, path, whyNot);
    }
    QByteArray data;
    while (data.size() < maxBytes) {
        if (const int e = fault(Step::Read, path)) {
            ::close(fd);
            return failed(e, path, whyNot);
        }
        const qint64 want = std::min(kChunk, maxBytes - data.size());
        const qsizetype at = data.size();
        data.resize(at + want);
        const ssize_t got = ::read(fd, data.data() + at, static_cast<size_t>(want));
        if (got < 0 && errno == EINTR) {
            data.resize(at);
            continue;
        }
        if (got < 0) {
            const int e = errno;
            ::close(fd);
            return failed(e, path, whyNot);
        }
        data.resize(at + got);
        if (got == 0) break;
    }
    ::close(fd);
    out = data;
    return true;
}

void Files::keepUnchanged(const QString& folder, const QString& why) {
    keptFolder_ = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    keptWhy_ = why;
}

bool Files::kept(const QString& path, QString& whyNot) const {
    if (keptFolder_.isEmpty() || QDir::cleanPath(QFileInfo(path).absolutePath()) != keptFolder_)
        return false;
    whyNot = keptWhy_;
    return true;
}

bool Files::write(const QString& path, const QByteArray& bytes, QString& whyNot, bool durable) {
    if (kept(path, whyNot)) return false;
    const QByteArray target = QFile::encodeName(path);
    struct stat st {};
    const bool exists = ::lstat(target.constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return failed(EISDIR, path, whyNot);
    // A file nobody may write was made read-only on purpose: it is refused
    // whoever saves, root included. Otherwise the system says whether this
    // user may write it. (A link of that name is replaced, never written.)
    const bool file = exists && S_ISREG(st.st_mode);
    if (file) {
        const int e = fault(Step::Check, path);
        if (e != 0 || (st.st_mode & 0222) == 0 || ::access(target.constData(), W_OK) != 0) {
            const int why = e != 0 ? e : (st.st_mode & 0222) == 0 ? EACCES : errno;
            if (why != EACCES && why != EPERM) return failed(why, path, whyNot);
            whyNot = QStringLiteral("le fichier est en lecture seule.");
            return false;
        }
    }
    // A short name of its own beside the target, so that it fits whatever the
    // target's name; hidden, and not a level name, so that no list shows it.
    QByteArray aside = QFile::encodeName(QFileInfo(path).absolutePath()) + "/.zelk-XXXXXX";
    if (const int e = fault(Step::Create, path)) return failed(e, path, whyNot);
    const int fd = ::mkostemp(aside.data(), O_CLOEXEC);
    if (fd < 0) return failed(errno, path, whyNot);
    auto abandon = [&](int err) {
        ::close(fd);
        ::unlink(aside.constData());
        return failed(err, path, whyNot);
    };
    // A file replaced keeps its permissions; a new one gets those of the
    // user's mask.
    mode_t mode = st.st_mode & 0777;
    if (!file) {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    qsizetype done = 0;
    while (done < bytes.size()) {
        if (const int e = fault(Step::Write, path)) return abandon(e);
        const ssize_t n =
            ::write(fd, bytes.constData() + done,
                    static_cast<size_t>(std::min<qint64>(kChunk, bytes.size() - done)));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return abandon(n < 0 ? errno : EIO);
        done += n;
    }
    if (const int e = fault(Step::Sync, path)) return abandon(e);
    if (durable && ::fsync(fd) != 0) return abandon(errno);
    if (::close(fd) != 0) {
        const int e = errno;
        ::unlink(aside.constData());
        return failed(e, path, whyNot);
    }
    const int renameFault = fault(Step::Rename, path);
    if (renameFault != 0 || ::rename(aside.constData(), target.constData()) != 0) {
        const int e = renameFault != 0 ? renameFault : errno;
        ::unlink(aside.constData());
        return failed(e, path, whyNot);
    }
    return true;
}

bool FileStamp::isFile() const {
    return reached && S_ISREG(mode);
}

FileStamp fileStamp(const QString& path) {
    FileStamp s;
    const QByteArray p = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(p.constData(), &st) != 0) return s;
    s.present = true;
    if (S_ISLNK(st.st_mode) && ::stat(p.constData(), &st) != 0) return s;
    s.reached = true;
    s.device = st.st_dev;
    s.inode = st.st_ino;
    s.size = st.st_size;
    s.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.changedNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    s.mode = st.st_mode;
    return s;
}

FileLock::~FileLock() {
    if (fd_ >= 0) ::close(fd_);  // closing lets go of the lock
}

bool Files::moveAside(const QString& path, const QString& name, QString& movedTo, QString& whyNot) {
    if (kept(path, whyNot)) return false;
    const QByteArray from = QFile::encodeName(path);
    const QDir folder = QFileInfo(path).dir();
    for (int n = 1; n <= kMaxAsideNames; ++n) {
        const QString to = folder.filePath(n == 1 ? name : name + u'-' + QString::number(n));
        const QByteArray target = QFile::encodeName(to);
        struct stat st {};
        if (::lstat(target.constData(), &st) == 0) continue;
        if (const int e = fault(Step::Move, path)) return failed(e, path, whyNot);
        int r =
            ::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE);
        // A file system without the flag: a second name, then the first one
        // removed, which cannot replace anything either (not for folders).
        if (r != 0 && (errno == EINVAL || errno == ENOSYS)) {
            r = ::link(from.constData(), target.constData());
            if (r == 0 && ::unlink(from.constData()) != 0) {
                const int e = errno;
                ::unlink(target.constData());
                return failed(e, path, whyNot);
            }
        }
        if (r == 0) {
            movedTo = to;
            return true;
        }
        if (errno != EEXIST) return failed(errno, path, whyNot);
    }
    whyNot = QStringLiteral("toutes les copies possibles existent déjà.");
    return false;
}

bool Files::lock(const QString& path, FileLock& out, QString& whyNot, bool wait) {
    if (kept(path, whyNot)) return false;
    if (const int e = fault(Step::Lock, path)) return failed(e, path, whyNot);
    const QByteArray p = QFile::encodeName(path);
    // Read access is enough to lock: a lock file made read-only still works.
    int fd = ::open(p.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS))
        fd = ::open(p.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return failed(errno, path, whyNot);
    for (int waited = 0;; waited += kLockRetryMs) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
        const int e = errno;
        if (e == EINTR) continue;
        if (e != EWOULDBLOCK || !wait || waited >= kLockWaitMs) {
            ::close(fd);
            return failed(e == EWOULDBLOCK ? EBUSY : e, path, whyNot);
        }
        const timespec pause{0, kLockRetryMs * 1000000L};
        ::nanosleep(&pause, nullptr);
    }
    if (out.fd_ >= 0) ::close(out.fd_);
    out.fd_ = fd;
    return true;
}

bool Files::remove(const QString& path, QString& whyNot) {
    if (kept(path, whyNot)) return false;
    const QByteArray p = QFile::encodeName(path);
    struct stat st {};
    if (::lstat(p.constData(), &st) == 0 && S_ISDIR(st.st_mode))
        return failed(EISDIR, path, whyNot);
    if (const int e = fault(Step::Remove, path)) return failed(e, path, whyNot);
    if (::unlink(p.constData()) != 0) return failed(errno, path, whyNot);
    return true;
}

bool Files::makeFolder(const QString& path, QString& whyNot) {
    const QByteArray p = QFile::encodeName(path);
    struct stat st {};
    if (::stat(p.constData(), &st) == 0) return S_ISDIR(st.st_mode) || failed(EEXIST, path, whyNot);
    if (kept(path, whyNot)) return false;
    const QString parent = QFileInfo(path).path();
    if (parent != path && !QFileInfo::exists(parent) && !makeFolder(parent, whyNot)) return false;
    if (const int e = fault(Step::MakeFolder, path)) return failed(e, path, whyNot);
    if (::mkdir(p.constData(), 0777) == 0) return true;
    const int e = errno;
    // Made meanwhile by someone else: as good.
    return (e == EEXIST && ::stat(p.constData(), &st) == 0 && S_ISDIR(st.st_mode)) ||
           failed(e, path, whyNot);
}

QString levelNameProblem(const QString& name) {
    if (name.isEmpty()) return QStringLiteral("le nom du fichier est vide.");
    if (name.contains(u'/'))
        return QStringLiteral("ce nom désigne un fichier hors du dossier des niveaux.");
    if (name.startsWith(u'.'))
        return QStringLiteral("un nom qui commence par un point est réservé aux fichiers du jeu.");
    return {};
}

// Read with the system's own
// calls: Qt's listing drops a name that is not UTF-8, which would leave the
// user with a file he cannot see. Such a name is listed with replacement
// characters, so that picking it says why it cannot be used.
QStringList regularFiles(const QString& folder) {
    QStringList names;
    DIR* dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir) return names;  // a folder that is gone lists nothing
    while (const dirent* e = ::readdir(dir)) {
        struct stat st {};
        if (e->d_name[0] == '.' || ::fstatat(::dirfd(dir), e->d_name, &st, 0) != 0 ||
            !S_ISREG(st.st_mode))
            continue;
        names << QString::fromUtf8(e->d_name);
    }
    ::closedir(dir);
    return names;
}

}  // namespace level
