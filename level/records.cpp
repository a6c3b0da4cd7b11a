#include "level/records.h"

#include <QByteArrayList>
#include <QDir>
#include <algorithm>

#include "level/replay.h"

namespace level {

namespace {
constexpr const char* kMagic = "zelk-records 1";
constexpr int kLargest = 1 << 30;
constexpr const char* kRecordsName = ".records";
constexpr const char* kDamagedName = ".records-endommage";
constexpr const char* kLockName = ".records-verrou";

QString tooLarge(qint64 bytes) {
    return QStringLiteral("le fichier est trop grand : %1 octets, plus que la limite de %2 Mo")
        .arg(bytes)
        .arg(kMaxRecordsBytes / (1024 * 1024));
}

// A record without one game of it, as far as that can be told: a best
// that game set stays unless no win is left.
LevelRecord withoutGame(LevelRecord r, bool won) {
    r.played = std::max(0, r.played - 1);
    if (won) r.won = std::max(0, r.won - 1);
    r.won = std::min(r.won, r.played);
    if (r.won == 0) r.bestTicks = r.bestTickMs = r.bestEnergy = 0;
    return r;
}

}  // namespace

QByteArray recordKey(const Level& l) {
    return format(l).trimmed();
}

QByteArray formatRecords(const Records& records) {
    QByteArray out = QByteArray(kMagic) + '\n';
    for (const auto& [key, r] : records) {
        for (int v : {r.played, r.won, r.bestTicks, r.bestTickMs, r.bestEnergy})
            out += QByteArray::number(v) + ' ';
        out += key + '\n';
    }
    return out;
}

bool parseRecords(const QByteArray& data, Records& out, QString& whyNot, const Records* known) {
    if (data.size() > kMaxRecordsBytes) {
        whyNot = tooLarge(data.size());
        return false;
    }
    QByteArrayList lines = data.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    Records records;
    int lineNo = 0;
    auto refuse = [&](const QString& problem) {
        whyNot = QStringLiteral("ligne %1 : %2").arg(lineNo).arg(problem);
        return false;
    };
    for (const QByteArray& line : lines) {
        ++lineNo;
        if (lineNo == 1) {
            if (line != kMagic) return refuse(QStringLiteral("en-tête inconnu"));
            continue;
        }
        const QByteArrayList w = line.split(' ');
        if (w.size() != 6) return refuse(QStringLiteral("six mots attendus"));
        int v[5];
        for (int i = 0; i < 5; ++i) {
            bool ok = false;
            v[i] = w[i].toInt(&ok);
            if (!ok || v[i] < 0 || v[i] > kLargest)
                return refuse(QStringLiteral("un compte n'est pas un nombre entier positif"));
        }
        const LevelRecord r{v[0], v[1], v[2], v[3], v[4]};
        if (r.won > r.played || (r.won > 0) != (r.bestTicks > 0))
            return refuse(QStringLiteral("des comptes qui se contredisent"));
        Record rec;
        Error err;
        Level l;
        if ((!known || !known->count(w[5])) &&
            (!parse(w[5], QString(), rec, err) || !decodeForGame(rec, QString(), l, err) ||
             recordKey(l) != w[5]))
            return refuse(QStringLiteral("le niveau n'est pas lisible"));
        if (!records.emplace(w[5], r).second) return refuse(QStringLiteral("niveau en double"));
    }
    if (lineNo == 0) return refuse(QStringLiteral("le fichier est vide"));
    out = std::move(records);
    return true;
}

LevelRecord withGame(LevelRecord r, bool won, int ticks, int tickMs, int energy, bool& beaten) {
    beaten = false;
    if (r.played < kLargest) ++r.played;
    if (!won) return r;
    if (r.won < kLargest) ++r.won;
    ticks = std::clamp(ticks, 1, kLargest);
    if (r.bestTicks == 0 || ticks < r.bestTicks) {
        r.bestTicks = ticks;
        r.bestTickMs = std::clamp(tickMs, 0, kLargest);
        beaten = true;
    }
    energy = std::clamp(energy, 0, kLargest);
    if (r.won == 1 || energy > r.bestEnergy) {
        r.bestEnergy = energy;
        beaten = true;
    }
    return r;
}

QString recordSummary(const LevelRecord& r) {
    if (r.won == 0)
        return r.played == 0 ? QString()
                             : QStringLiteral("Pas encore gagné (%1 partie%2)")
                                   .arg(r.played)
                                   .arg(r.played > 1 ? QStringLiteral("s") : QString());
    return QStringLiteral("Record : gagné en %1, énergie %2 — %3 victoire%4 sur %5 partie%6")
        .arg(gameTime(static_cast<qint64>(r.bestTicks) * r.bestTickMs))
        .arg(r.bestEnergy)
        .arg(r.won)
        .arg(r.won > 1 ? QStringLiteral("s") : QString())
        .arg(r.played)
        .arg(r.played > 1 ? QStringLiteral("s") : QString());
}

RecordsFile::RecordsFile(const QString& folder)
    : folder_(folder),
      path_(QDir(folder).filePath(QLatin1String(kRecordsName))),
      lockPath_(QDir(folder).filePath(QLatin1String(kLockName))) {}

QString RecordsFile::shown(const QString& path) const {
    return QDir::toNativeSeparators(path);
}

void RecordsFile::say(const QString& text, bool failure) {
    if (text == said_) return;
    said_ = text;
    note_ = {text, failure};
}

RecordsNote RecordsFile::takeNote() {
    return std::exchange(note_, RecordsNote{});
}

void RecordsFile::retry() {
    if (state_ != State::Fine) retry_ = true;
}

const Records& RecordsFile::records(Files& files) {
    refresh(files, false);
    return records_;
}

// True when the records are those of the file, which can then be written.
bool RecordsFile::refresh(Files& files, bool locked) {
    const FileStamp now = fileStamp(path_);
    if (loaded_ && !retry_ && now == stamp_) return state_ == State::Fine;
    loaded_ = true;
    retry_ = false;
    stamp_ = now;
    Records before = std::exchange(records_, {});
    state_ = State::Fine;
    if (!now.present) {
        said_.clear();
        return true;
    }
    QByteArray bytes;
    QString why;
    // A size seen before reading spares reading what is too large anyway.
    bool large = now.reached && now.size > kMaxRecordsBytes;
    if (!large) {
        if (!files.read(path_, kMaxRecordsBytes + 1, bytes, why)) {
            state_ = State::Unreadable;
            say(QStringLiteral("Le fichier des records « %1 » ne peut pas être lu : %2 Il est "
                               "laissé tel quel ; les parties jouées ne seront comptées que "
                               "lorsqu'il pourra être lu.")
                    .arg(shown(path_), why),
                true);
            return false;
        }
        large = bytes.size() > kMaxRecordsBytes;
    }
    if (large) {
        why = tooLarge(std::max<qint64>(now.size, bytes.size()));
    } else if (parseRecords(bytes, records_, why, &before)) {
        said_.clear();
        return true;
    }
    // Damaged: moved aside whole under the lock, unless another program
    // changed it meanwhile (it is then read again).
    FileLock lock;
    QString lockWhy, aside;
    if (!locked) {
        if (!files.lock(lockPath_, lock, lockWhy)) {
            state_ = State::Stuck;
            say(QStringLiteral("Le fichier des records « %1 » est endommagé (%2) et ne peut pas "
                               "être mis de côté : son verrou « %3 » ne peut pas être pris : %4 "
                               "Il est laissé tel quel ; les parties jouées ne seront comptées "
                               "que lorsqu'il pourra l'être.")
                    .arg(shown(path_), why, shown(lockPath_), lockWhy),
                true);
            return false;
        }
        if (fileStamp(path_) != now) {
            retry_ = true;
            return refresh(files, true);
        }
    }
    if (!files.moveAside(path_, QLatin1String(kDamagedName), aside, lockWhy)) {
        state_ = State::Stuck;
        say(QStringLiteral("Le fichier des records « %1 » est endommagé (%2) et ne peut pas être "
                           "mis de côté : %3 Il est laissé tel quel ; les parties jouées ne "
                           "seront comptées que lorsqu'il pourra l'être.")
                .arg(shown(path_), why, lockWhy),
            true);
        return false;
    }
    say(QStringLiteral("Le fichier des records « %1 » est endommagé (%2). Il a été mis de côté "
                       "sous le nom « %3 » et les records repartent de zéro.")
            .arg(shown(path_), why, shown(aside)),
        false);
    stamp_ = fileStamp(path_);
    return true;
}

bool RecordsFile::count(Files& files, const GameEnd& game, bool again, bool& beaten) {
    beaten = false;
    if (!again) last_ = Last::None;
    if (last_ == Last::Pending) pending_.pop_back();  // replaced by this end
    auto keep = [&](const QString& problem) {
        // An end of a game already written stays counted as that game.
        if (last_ != Last::Written) {
            pending_.push_back(game);
            last_ = Last::Pending;
        }
        if (!problem.isEmpty())
            say(QStringLiteral("Le record n'a pas pu être enregistré dans « %1 » : %2 La partie "
                               "sera comptée avec la suivante, si le fichier peut alors être "
                               "écrit.")
                    .arg(shown(path_), problem),
                true);
        return false;
    };
    FileLock lock;
    QString why;
    if (!files.lock(lockPath_, lock, why))
        return keep(QStringLiteral("son verrou « %1 » ne peut pas être pris : %2")
                        .arg(shown(lockPath_), why));
    if (!refresh(files, true)) return keep(QString());  // said by refresh
    Records all = records_;
    bool ignored = false;
    for (const GameEnd& g : pending_)
        all[g.key] = withGame(all[g.key], g.won, g.ticks, g.tickMs, g.energy, ignored);
    LevelRecord base = all[game.key];
    if (last_ == Last::Written) base = base == after_ ? before_ : withoutGame(base, lastGame_.won);
    const LevelRecord after =
        withGame(base, game.won, game.ticks, game.tickMs, game.energy, beaten);
    all[game.key] = after;
    if (!files.write(path_, formatRecords(all), why)) {
        beaten = false;
        return keep(why);
    }
    records_ = std::move(all);
    stamp_ = fileStamp(path_);
    pending_.clear();
    last_ = Last::Written;
    lastGame_ = game;
    before_ = base;
    after_ = after;
    said_.clear();
    return true;
}

}  // namespace level
