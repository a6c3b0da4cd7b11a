#include "app/replays.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "app/program.h"
#include "game/frmsaut.h"
#include "game/headless.h"

namespace zelk {

namespace {
// A shown replay: the longest wait between two events and the length of a
// skip, ms of the recording; the faster of its two speeds.
constexpr qint64 kLongestWait = 1000;
constexpr qint64 kSkip = 10000;
constexpr int kFast = 4;

using Kind = level::ReplayEvent::Kind;
using Action = level::ReplayEvent::Action;

Action actionOf(tk::Screen::MouseAction a) {
    return a == tk::Screen::MouseAction::Down ? Action::Down
           : a == tk::Screen::MouseAction::Up ? Action::Up
                                              : Action::Move;
}
Action actionOf(tk::EventTap::KeyAction a) {
    return a == tk::EventTap::KeyAction::Down ? Action::Down
           : a == tk::EventTap::KeyAction::Up ? Action::Up
                                              : Action::Press;
}

}  // namespace

QString showLine(int speed, qint64 reached, qint64 length) {
    const auto clock = [](qint64 ms) {
        const qint64 s = ms / 1000;
        return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QChar(u'0'));
    };
    return QStringLiteral("Rejeu ×%1 — %2 / %3 — Échap : quitter")
        .arg(QString::number(speed), clock(reached), clock(length));
}

// ---- Recording.

// The tap sees a firing before it runs; the state a tick left is taken here,
// inside the firing, also when the handler fails.
struct GameRecorder::TickEnd {
    GameRecorder* recorder;
    void operator()() const {
        struct Over {
            GameRecorder& r;
            ~Over() {
                if (r.game_) r.writer_.tickOver(*r.game_);
            }
        } over{*recorder};
        recorder->tick_();
    }
};

GameRecorder::GameRecorder(ZelkProgram& program, frmsaut& game, level::Replay start)
    : program_(program),
      game_(&game),
      // Frozen time (the driver) counts in game ticks.
      writer_(std::move(start),
              program.frozenTime() ? std::function<qint64()>()
                                   : std::function<qint64()>([this] { return clock_.elapsed(); })) {
    clock_.start();
    game.setTap(this);
    // Another recorder's hook on this screen hands over the game's own handler.
    const TickEnd* earlier = game.Timer1.Tick.target<TickEnd>();
    tick_ = earlier ? earlier->recorder->tick_ : game.Timer1.Tick;
    game.Timer1.Tick = TickEnd{this};
}

GameRecorder::~GameRecorder() {
    if (!game_) return;
    if (game_->tap() == this) game_->setTap(nullptr);
    if (const TickEnd* hook = game_->Timer1.Tick.target<TickEnd>(); hook && hook->recorder == this)
        game_->Timer1.Tick = std::move(tick_);
}

bool GameRecorder::open() {
    if (writer_.closed()) return false;
    if (!game_) {
        writer_.close(nullptr);
        return false;
    }
    if (writer_.open(program_.gameOptions(), *game_)) return true;
    game_->setTap(nullptr);
    return false;
}

bool GameRecorder::mouse(tk::Screen::MouseAction a, int button, int shift, float x, float y,
                         const tk::Element* target, bool forced) {
    if (!open()) return true;
    level::ReplayEvent& e = writer_.add(Kind::Mouse);
    e.action = actionOf(a);
    e.code = button;
    e.shift = shift;
    e.x = x;
    e.y = y;
    e.forced = forced;
    if (target) e.name = game_->nameOf(target);
    return true;
}

bool GameRecorder::key(KeyAction a, int code, int shift) {
    if (!open()) return true;
    level::ReplayEvent& e = writer_.add(Kind::Key);
    e.action = actionOf(a);
    e.code = code;
    e.shift = shift;
    return true;
}

bool GameRecorder::timer(const tk::Timer& t) {
    if (open()) writer_.timer(*game_, t);
    return true;
}

void GameRecorder::ended(bool won) {
    writer_.ended(won);
}

level::Replay GameRecorder::replay() {
    return writer_.replay(game_.data());
}

// ---- Playing back.

