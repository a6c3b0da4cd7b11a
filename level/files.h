// File operations on the program folder, with the reason of a failure in
// French. A write is atomic: the bytes go to a new file beside the target,
// which is then renamed over it, so that a failure never leaves a truncated
// file, and a link of the target's name is replaced, never written through.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace level {

// What a name stands for now, links followed: enough to tell that a file
// changed (a write by rename gives a new inode, an edit in place a new size
// or time).
struct FileStamp {
    bool present = false;  // something has that name (a link to nowhere included)
    bool reached = false;  // and what it leads to could be looked at
    quint64 device = 0, inode = 0;
    qint64 size = 0, modifiedNs = 0, changedNs = 0;
    unsigned mode = 0;
    bool isFile() const;
    bool operator==(const FileStamp&) const = default;
};
FileStamp fileStamp(const QString& path);

// An advisory lock on a file, held while the object lives. Only programs that
// take the same lock wait for each other; a program that dies lets go.
class FileLock {
public:
    FileLock() = default;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    ~FileLock();

private:
    friend class Files;
    int fd_ = -1;
};

class Files {
public:
    virtual ~Files() = default;

    // At most maxBytes of a regular file (links followed); anything else (a
    // folder, a device, a pipe) is refused without waiting on it.
    bool read(const QString& path, qint64 maxBytes, QByteArray& out, QString& whyNot);
    // Creates or replaces the file at path with bytes. A file replaced keeps
    // its permissions; one the user may not write, or that nobody may write,
    // is refused and left as it is. Not durable, the bytes are not waited
    // for on the disk before the rename (a copy rewritten at every change).
    bool write(const QString& path, const QByteArray& bytes, QString& whyNot, bool durable = true);
    // Removes a file, or a link itself; a folder is refused.
    bool remove(const QString& path, QString& whyNot);
    // Moves whatever has the name path (a file, a link itself, a folder) to
    // the first free name among `name`, `name-2`, `name-3`, ... of the same
    // folder, by renaming: nothing is copied, and no name is ever replaced.
    // `movedTo` is the path it went to.
    bool moveAside(const QString& path, const QString& name, QString& movedTo, QString& whyNot);
    // Takes the lock of the file path (created empty if need be), waiting a
    // few seconds at most for another program to let go (not at all without
    // `wait`: another program's lock is then refused at once).
    bool lock(const QString& path, FileLock& out, QString& whyNot, bool wait = true);
    // Makes a folder and those missing above it; one already there is kept,
    // anything else of that name is refused.
    bool makeFolder(const QString& path, QString& whyNot);
    // Refuses every write and removal of a file in `folder` with the reason
    // `why`: a folder the program reads but must never change.
    void keepUnchanged(const QString& folder, const QString& why);

    // The steps that can fail.
    enum class Step {
        Open,
        Read,
        Check,
        Create,
        Write,
        Sync,
        Rename,
        Remove,
        Move,
        Lock,
        MakeFolder
    };

protected:
    // Asked before each step: an error number makes the step fail as the
    // system does with it, 0 lets it run. Tests make full disks, and
    // permissions that root ignores, this way (Check: whether the user may
    // write the file a save replaces).
    virtual int fault(Step /*step*/, const QString& /*path*/) { return 0; }

private:
    bool failed(int err, const QString& path, QString& whyNot);
    bool kept(const QString& path, QString& whyNot) const;

    QString keptFolder_, keptWhy_;
};

// The French words for a system error number, ending with a full stop.
QString systemReason(int err);

// What keeps a name from being a level's file name in a level folder, in
// French, or empty when nothing does. Names that start with "." are the
// program's own files there (the records, the recovery copy, the recent
// levels, the samples offered), never levels: no level is read from or
// written to one, whatever brought the name (a save, an open, a file
// received, a copy or a list kept on disk).
QString levelNameProblem(const QString& name);
inline bool isLevelFileName(const QString& name) {
    return levelNameProblem(name).isEmpty();
}

// The regular files of a folder (links to one included), hidden ones left
// out, unsorted; devices and pipes are not files to pick. A folder that is
// gone lists nothing.
QStringList regularFiles(const QString& folder);

}  // namespace level
