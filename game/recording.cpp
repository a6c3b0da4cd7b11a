#include "game/recording.h"

#include <utility>

#include "game/digest.h"
#include "game/headless.h"
#include "game/playfield.h"

namespace zelk {

namespace {
// A check of the game's state every this many game ticks.
constexpr int kCheckEvery = 50;
}  // namespace

ReplayWriter::ReplayWriter(level::Replay start, std::function<qint64()> clock)
    : replay_(std::move(start)), clock_(std::move(clock)), options_(replay_.options) {}

bool ReplayWriter::open(const level::GameOptions& now, const Playfield& game) {
    if (closed_) return false;
    if (ending_) {
        close(&game);
        return false;
    }
    if (!(now == options_)) {
        options_ = now;
        add(level::ReplayEvent::Kind::Options).options = now;
    }
    return true;
}

level::ReplayEvent& ReplayWriter::add(level::ReplayEvent::Kind kind) {
    level::ReplayEvent& e = replay_.events.emplace_back();
    e.kind = kind;
    e.ms = clock_ ? clock_() : qint64{ticks_} * replay_.tickMs;
    return e;
}

void ReplayWriter::timer(const Playfield& game, const tk::Timer& t) {
    const bool tick = &t == &game.Timer1;
    if (tick) {
        if (ticks_ > 0 && ticks_ % kCheckEvery == 0) {
            level::Check& c = add(level::ReplayEvent::Kind::Check).check;
            c = checkOf(game);
            c.ticks = ticks_;
        }
        ++ticks_;
    }
    add(level::ReplayEvent::Kind::Timer).name = t.objectName();
    ticking_ = tick ? static_cast<std::ptrdiff_t>(replay_.events.size()) - 1 : -1;
}

void ReplayWriter::tickOver(const Playfield& game) {
    if (ticking_ >= 0) replay_.events[static_cast<size_t>(ticking_)].digest = stateDigest(game);
    ticking_ = -1;
}

void ReplayWriter::ended(bool won) {
    replay_.outcome = won ? level::Outcome::Won : level::Outcome::Lost;
    ending_ = true;
}

void ReplayWriter::close(const Playfield* game) {
    if (closed_) return;
    closed_ = true;
    if (game) replay_.end = checkOf(*game);
    replay_.end.ticks = ticks_;
}

level::Replay ReplayWriter::replay(const Playfield* game) const {
    level::Replay r = replay_;
    if (!closed_) {
        if (game) r.end = checkOf(*game);
        r.end.ticks = ticks_;
    }
    return r;
}

}  // namespace zelk
