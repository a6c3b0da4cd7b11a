// The ".rejeu" replay file: one game as it was played, self-contained. A text
// file, versioned on its first line: the level's 29 fields, the options and the
// random generator at the start, then every event the game screen received, in
// order, each with the time it came; checks of the game's state along the way
// and the end, and from version 2 a digest of the whole state after each game
// tick. Reading and writing only; no widgets here.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "level/levelfile.h"
#include "level/settings.h"

namespace level {

// The game options a running game reads, as frmaut's controls hold them:
// the starting energy in hundreds, the most grey frogs on screen, and the
// game timer's interval (ms), or that of the lag simulation. The enemy
// options are a level's (levelfile.h).
constexpr Range kLifeRange{GameSettings::kVie.min, GameSettings::kVie.max},
    kGreyOnScreenRange{GameSettings::kMaxgb.min, GameSettings::kMaxgb.max},
    kTickRange{GameSettings::kDep.min, GameSettings::kDep.max};
constexpr int kLagTickMs = 200;

// The options a running game reads, as it read them.
struct GameOptions {
    int bird = 0, birdSpeed = 0, green = 0, greyToKill = 0;
    QString vials;
    int life = 0, greyOnScreen = 0;
    bool operator==(const GameOptions&) const = default;
};

// A few values of the game's state, compared when a replay is played back.
struct Check {
    int ticks = 0;  // game timer firings so far
    double energie = 0;
    int tuesgris = 0, nbgris = 0;
    float left = 0, top = 0;  // the player
    bool operator==(const Check&) const = default;
};

struct ReplayEvent {
    enum class Kind { Timer, Mouse, Key, Options, Check };
    enum class Action { Down, Up, Move, Press };
    Kind kind = Kind::Timer;
    qint64 ms = 0;  // since the game started
    QString name;   // a timer's name; a mouse event's forced target ("" for none)
    Action action = Action::Down;
    int code = 0;  // mouse button or key code (an ASCII code for Press)
    int shift = 0;
    float x = 0, y = 0;
    bool forced = false;  // a mouse event sent to `name` (empty: the screen), not hit-tested
    GameOptions options;
    Check check;
    // A timer's firing (version 2): the digest of the whole game state once
    // its handler is over (game/digest.h); none in version 1.
    std::optional<uint64_t> digest;
    int line = 0;  // where it was read, for messages
};

enum class Outcome { Unfinished, Won, Lost };

// The version a recording is written in; a reader takes 1 and 2.
constexpr int kReplayVersion = 2;

struct Replay {
    int version = kReplayVersion;  // 1 writes no digests
    QString fileName;              // the file it was read from, for messages; not written
    QString levelName;
    Level level;
    GameOptions options;
    int tickMs = 0;  // the game timer's interval
    bool day = true;
    uint32_t seed = 0;  // the random generator's state
    std::vector<ReplayEvent> events;
    Outcome outcome = Outcome::Unfinished;
    Check end;  // the state at the end of the recording
};

// The largest replay file read, bytes (32 MiB); a reader reads one byte
// more, to know a larger file from one of that size.
constexpr qint64 kMaxReplayBytes = 32 * 1024 * 1024;

QByteArray formatReplay(const Replay& r);
// Reads a whole replay, checked before anything is kept; a malformed one is
// refused with a French message naming the file and the line. Every number
// is one the game can hold: the options within their controls' ranges, the
// tick a game timer's interval, positions and codes within what the input
// delivers. More than kMaxReplayBytes is refused whatever it holds.
bool parseReplay(const QByteArray& data, const QString& fileName, Replay& out, QString& whyNot);

class Files;
// A replay file read and parsed; `whyNot` is the message to show when not.
bool readReplayFile(Files& files, const QString& path, Replay& out, QString& whyNot);
// A replay written as a file, only if it can be read back: beyond the
// readers' bound it could not.
bool writeReplayFile(Files& files, const QString& path, const Replay& r, QString& whyNot);

// Game time as a player reads it: "1 min 12 s", "45 s".
QString gameTime(qint64 ms);

}  // namespace level
