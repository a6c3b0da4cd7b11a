// The editor's undo history: the whole level after each step. Going back and
// forth only ever copies whole levels, so it cannot drift from what was there.
#pragma once

#include <cstddef>
#include <deque>

#include "level/levelfile.h"

namespace zelk {

class History {
public:
    // Steps that can be undone; older ones are forgotten.
    static constexpr size_t kSteps = 1000;

    // A run of presses of one arrow key on one platform in one mode: one step.
    struct Run {
        int key = 0;  // 0: not a run
        bool resize = false;
        int platform = 0;
        bool operator==(const Run&) const = default;
    };

    // Starts afresh on a level, which counts as saved.
    void reset(const level::Level& start);
    // Takes the level as it is now as a step, unless nothing changed. A press
    // that goes on the current run changes the run's step instead; anything
    // else ends the run. The steps undone before are dropped.
    void record(const level::Level& now, const Run& run);
    void record(const level::Level& now) { record(now, Run{}); }
    void endRun() { run_ = {}; }

    bool canUndo() const { return at_ > 0; }
    bool canRedo() const { return at_ + 1 < steps_.size(); }
    const level::Level& undo();
    const level::Level& redo();
    const level::Level& current() const { return steps_[at_]; }
    size_t undoable() const { return at_; }

    // The level as it was last opened or saved; modified compares by value,
    // so undoing back to it makes the level unmodified again.
    void markSaved(const level::Level& saved) { saved_ = saved; }
    bool modified() const { return !(current() == saved_); }

private:
    std::deque<level::Level> steps_{level::Level{}};
    size_t at_ = 0;
    level::Level saved_;
    Run run_;
    bool runHasStep_ = false;  // the current step is run_'s
};

}  // namespace zelk
