// Counts for measuring the running program from outside: firings of each
// timer (with those run late and those dropped), frames drawn per screen with
// the pixels they repainted, those that showed the picture already shown and
// the intervals between frames, and when the first frame was drawn. Made only on request (zelk
// reads ZELK_STATS once at start); without it the toolkit only tests a null pointer.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <cstdint>
#include <map>

class QTimer;

namespace tk {

class Stats : public QObject {
    Q_OBJECT
public:
    // Written to `path` every half second and once more when destroyed, as
    // "key value" lines; each write replaces the file whole.
    explicit Stats(QString path);
    ~Stats() override;

    // A timer's firing; `late` when it ran to catch up with its schedule.
    void timerFired(const QString& screen, const QString& timer, bool late);
    // Firings dropped when a timer fell too far behind.
    void timerDropped(const QString& screen, const QString& timer, int64_t n);
    // A frame of `pixels` window pixels; `repeat` when it showed the same
    // picture as the frame before.
    void frameDrawn(const QString& screen, int64_t pixels, bool repeat);

    void write() const;

private:
    struct TimerCounts {
        int64_t fired = 0, late = 0, dropped = 0;
    };
    QString path_;
    QElapsedTimer clock_;
    QTimer* writer_;
    int64_t firstFrameUnixUs_ = -1;
    std::map<QString, TimerCounts> timers_;
    struct FrameCounts {
        int64_t frames = 0, repeats = 0, pixels = 0;
        int64_t lastNs = -1;
        // Intervals between frames in steps of kIntervalStepUs, the last
        // step holding every longer one.
        std::map<int64_t, int64_t> intervals;
    };
    std::map<QString, FrameCounts> frames_;
};

}  // namespace tk
