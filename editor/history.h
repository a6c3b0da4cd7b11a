// The editor's undo history: the whole level after each step, with the name
// of the file it belongs to. Going back and forth only ever copies whole
// levels, so it cannot drift from what was there.
#pragma once

#include <QString>
#include <cstddef>
#include <deque>

#include "level/levelfile.h"

namespace zelk {

class History {
public:
    // Steps that can be undone; older ones are forgotten.
    static constexpr size_t kSteps = 1000;

    // A level and the file "Sauvegarder" writes it to.
    struct Step {
        level::Level level;
        QString name;
        bool operator==(const Step&) const = default;
    };

    // A run of presses of one arrow key on one platform in one mode: one step.
    struct Run {
        int key = 0;  // 0: not a run
        bool resize = false;
        int platform = 0;
        bool operator==(const Run&) const = default;
    };

    // Starts afresh on a level, which counts as saved.
    void reset(const Step& start);
    // Takes the level as it is now as a step, unless nothing changed. A press
    // that goes on the current run changes the run's step instead; anything
    // else ends the run. The steps undone before are dropped.
    void record(const Step& now, const Run& run);
    void endRun() { run_ = {}; }

    bool canUndo() const { return at_ > 0; }
    bool canRedo() const { return at_ + 1 < steps_.size(); }
    const Step& undo();
    const Step& redo();
    const Step& current() const { return steps_[at_]; }

    // The level as it was last opened or saved, under its name; the editor
    // compares with it by value, so undoing back to it is unmodified again.
    void markSaved(const Step& saved) { saved_ = saved; }
    const Step& saved() const { return saved_; }

private:
    std::deque<Step> steps_{Step{}};
    size_t at_ = 0;
    Step saved_;
    Run run_;
    bool runHasStep_ = false;  // the current step is run_'s
};

}  // namespace zelk
