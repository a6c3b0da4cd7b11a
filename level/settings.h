// The game options kept from one run to the next: a plain value, the text
// file that holds it, and that file as a program keeps it.
#pragma once

#include <QByteArray>
#include <QString>

#include "level/files.h"

namespace level {

// A whole-number option: its range and its value at a first start.
struct OptionRange {
    int min, max, start;
    int clamp(long long v) const { return v < min ? min : v > max ? max : static_cast<int>(v); }
};

// The game options: speed, difficulty, the most grey frogs on screen at
// once, lag simulation, day or night.
struct GameSettings {
    static constexpr OptionRange kDep{1, 50, 18};     // the game tick, ms
    static constexpr OptionRange kVie{10, 250, 125};  // the player's energy, hundreds
    static constexpr OptionRange kMaxgb{1, 15, 4};    // grey frogs on screen at once
    static constexpr OptionRange kRam{0, 1, 0};       // 1: lag simulation
    int dep = kDep.start;
    int vie = kVie.start;
    int maxgb = kMaxgb.start;
    int ram = kRam.start;
    bool jour = true;  // false: night
    bool operator==(const GameSettings&) const = default;
};

// The largest settings file read, bytes: a few lines, edited by hand at most.
constexpr qint64 kMaxSettingsBytes = 64 * 1024;

QByteArray formatSettings(const GameSettings& s);
// The whole file or nothing: one that is not a settings file of this
// version, misses an option, repeats one or holds anything else is refused
// with the line and the problem in French. A number out of its option's
// range is brought into it.
bool parseSettings(const QByteArray& data, GameSettings& out, QString& whyNot);

// The settings file of a program. Nothing is written until an option
// changes, so a first start leaves no file behind. A damaged or unreadable
// file is moved aside whole ("NAME-endommage", "-2", ...) and the start
// values used; one that cannot be moved is never written over.
class SettingsFile {
public:
    // An empty path keeps nothing.
    explicit SettingsFile(const QString& path = {}) : path_(path) {}
    const QString& path() const { return path_; }
    // Whether a save may keep anything.
    bool keeps() const { return !path_.isEmpty() && writable_; }

    // The options kept, or the start values; `note` says in French, naming
    // the file, what became of a file that could not be used (empty: all
    // went well).
    GameSettings load(Files& files, QString& note);
    // Writes them at once, not durably: they are rewritten at every change,
    // and a file lost with the last seconds before a crash only brings the
    // start values back. False with a note when they could not be kept; the
    // same problem is said once.
    bool save(Files& files, const GameSettings& s, QString& note);

private:
    QString path_;
    bool writable_ = true;
    QString said_;
};

}  // namespace level
