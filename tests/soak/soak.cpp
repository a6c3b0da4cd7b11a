// zelk-soak: plays every sample level again and again through the scripted
// driver, with seeded random mouse and key input, each level to its end and
// back to the menu. It checks that screens, widgets and grey frogs come back
// to their numbers after each level, and that memory does not grow.
//
//   zelk-soak --folder PROGRAM_FOLDER [--ticks N] [--levels N] [--seed N]
#include <unistd.h>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>

#include "app/program.h"
#include "game/frmaffpg.h"
#include "game/frmsaut.h"
#include "menus/frmopt.h"
#include "toolkit/scriptdriver.h"
#include "toolkit/scriptedservices.h"

namespace {

constexpr int kSpawnEvery = 222;   // Timer2's 4 s in ticks of 18 ms
constexpr int kCountersEvery = 2;  // Timer3's 30 ms, roughly
constexpr long kMaxGrowthBytes = 1024 * 1024;

long residentBytes() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> parts = f.readAll().split(' ');
    return parts.size() > 1 ? parts[1].toLong() * sysconf(_SC_PAGESIZE) : 0;
}

bool sanitized() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
    return true;
#endif
#endif
    return false;
}

class Soak {
public:
    Soak(const QString& folder, uint32_t seed)
        : services_(folder, nullptr),
          program_(services_, true),
          driver_(program_, services_, sink_),
          hand_(seed) {
        services_.rng().reseed(seed);
    }

    void run(const QString& line) {
        driver_.execute(line);
        program_.collectGarbage();
        services_.clearLog();
    }
    uint32_t next(uint32_t n) {
        hand_ = hand_ * 1103515245u + 12345u;
        return (hand_ >> 8) % n;
    }
    zelk::ZelkProgram& program() { return program_; }
    int won = 0, lost = 0, byThemselves = 0;  // levels ended so, and without help

    // Plays one level for at most `ticks` ticks of random input, then ends it
    // (won or lost, alternately) if it has not ended by itself. Returns the
    // ticks played.
    int playLevel(const QString& name, int ticks, bool forceWin) {
        run(QStringLiteral("select frmmenu.File1 \"%1\"").arg(name));
        run(QStringLiteral("click frmmenu.Command1"));
        auto* game = program_.loadedAs<zelk::frmsaut>();
        if (!game) throw std::runtime_error("the level did not start: " + name.toStdString());
        if (game->mech1.indices().size() != 1)
            throw std::runtime_error("a new game screen does not start with one grey frog");
        run(QStringLiteral("key frmsaut 27"));
        int t = 0;
        for (; t < ticks && !ended(); ++t) {
            switch (next(40)) {
                case 0:
                    run(QStringLiteral("mouse frmsaut move 0 %1 %2")
                            .arg(next(15200))
                            .arg(next(11000)));
                    break;
                case 1:
                    run(QStringLiteral("mouse frmsaut down 1 %1 9000").arg(next(15200)));
                    break;
                case 2:
                    run(QStringLiteral("mouse frmsaut up 1 %1 9000").arg(next(15200)));
                    break;
                case 3:
                    run(QStringLiteral("mouse frmsaut down 2 100 9000"));
                    break;
                case 4:
                    run(QStringLiteral("mouse frmsaut up 4 100 9000"));
                    break;
                case 5:
                    run(QStringLiteral("key frmsaut 13"));
                    break;
                case 6:
                    run(QStringLiteral("mouse frmsaut.mech3 up 1 10 10"));
                    break;
                default:
                    break;
            }
            if (t % kSpawnEvery == kSpawnEvery - 1) run(QStringLiteral("fire frmsaut.Timer2"));
            if (t % kCountersEvery == 0) run(QStringLiteral("fire frmsaut.Timer3"));
            run(QStringLiteral("fire frmsaut.Timer1"));
        }
        if (ended()) ++byThemselves;
        if (!ended()) {
            if (forceWin) {
                run(QStringLiteral("set frmsaut.tuesgris %1")
                        .arg(program_.get<zelk::frmopt>().nbg.value()));
                for (int k = 1; k <= 7; ++k)
                    run(QStringLiteral("set frmsaut.mech2(%1).Visible false").arg(k));
            } else {
                run(QStringLiteral("set frmsaut.energie 0"));
            }
            run(QStringLiteral("fire frmsaut.Timer1"));
            ++t;
        }
        if (!ended()) throw std::runtime_error("the level did not end");
        const QString picture = program_.get<zelk::frmaffpg>().property("Picture").toString();
        ++(picture == QLatin1String("gagne.JPG") ? won : lost);
        run(QStringLiteral("click frmaffpg.menu"));
        return t;
    }

private:
    bool ended() { return program_.loadedAs<zelk::frmaffpg>() != nullptr; }

