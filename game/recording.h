// How a game is written down as it is played: every event the field
// receives, a check of its state every 50 game ticks, the digest of the
// whole state after each game tick, the options whenever they changed, and
// the end. The game screen's recorder and a headless game both write here.
#pragma once

#include <cstddef>
#include <functional>

#include "level/replay.h"

namespace tk {
class Timer;
}

namespace zelk {

class Playfield;

class ReplayWriter {
public:
    // `start` holds the level, the options and the generator as the game
    // began; `clock` gives each event's time, ms since the start. Without
    // one, time counts in game ticks (those written so far times the tick).
    explicit ReplayWriter(level::Replay start, std::function<qint64()> clock = {});

    // Before each event: false once the recording is closed (the event is
    // not written); notes a change of the options first.
    bool open(const level::GameOptions& now, const Playfield& game);
    // An event at the clock's time, to be filled in by the caller.
    level::ReplayEvent& add(level::ReplayEvent::Kind kind);
    // An enabled timer about to fire; Timer1's firing is a game tick, with a
    // check first every so many ticks.
    void timer(const Playfield& game, const tk::Timer& t);
    // The game tick written last is over: its digest.
    void tickOver(const Playfield& game);
    // The game ended (won or lost; a later call in the same tick decides):
    // the next event closes the recording.
    void ended(bool won);
    // Closed as the game stands now; nothing more is written.
    void close(const Playfield* game);
    bool closed() const { return closed_; }

    int ticks() const { return ticks_; }
    // The replay so far, closed as the game stands now if it is still open.
    level::Replay replay(const Playfield* game) const;

private:
    level::Replay replay_;
    std::function<qint64()> clock_;
    level::GameOptions options_;
    std::ptrdiff_t ticking_ = -1;  // the game tick written last, until its digest
    int ticks_ = 0;
    bool ending_ = false, closed_ = false;
};

}  // namespace zelk
