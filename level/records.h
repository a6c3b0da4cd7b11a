// The player's records, one per level, kept in a hidden text file of the level
// folder. A level is known by its 29 fields as the writer formats them, so an
// edited level is a new level and a renamed copy keeps its records.
#pragma once

#include <QByteArray>
#include <QString>
#include <map>
#include <vector>

#include "level/files.h"
#include "level/levelfile.h"

namespace level {

struct LevelRecord {
    int played = 0, won = 0;
    int bestTicks = 0;   // the shortest win, game timer firings (0: never won)
    int bestTickMs = 0;  // the game timer's interval of that win
    int bestEnergy = 0;  // the most energy left at a win
    bool operator==(const LevelRecord&) const = default;
};

// Keyed by the level's fields, `format` without its line end.
using Records = std::map<QByteArray, LevelRecord>;

QByteArray recordKey(const Level& l);

// The largest records file read, bytes. A line takes about 150 bytes and a
// level folder gets one for each distinct level ever played: 256 MiB hold
// over a million levels, far more than anyone plays, while a larger file (a
// disk image saved there by mistake) is never read into memory.
constexpr qint64 kMaxRecordsBytes = qint64(256) * 1024 * 1024;

QByteArray formatRecords(const Records& r);
// The whole file or nothing: a damaged one is refused with the line and the
// problem in French. Levels of `known` (read before) are not checked again.
bool parseRecords(const QByteArray& data, Records& out, QString& whyNot,
                  const Records* known = nullptr);

// A game ended: the record it makes. `beaten` says whether a win set a new
// best (shorter, or with more energy left, or the first).
LevelRecord withGame(LevelRecord r, bool won, int ticks, int tickMs, int energy, bool& beaten);

// The summary line of the main menu.
QString recordSummary(const LevelRecord& r);

// One game's end, as the records count it.
struct GameEnd {
    QByteArray key;  // recordKey of its level
    bool won = false;
    int ticks = 0, tickMs = 0, energy = 0;
};

// Something to tell the player about the records file, in French, naming it.
struct RecordsNote {
    QString text;
    bool failure = false;  // a record not kept (else: kept, but not as it was)
};

// The records file of a folder (".records"), as a program keeps it: read
// once and again only when it changed on disk, written under a lock shared
// by every program on the folder. Nothing once written is lost: a damaged
// file is moved aside whole (".records-endommage", "-2", ...), and one that
// cannot be read or moved is left as it is, the games counted only once it
// can be.
class RecordsFile {
public:
    explicit RecordsFile(const QString& folder);
    const QString& folder() const { return folder_; }

    // The records as the file holds them now.
    const Records& records(Files& files);
    // What could not be done (read, move aside) is tried again at the next
    // read, even if the file did not change.
    void retry();
    // Counts a game's end: under the lock, the game is added to the record
    // as the file holds it at that moment, and the file is written. `again`:
    // another end of the game counted last, which replaces that count. False
    // when it could not be kept (it is then added with the next game that
    // is); `beaten`: kept, and a new best.
    bool count(Files& files, const GameEnd& game, bool again, bool& beaten);
    // What is new to say since the last call (an empty text: nothing). The
    // same problem is said once, until the file is fine again.
    RecordsNote takeNote();

private:
    enum class State { Fine, Unreadable, Stuck };
    bool refresh(Files& files, bool locked);
    void say(const QString& text, bool failure);
    QString shown(const QString& path) const;

    QString folder_, path_, lockPath_;
    Records records_;
    FileStamp stamp_;  // the file as last read or written
    bool loaded_ = false, retry_ = false;
    State state_ = State::Fine;
    std::vector<GameEnd> pending_;  // games counted but not yet written
    // The last game counted, while it may end again: pending, or written
    // over `before` as `after`.
    enum class Last { None, Pending, Written } last_ = Last::None;
    GameEnd lastGame_;
    LevelRecord before_, after_;
    RecordsNote note_;
    QString said_;
};

}  // namespace level
