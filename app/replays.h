// A game recorded as it is played, and a recorded game played back: both
// watch the game screen through its event tap.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include "game/headless.h"
#include "game/recording.h"
#include "level/replay.h"
#include "toolkit/screen.h"

namespace zelk {

class ZelkProgram;
class frmsaut;

// Records every event the game screen receives until the game has ended and
// its last tick is over.
class GameRecorder : public tk::EventTap {
public:
    // `start` holds the level, the options and the generator as the game began.
    GameRecorder(ZelkProgram& program, frmsaut& game, level::Replay start);
    ~GameRecorder() override;
    bool mouse(tk::Screen::MouseAction a, int button, int shift, float x, float y,
               const tk::Element* target, bool forced) override;
    bool key(KeyAction a, int code, int shift) override;
    bool timer(const tk::Timer& t) override;
    // The game ended (won or lost; a later call in the same tick decides).
    void ended(bool won);
    int ticks() const { return writer_.ticks(); }
    // The replay so far, closed as the game stands now if it is still open.
    level::Replay replay();

private:
    // False once the recording is closed; notes a change of the options first.
    bool open();
    // Timer1's handler, followed by the digest of the state it left.
    struct TickEnd;

    ZelkProgram& program_;
    QPointer<frmsaut> game_;
    tk::Handler tick_;  // the game's own handler of Timer1
    QElapsedTimer clock_;
    ReplayWriter writer_;
};

// The line a shown replay keeps on the game screen: its speed (1 or 4), the
// recording's time reached and its whole length, ms, as m:ss.
QString showLine(int speed, qint64 reached, qint64 length);

// Plays a replay back in a fresh game screen: every recorded event, in order,
// delivered as it came; the user's own input is dropped (Escape stops the
// show, Space and Right change its pace). Headless, `runAll` plays it
// through at once.
class ReplayRun : public QObject, public tk::EventTap {
    Q_OBJECT
public:
    ReplayRun(ZelkProgram& program, level::Replay replay, bool tried);
    // Plays the replay as it is (a version 2 one compares the state after
    // every game tick) or, retaking, writes down the state's digest after
    // every game tick instead, for `replay()` to be written in version 2.
    void retakeDigests() {
        retaking_ = true;
        replay_.version = level::kReplayVersion;
    }
    ~ReplayRun() override;
    bool mouse(tk::Screen::MouseAction a, int button, int shift, float x, float y,
               const tk::Element* target, bool forced) override;
    bool key(KeyAction a, int code, int shift) override;
    bool timer(const tk::Timer& t) override;

    // Plays every event now. True when the game ended as recorded; else
    // `where` says where it stopped agreeing.
    bool runAll(QString& where);
    // The same game recorded further on (its events begin with this one's):
    // the next runAll plays on from where the last one stopped, so a game can
    // be followed as it is played.
    void follow(level::Replay further);
    // Plays at the recorded speed, a pause of more than a second between two
    // events cut to one second; Space makes it four times as fast and back,
    // Right delivers the next ten seconds at once. `finished` is called when
    // it is over. `clock` gives the real time in ms; without one, the time
    // since the show began, and with frozen time the show plays through at
    // once.
    void runTimed(std::function<void(bool stopped)> finished, std::function<qint64()> clock = {});
    // Delivers what is due by the clock now (the wake timer calls it).
    void wake() { advance(-1); }
    // The recording's time the show stands at, ms, and its whole length.
    qint64 reached() const { return reached_; }
    qint64 length() const { return length_; }
    // The game ended during the replay.
    void ended(bool won) { outcome_ = won ? level::Outcome::Won : level::Outcome::Lost; }
    level::Outcome outcome() const { return outcome_; }
    int ticks() const { return ticks_; }
    const level::Replay& replay() const { return replay_; }

private:
    // Delivers event i; false (with `where`) when a check disagrees.
    bool deliver(size_t i, QString& where);
    bool agrees(const level::Check& want, int line, QString& where) const;
    // Delivers the events due by the clock now and those recorded up to
    // `skipTo` ms (none for -1), shows the frame and sets the next wake.
    void advance(qint64 skipTo);
    void toggleSpeed();
    void stop(bool stopped);
    // The generator and the options as they were before the show.
    void restore();

    ZelkProgram& program_;
    level::Replay replay_;
    QPointer<frmsaut> game_;
    size_t next_ = 0;
    int ticks_ = 0;
    bool delivering_ = false;
    bool retaking_ = false;
    level::Outcome outcome_ = level::Outcome::Unfinished;
    QTimer wake_;
    QElapsedTimer elapsed_;
    std::function<qint64()> clock_;
    bool playsThrough_ = false;
    // The show's clock counts show time: recording ms at x1 with the long
    // pauses cut; it stood at showMark_ at the real time realMark_.
    int speed_ = 1;
    qint64 realMark_ = 0, showMark_ = 0;
    // The last point the show stood at exactly (an event delivered, where a
    // skip landed), in recording and show time; a pause is cut from there.
    qint64 fromRec_ = 0, fromShow_ = 0;
    qint64 reached_ = 0, length_ = 0;
    bool spaceHeld_ = false;  // a held key repeats its key-down
    std::function<void(bool)> finished_;
    uint32_t seedBefore_;
    bool restored_ = false;
};

}  // namespace zelk
