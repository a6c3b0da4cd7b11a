// A timer: an interval and a tick, run by the clock of the window that shows
// its scene. A scene without a window has timers that only fire when told
// to (a game run headless steps them itself).
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <cstdint>
#include <functional>

class QTimer;

namespace tk {

class Scene;
// The display frame, milliseconds: a new picture is shown at most this often,
// and a timer faster than that wakes the program once a frame.
inline constexpr int kFrameMs = 16;

class Timer : public QObject {
    Q_OBJECT
    Q_PROPERTY(int Interval READ interval WRITE setInterval)
    Q_PROPERTY(bool Enabled READ enabled WRITE setEnabled)
public:
    Timer(Scene& s, const char* name, int intervalMs, bool enabled);
    ~Timer() override;
    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool e);
    // One firing, only when enabled; never re-entered.
    void fire();
    // A timer that moves its screen's elements: while it runs, the screen is
    // drawn at every display frame.
    void setAnimates(bool a);
    std::function<void()> Tick;
    // Starts or stops the clock behind it, as the scene's host allows.
    void sync();

private:
    void due();
    void run(bool late);
    Scene& scene_;
    QTimer* timer_;
    int interval_;
    bool enabled_;
    bool running_ = false;
    bool animates_ = false;
    bool animating_ = false;  // counted by the screen as animating it
    QElapsedTimer schedule_;  // since the timer was (re)started
    int64_t done_ = 0;        // firings run on this schedule
    unsigned restarts_ = 0;   // tells a firing loop that its schedule was replaced
};

}  // namespace tk
