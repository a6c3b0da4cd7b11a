// A game played with no window: the field, the options it reads as plain
// values, and a replay played through on it. zelk-script's --rejeu, the
// solver and the tests play here; the game screen plays the same events
// through its window, with the same checks and the same words.
#pragma once

#include <QString>
#include <cstdint>

#include "game/playfield.h"
#include "level/replay.h"

namespace zelk {

class ReplayWriter;

class HeadlessGame : public Playfield {
public:
    HeadlessGame(tk::Services& services, const level::GameOptions& options);

    // The level's platforms, the game timer's interval and the sky, then the
    // setup, as a game starts on screen.
    void start(const level::Level& lev, int tickMs, bool day);

    // The game's input, delivered as the game screen delivers it. A forced
    // mouse event goes to `target` (nullptr: the field) without a hit test.
    void mouse(tk::Scene::MouseAction a, int button, int shift, float x, float y,
               tk::Element* target = nullptr, bool forced = false);
    // A key's down, up or press (an ASCII code).
    void key(level::ReplayEvent::Action a, int code);
    // A game timer's firing; true when it ran (an enabled timer), and then
    // Timer1's counts as a game tick.
    bool fire(tk::Timer& t);
    int ticks() const { return ticks_; }

    // One event of a replay, delivered as above: a check or a tick's digest
    // (unless retaking, when the digest is written into the event instead)
    // is compared with the game; false, with `where`, when it disagrees.
    // `fileName` names the replay in what `where` says.
    bool play(level::ReplayEvent& e, QString& where, const QString& fileName = {},
              bool retake = false);

    // Writes down every event delivered from now on (nullptr: no more).
    void record(ReplayWriter* writer) { writer_ = writer; }

    level::GameOptions options;  // read at each use: a change counts at once
    level::Outcome outcome() const { return outcome_; }

    level::GameOptions gameOptions() const override { return options; }

private:
    // The last call in a tick decides, as on screen.
    void levelOver(const QString&, const QString&, bool won) override;
    // False when nothing is written down, or no more.
    bool recording();
    level::Outcome outcome_ = level::Outcome::Unfinished;
    ReplayWriter* writer_ = nullptr;
    int ticks_ = 0;
};

// The state a replay checks, as the field holds it now.
level::Check checkOf(const Playfield& game);

// What a replay played back says where it stops agreeing with the game.
QString checkDisagrees(const level::Check& now, const level::Check& want, int line);
QString digestDisagrees(int line, const QString& fileName, int ticks, uint64_t now, uint64_t want);
QString outcomeDisagrees(level::Outcome now, level::Outcome want);
// What a replayed event names on the field: the timer of a firing, the
// element a mouse event was sent to (nullptr: none, or the field); false,
// with `where`, when the field has no such timer or element.
bool timerOf(const Playfield& field, const level::ReplayEvent& e, tk::Timer*& timer,
             QString& where);
bool forcedTarget(const Playfield& field, const level::ReplayEvent& e, tk::Element*& target,
                  QString& where);
tk::Scene::MouseAction mouseActionOf(level::ReplayEvent::Action a);
// After a replayed firing: a replay being retaken takes a tick's digest,
// any other must find the digest it recorded, if it recorded one.
bool digestAfterFiring(const Playfield& field, const tk::Timer& t, level::ReplayEvent& e,
                       bool retake, const QString& fileName, int ticks, QString& where);
// "gagné en N ticks", "perdu en N ticks", "inachevé après N ticks".
QString outcomeLine(level::Outcome outcome, int ticks);

// Plays `replay` through on a headless game, from its seed on the services'
// generator (which is left as it was found). True when the game ended as
// recorded; else `where` says where it stopped agreeing. `outcome` and
// `ticks` say how it ended. Retaking, the digest of every game tick is
// written into `replay` (made version 2) instead of compared.
struct HeadlessRun {
    level::Outcome outcome = level::Outcome::Unfinished;
    int ticks = 0;
    QString where;
};
bool playHeadless(tk::Services& services, level::Replay& replay, HeadlessRun& run,
                  bool retake = false);

}  // namespace zelk