    QString printed_;
    QTextStream sink_{&printed_};
    tk::ScriptedServices services_;
    zelk::ZelkProgram program_;
    tk::ScriptDriver driver_;
    uint32_t hand_;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QString source;
    long ticks = 200000;
    int levels = 50;
    uint32_t seed = 7;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--folder"))
            source = args[i + 1];
        else if (args[i] == QLatin1String("--ticks"))
            ticks = args[i + 1].toLong();
        else if (args[i] == QLatin1String("--levels"))
            levels = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--seed"))
            seed = args[i + 1].toUInt();
    }
    QTextStream out(stdout);
    QTemporaryDir dir;
    QStringList names;
    for (const QString& f : QDir(source).entryList(QDir::Files)) {
        if (f == QLatin1String("zelk") || f.startsWith(QLatin1String("zelk-")) ||
            f == QLatin1String("velmo"))
            continue;
        QFile::copy(QDir(source).filePath(f), QDir(dir.path()).filePath(f));
        if (f.endsWith(QLatin1String(".lev"))) names << f;
    }
    if (names.isEmpty()) {
        std::fprintf(stderr, "zelk-soak: no levels in %s\n", qPrintable(source));
        return 2;
    }
    try {
        Soak soak(dir.path(), seed);
        soak.run(QStringLiteral("start"));
        soak.run(QStringLiteral("click avert.OKButton"));
        const int ticksPerLevel = static_cast<int>(std::max<long>(1, ticks / levels));
        long played = 0;
        int screens = -1, widgets = -1;
        long rssAfterFirst = 0, rssPeak = 0;
        int level = 0;
        for (; level < levels || played < ticks; ++level) {
            played += soak.playLevel(names[level % names.size()], ticksPerLevel, level % 2 == 1);
            const int s = soak.program().loadedCount();
            const int w = static_cast<int>(QApplication::allWidgets().size());
            // The first two levels, one lost and one won, warm up what stays
            // for good (the result pictures, fonts); memory is measured from there.
            if (level == 0) {
                screens = s;
                widgets = w;
            } else if (level == 1) {
                rssAfterFirst = residentBytes();
            }
            if (level > 0 && (s != screens || w != widgets)) {
                std::fprintf(
                    stderr, "zelk-soak: after level %d: %d screens and %d widgets, not %d and %d\n",
                    level + 1, s, w, screens, widgets);
                return 1;
            }
            rssPeak = std::max(rssPeak, residentBytes());
        }
        const long growth = residentBytes() - rssAfterFirst;
        out << "levels " << level << " (won " << soak.won << ", lost " << soak.lost << ", "
            << soak.byThemselves << " ended without help), ticks " << played << ", screens "
            << screens << ", widgets " << widgets << ", resident after the first two levels "
            << rssAfterFirst / 1024 << " KiB, growth since " << growth / 1024 << " KiB, peak "
            << rssPeak / 1024 << " KiB\n";
        out.flush();
        if (!sanitized() && growth >= kMaxGrowthBytes) {
            std::fprintf(stderr, "zelk-soak: memory grew by %ld KiB\n", growth / 1024);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "zelk-soak: %s\n", e.what());
        return 1;
    }
    return 0;
}