ReplayRun::ReplayRun(ZelkProgram& program, level::Replay replay, bool tried)
    : program_(program), replay_(std::move(replay)) {
    level::Rng& rng = program_.services().rng();
    seedBefore_ = rng.state();
    rng.reseed(replay_.seed);
    program_.overrideOptions(&replay_.options);
    frmsaut* started = nullptr;
    try {
        started =
            &program_.launch(replay_.level, replay_.levelName, replay_.tickMs, replay_.day, false);
    } catch (...) {
        restore();  // nothing of this replay may outlive it
        throw;
    }
    frmsaut& game = *started;
    game.tried = tried;
    game.setTap(this);
    game_ = &game;
    wake_.setSingleShot(true);
    wake_.setTimerType(Qt::PreciseTimer);
    connect(&wake_, &QTimer::timeout, this, &ReplayRun::wake);
    for (const level::ReplayEvent& e : replay_.events)
        length_ = std::max(length_, e.ms);
}

ReplayRun::~ReplayRun() {
    if (game_) {
        if (game_->tap() == this) game_->setTap(nullptr);
        game_->showStandInPointer(false);
        game_->rejeu.Visible = false;
    }
    restore();
}

void ReplayRun::restore() {
    if (restored_) return;
    restored_ = true;
    program_.overrideOptions(nullptr);
    program_.services().rng().reseed(seedBefore_);
}

// The game screen is the replay's as long as it lives: the user's input and
// its own timers count neither during the show nor after its end, so that
// Escape cannot start a shown game again with the player's options.
bool ReplayRun::mouse(tk::Screen::MouseAction, int, int, float, float, const tk::Element*, bool) {
    return delivering_;
}

bool ReplayRun::key(KeyAction a, int code, int) {
    if (delivering_) return true;
    // While the show plays, the user's Escape ends it, Space and Right change
    // its pace; the game gets none of the user's keys. Each acts once the key
    // is handled, not inside it.
    if (code == tk::key::Space && a == KeyAction::Up) spaceHeld_ = false;
    if (a != KeyAction::Down || !finished_) return false;
    std::function<void()> act;
    if (code == tk::key::Escape) act = [this] { stop(true); };
    if (code == tk::key::Space && !std::exchange(spaceHeld_, true)) act = [this] { toggleSpeed(); };
    if (code == tk::key::Right)
        act = [this] {
            wake();  // from where the show stands now
            advance(reached_ + kSkip);
        };
    if (act) QMetaObject::invokeMethod(this, act, Qt::QueuedConnection);
    return false;
}

bool ReplayRun::timer(const tk::Timer& t) {
    if (delivering_ && game_ && &t == &game_->Timer1) ++ticks_;
    return delivering_;
}

bool ReplayRun::agrees(const level::Check& want, int line, QString& where) const {
    level::Check now = checkOf(*game_);
    now.ticks = ticks_;
    if (now == want) return true;
    where = checkDisagrees(now, want, line);
    return false;
}

bool ReplayRun::deliver(size_t i, QString& where) {
    level::ReplayEvent& e = replay_.events[i];
    if (!game_ || !program_.isLoaded(*game_)) {
        where = QStringLiteral("ligne %1 : l'écran de jeu n'est plus là").arg(e.line);
        return false;
    }
    frmsaut& g = *game_;
    delivering_ = true;
    struct Reset {
        bool& b;
        ~Reset() { b = false; }
    } reset{delivering_};
    switch (e.kind) {
        case Kind::Check:
            return agrees(e.check, e.line, where);
        case Kind::Options:
            replay_.options = e.options;
            break;
        case Kind::Timer: {
            tk::Timer* t = nullptr;
            if (!timerOf(g, e, t, where)) return false;
            t->fire();
            if (game_ && !digestAfterFiring(g, *t, e, retaking_, replay_.fileName, ticks_, where))
                return false;
            break;
        }
        case Kind::Key:
            if (e.action == Action::Down) g.deliverKeyDown(e.code, e.shift);
            if (e.action == Action::Up) g.deliverKeyUp(e.code, e.shift);
            if (e.action == Action::Press) g.deliverKeyPress(e.code);
            break;
        case Kind::Mouse: {
            tk::Element* target = nullptr;
            if (!forcedTarget(g, e, target, where)) return false;
            const tk::Scene::MouseAction a = mouseActionOf(e.action);
            g.deliverMouse(a, e.code, e.shift, e.x, e.y, target, e.forced);
            if (finished_) g.showStandInPointer(true, e.x, e.y);
            break;
        }
    }
    return true;
}

