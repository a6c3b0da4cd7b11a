// The player's records, one per level, kept in a hidden text file of the level
// folder. A level is known by its 29 fields as the writer formats them, so an
// edited level is a new level and a renamed copy keeps its records.
#pragma once

#include <QByteArray>
#include <QString>
#include <map>

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

// The largest records file read, bytes.
constexpr qint64 kMaxRecordsBytes = 8 * 1024 * 1024;

QByteArray formatRecords(const Records& r);
// The whole file or nothing: a damaged one is refused with the line and the
// problem in French.
bool parseRecords(const QByteArray& data, Records& out, QString& whyNot);

// A game ended: the record it makes. `beaten` says whether a win set a new
// best (shorter, or with more energy left, or the first).
LevelRecord withGame(LevelRecord r, bool won, int ticks, int tickMs, int energy, bool& beaten);

// The summary line of the main menu.
QString recordSummary(const LevelRecord& r);

}  // namespace level
