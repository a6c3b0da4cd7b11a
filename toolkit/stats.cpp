#include "stats.h"

#include <QFile>
#include <QTextStream>
#include <QTimer>
#include <chrono>
#include <cstdio>

namespace tk {

namespace {
// How often the counts are written out, milliseconds.
constexpr int kWriteEveryMs = 500;
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

void Stats::frameDrawn(const QString& screen) {
    ++frames_[screen];
    if (firstFrameUnixUs_ < 0) {
        firstFrameUnixUs_ = std::chrono::duration_cast<std::chrono::microseconds>(
                                std::chrono::system_clock::now().time_since_epoch())
                                .count();
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
        for (const auto& [name, n] : frames_)
            out << "frames " << name << ' ' << n << '\n';
    }
    f.close();
    std::rename(QFile::encodeName(aside).constData(), QFile::encodeName(path_).constData());
}

}  // namespace tk