bool ReplayRun::runAll(QString& where) {
    for (; next_ < replay_.events.size(); ++next_)
        if (!deliver(next_, where)) return false;
    if (outcome_ != replay_.outcome) {
        where = outcomeDisagrees(outcome_, replay_.outcome);
        return false;
    }
    return game_ && agrees(replay_.end, static_cast<int>(replay_.events.size()) + 8, where);
}

void ReplayRun::follow(level::Replay further) {
    // The options the game reads are the ones the events played so far left.
    further.options = replay_.options;
    replay_ = std::move(further);
}

void ReplayRun::runTimed(std::function<void(bool)> finished, std::function<qint64()> clock) {
    finished_ = std::move(finished);
    if (!clock) {
        // Frozen time (the driver, the tests) stands past the end: the show
        // is played through at once.
        playsThrough_ = program_.frozenTime();
        elapsed_.start();
        clock = [this] { return elapsed_.elapsed(); };
    }
    clock_ = std::move(clock);
    realMark_ = clock_();
    if (game_) game_->rejeu.Visible = true;
    wake();
}

void ReplayRun::toggleSpeed() {
    if (!finished_) return;
    wake();  // what was due at the speed so far
    const qint64 now = clock_();
    showMark_ += (now - realMark_) * speed_;
    realMark_ = now;
    speed_ = speed_ == 1 ? kFast : 1;
    wake();
}

void ReplayRun::advance(qint64 skipTo) {
    if (!finished_) return;
    const qint64 now = playsThrough_ ? std::numeric_limits<qint64>::max()
                                     : showMark_ + (clock_() - realMark_) * speed_;
    const auto& events = replay_.events;
    // The next event's time in the recording (a check read from a file has
    // none: it comes with the event before), and when it is due in show
    // time: after its wait, cut to a second.
    const auto at = [&] { return std::max(events[next_].ms, fromRec_); };
    const auto due = [&] { return fromShow_ + std::min(at() - fromRec_, kLongestWait); };
    QString where;
    const size_t first = next_;
    while (next_ < events.size() && (due() <= now || at() <= skipTo)) {
        fromShow_ = due();
        fromRec_ = at();
        if (deliver(next_++, where)) continue;
        // Not the game that was recorded (the rules changed since): say so
        // over it rather than end the show without a word.
        program_.services().msgBox(
            QStringLiteral("Ce rejeu ne se reproduit plus à l'identique (%1) : il est arrêté.")
                .arg(where),
            tk::mb::OkOnly | tk::mb::Exclamation, QStringLiteral("Revoir"));
        return stop(false);
    }
    // A skip lands where it ends, now: what follows is due from there.
    if (skipTo >= 0 && next_ < events.size()) {
        fromRec_ = skipTo;
        fromShow_ = now;
    }
    reached_ = next_ < events.size()
                   ? fromRec_ + std::clamp(now - fromShow_, qint64{0}, at() - fromRec_)
                   : fromRec_;
    // A recorded game fires the counters' timer when it likes (a solution
    // only now and then): the frame shown has them right all the same.
    // Reading the state only, this changes nothing the replay checks.
    if (next_ > first && game_) program_.dispatch([this] { game_->counters(); });
    if (next_ >= events.size()) return stop(false);
    if (game_) game_->rejeu.Caption = showLine(speed_, reached_, length());
    const qint64 wait = (due() - now + speed_ - 1) / speed_;
    wake_.start(static_cast<int>(std::min(wait, kLongestWait)));
}

void ReplayRun::stop(bool stopped) {
    wake_.stop();
    // The show is over for good: the tap stays, and the game's timers stop.
    if (game_) {
        game_->showStandInPointer(false);
        game_->rejeu.Visible = false;
        game_->rejeu.Caption.clear();
        for (tk::Timer* t : {&game_->Timer1, &game_->Timer2, &game_->Timer3})
            t->setEnabled(false);
    }
    restore();
    if (auto f = std::move(finished_)) {
        finished_ = nullptr;
        f(stopped);
    }
}

}  // namespace zelk
