#include "stats.h"

#include <QFile>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>

namespace tk {

namespace {
// How often the counts are written out, milliseconds.
constexpr int kWriteEveryMs = 2000;
// Intervals between frames are counted in steps of this many microseconds,
// up to kIntervalMaxUs.
constexpr int64_t kIntervalStepUs = 250, kIntervalMaxUs = 250'000;
}  // namespace

Stats::Stats(QString path) : path_(std::move(path)), writer_(new QTimer(this)) {
    clock_.start();
    connect(writer_, &QTimer::timeout, this, &Stats::write);
    writer_->start(kWriteEveryMs);
}

Stats::~Stats() {
    write();
}

void Stats::timerFired(const QString& screen, const QString& timer, bool late) {
    TimerCounts& c = timers_[screen + u'.' + timer];
    ++c.fired;
    if (late) ++c.late;
}

void Stats::timerDropped(const QString& screen, const QString& timer, int64_t n) {
    timers_[screen + u'.' + timer].dropped += n;
}

void Stats::frameDrawn(const QString& screen, int64_t pixels, bool repeat) {
    FrameCounts& f = frames_[screen];
    ++f.frames;
    f.pixels += pixels;
    if (repeat) ++f.repeats;
    const int64_t now = clock_.nsecsElapsed();
    if (f.lastNs >= 0) {
        const int64_t us = std::min((now - f.lastNs) / 1000, kIntervalMaxUs);
        ++f.intervals[us / kIntervalStepUs];
    }
    f.lastNs = now;
    if (firstFrameUnixUs_ < 0) {
        firstFrameUnixUs_ = std::chrono::duration_cast<std::chrono::microseconds>(
                                std::chrono::system_clock::now().time_since_epoch())
                                .count();
        write();  // the start-up is known at once
    }
}

void Stats::write() const {
    // Written aside and renamed over the file, so that a reader never sees
    // half of it; no flush to disk, which would cost more than the counting.
    const QString aside = path_ + QStringLiteral(".new");
    QFile f(aside);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return;
    {
        QTextStream out(&f);
        out << "uptime_ms " << clock_.elapsed() << '\n';
        out << "first_frame_unix_us " << firstFrameUnixUs_ << '\n';
        for (const auto& [name, c] : timers_)
            out << "timer " << name << ' ' << c.fired << ' ' << c.late << ' ' << c.dropped << '\n';
        for (const auto& [name, f] : frames_) {
            out << "frames " << name << ' ' << f.frames << '\n';
            out << "repeats " << name << ' ' << f.repeats << '\n';
            out << "pixels " << name << ' ' << f.pixels << '\n';
            // "intervals SCREEN STEP_US K:COUNT ...": COUNT intervals of K steps.
            out << "intervals " << name << ' ' << kIntervalStepUs;
            for (const auto& [step, n] : f.intervals)
                out << ' ' << step << ':' << n;
            out << '\n';
        }
    }
    f.close();
    std::rename(QFile::encodeName(aside).constData(), QFile::encodeName(path_).constData());
}

}  // namespace tk
