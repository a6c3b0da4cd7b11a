#include "timer.h"

#include <QTimer>
#include <algorithm>

#include "level/runtime.h"
#include "scene.h"
#include "stats.h"

namespace tk {

// ---- Timer

namespace {
// A timer faster than the display frame wakes the program once a frame and
// runs the firings owed in a row: no picture would show the ones between, and
// a laptop pays for every wake-up.
constexpr int kShortestWakeMs = kFrameMs;
}  // namespace

Timer::Timer(Scene& s, const char* name, int intervalMs, bool enabled)
    : scene_(s), timer_(new QTimer(this)), interval_(intervalMs), enabled_(enabled) {
    setObjectName(QString::fromLatin1(name));
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &Timer::due);
    s.registerTimer(this);
    sync();
}
Timer::~Timer() {
    if (TimerHost* host = scene_.timerHost(); host && animating_) host->countAnimator(false);
    scene_.unregisterTimer(this);
}
void Timer::setAnimates(bool a) {
    animates_ = a;
    sync();
}
void Timer::setInterval(int ms) {
    if (ms < 0) throw level::RuntimeError(QStringLiteral("Intervalle de minuterie incorrect."));
    interval_ = ms;
    sync();
}
void Timer::setEnabled(bool e) {
    if (e == enabled_) return;
    enabled_ = e;
    sync();
}
void Timer::sync() {
    ++restarts_;
    TimerHost* host = scene_.timerHost();
    const bool running = host && enabled_ && interval_ > 0 && !host->frozenTime();
    if ((animates_ && running) != animating_) {
        animating_ = animates_ && running;
        host->countAnimator(animating_);
    }
    if (running) {
        // The schedule starts before the QTimer does, so that its own timeouts
        // never come before a firing is due here.
        schedule_.start();
        done_ = 0;
        timer_->start(std::max(interval_, kShortestWakeMs));
    } else {
        timer_->stop();
    }
}
void Timer::due() {
    // Catching up stops this far behind: after a stall (a modal dialog, a
    // suspended machine) the older firings are dropped, not run in a burst.
    constexpr int64_t kMaxLagNs = 250'000'000;
    // Firings run back to back before the event loop gets its turn again.
    constexpr int64_t kMaxBurstNs = 8'000'000;
    if (running_) return;  // a dialog's event loop inside the handler
    const int64_t now = schedule_.nsecsElapsed();
    const int64_t step = int64_t{interval_} * 1'000'000;
    int64_t owed = now / step - done_;
    const int64_t most = std::max<int64_t>(1, kMaxLagNs / step);
    if (owed > most) {
        done_ += owed - most;
        if (TimerHost* host = scene_.timerHost(); host && host->stats())
            host->stats()->timerDropped(host->hostName(), objectName(), owed - most);
        owed = most;
    }
    const unsigned restarts = restarts_;
    // A fast timer's firings come several to a wake-up; only those beyond
    // are late.
    const int64_t batch = std::max(1, kShortestWakeMs / std::max(1, interval_));
    for (int64_t k = 0; k < owed; ++k) {
        ++done_;
        run(k >= batch);
        if (restarts_ != restarts || schedule_.nsecsElapsed() - now > kMaxBurstNs) break;
    }
}
void Timer::fire() {
    run(false);
}
void Timer::run(bool late) {
    if (!enabled_ || running_) return;
    TimerHost* host = scene_.timerHost();
    // A timer of an unloaded screen never fires again.
    if (host && !host->timersLive()) return;
    if (EventTap* tap = host ? host->tap() : nullptr; tap && !tap->timer(*this)) return;
    if (host && host->stats()) host->stats()->timerFired(host->hostName(), objectName(), late);
    running_ = true;
    struct Reset {
        bool& r;
        ~Reset() { r = false; }
    } reset{running_};
    if (!host) {
        if (Tick) Tick();
        return;
    }
    host->dispatch([&] {
        if (Tick) Tick();
    });
}

}  // namespace tk
