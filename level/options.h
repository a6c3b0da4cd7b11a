// The options the player chose, held in one place: the option screens'
// controls write into it as they change and show what code puts into it,
// the game reads it, and the settings file keeps its game options.
#pragma once

#include <QString>

#include "level/levelfile.h"
#include "level/replay.h"
#include "level/settings.h"

namespace level {

// A level's enemy options (fields 25 to 29), as the enemy options screen
// holds them; the start values are those of a fresh screen.
struct EnemyOptions {
    int bird = 0, birdSpeed = 10, green = 1, greyToKill = 15;
    QString vials = QStringLiteral("2");
    static EnemyOptions of(const Level& l) { return {l.ois, l.vitois, l.nb, l.nbg, l.nbf}; }
    void into(Level& l) const {
        l.ois = static_cast<int16_t>(bird);
        l.vitois = static_cast<int16_t>(birdSpeed);
        l.nb = static_cast<int16_t>(green);
        l.nbg = static_cast<int16_t>(greyToKill);
        l.nbf = vials;
    }
    bool operator==(const EnemyOptions&) const = default;
};

// The options a game reads: enemy options and game options together (by
// default, a fresh player's game options).
inline GameOptions optionsOf(const EnemyOptions& e, const GameSettings& s = {}) {
    return {e.bird, e.birdSpeed, e.green, e.greyToKill, e.vials, s.vie, s.maxgb};
}

class OptionsModel {
public:
    const GameSettings& settings() const { return settings_; }
    const EnemyOptions& enemy() const { return enemy_; }
    // For the option screens alone: each control's handler writes its own
    // field as it changes, so the controls always show what is here.
    GameSettings& editSettings() { return settings_; }
    EnemyOptions& editEnemy() { return enemy_; }

    bool lagging() const { return settings_.ram == 1; }
    // The game timer's interval the player chose, ms.
    int tickMs() const { return lagging() ? kLagTickMs : settings_.dep; }
    bool day() const { return settings_.jour; }

    // What a running game reads: a replay's options while one plays (it
    // updates them as it plays its changes), else the player's.
    GameOptions game() const {
        if (replayed_) return *replayed_;
        return optionsOf(enemy_, settings_);
    }
    const GameOptions* replayed() const { return replayed_; }
    // Null gives the game the player's options again; they are never
    // touched by a replay.
    void playBack(const GameOptions* replayed) { replayed_ = replayed; }

private:
    GameSettings settings_;
    EnemyOptions enemy_;
    const GameOptions* replayed_ = nullptr;
};

}  // namespace level
