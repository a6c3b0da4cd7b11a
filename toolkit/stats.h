// Counts for measuring the running program from outside: firings of each
// timer (with those run late and those dropped), frames drawn per screen, and
// when the first frame was drawn. Made only on request (zelk reads ZELK_STATS
// once at start); without it the toolkit only tests a null pointer.
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
    void frameDrawn(const QString& screen);

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
    std::map<QString, int64_t> frames_;
};

}  // namespace tk
