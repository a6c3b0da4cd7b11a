#include "editor/history.h"

namespace zelk {

void History::reset(const Step& start) {
    steps_.assign(1, start);
    at_ = 0;
    saved_ = start;
    run_ = {};
}

void History::record(const Step& now, const Run& run) {
    if (run.key == 0 || !(run == run_)) {
        run_ = run;
        runHasStep_ = false;
    }
    if (now == current()) return;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(at_) + 1, steps_.end());
    if (runHasStep_) {
        steps_.back() = now;
        return;
    }
    steps_.push_back(now);
    if (steps_.size() > kSteps + 1) steps_.pop_front();
    at_ = steps_.size() - 1;
    runHasStep_ = run.key != 0;
}

const History::Step& History::undo() {
    run_ = {};
    if (canUndo()) --at_;
    return current();
}

const History::Step& History::redo() {
    run_ = {};
    if (canRedo()) ++at_;
    return current();
}

}  // namespace zelk
