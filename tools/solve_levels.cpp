// zelk-solve: finds, for each level, a game that wins it from the start
// through the game's own events, and writes its replay (NAME.rejeu) beside
// the others. It plays on a copy of the level folder, so the records of the
// games it wins stay out of it.
//
//   zelk-solve --folder LEVELS --out SOLUTIONS [--seed N] [--restarts N] [--max-ticks N] [NAME.lev ...]
//
// A scripted player moves the mouse, charges and jumps, drops vials and fires
// the game's timers as the real ones would (the spawn timer every 222 ticks of
// 18 ms); it reads the game to decide, and never writes it. Its choices are
// random within sensible moves (which enemy or platform to go for, how far to
// walk first, how much higher than needed to jump). The search keeps a played
// prefix and, piece by piece, plays several seeded continuations from the
// start and keeps the piece of the one that scored best after a look ahead:
// kills first, then energy. Every piece is replayed from the level's start, so
// what is written is exactly what was played.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>

#include "app/program.h"
#include "game/frmsaut.h"
#include "game/rules.h"
#include "toolkit/scriptdriver.h"
#include "toolkit/scriptedservices.h"

namespace {

using zelk::frmsaut;

constexpr int kSpawnEvery = 222;  // Timer2's 4000 ms in ticks of 18 ms
constexpr int kPiece = 150;       // ticks kept at each step of the search
constexpr int kLookAhead = 600;   // ticks played past a piece to judge it
constexpr int kCandidates = 10;   // continuations tried at each step
constexpr float kMouseY = 10950;  // on the ground strip, under every enemy
constexpr float kFieldRight = 15209;
constexpr float kPlayer = 375;
constexpr float kEdge = 90;  // how near a platform's end he goes before jumping off it

// One game played through the driver, every line kept.
class Play {
public:
    Play(const QString& folder, const QString& level)
        : services_(folder, nullptr),
          program_(services_, true),
          driver_(program_, services_, sink_) {
        run(QStringLiteral("start"));
        run(QStringLiteral("click avert.OKButton"));
        run(QStringLiteral("select frmmenu.File1 %1").arg(tk::quoted(level)));
        run(QStringLiteral("click frmmenu.Command1"));
        run(QStringLiteral("key frmsaut 27"));
    }

    void run(const QString& line) {
        flush();
        lines_ << line;
        exec(line);
    }
    // Lines played by another Play, as they were.
    void replay(const QStringList& lines, int ticks) {
        for (qsizetype i = lines_.size(); i < lines.size(); ++i) {
            lines_ << lines[i];
            exec(lines[i]);
        }
        ticks_ = ticks;
    }
    void tick() {
        exec(QStringLiteral("fire frmsaut.Timer1"));
        ++ticks_;
        ++pending_;
        if (ticks_ % kSpawnEvery == 0 && !over()) {
            flush();
            run(QStringLiteral("fire frmsaut.Timer2"));
            run(QStringLiteral("fire frmsaut.Timer3"));
        }
    }
    void mouse(const char* action, int button, float x) {
        const int ix = static_cast<int>(std::clamp(x, 0.f, kFieldRight));
        if (std::strcmp(action, "move") == 0 && std::abs(ix - lastX_) < 30) return;
        if (std::strcmp(action, "move") == 0) lastX_ = ix;
        run(QStringLiteral("mouse frmsaut at %1 %2 %3 %4")
                .arg(QLatin1String(action))
                .arg(button)
                .arg(ix)
                .arg(static_cast<int>(kMouseY)));
    }
    void flush() {
        if (pending_ == 0) return;
        lines_ << QStringLiteral("fire frmsaut.Timer1 %1").arg(pending_);
        pending_ = 0;
    }

    frmsaut& game() { return program_.get<frmsaut>(); }
    bool saveReplay(const QString& path, QString& why) { return program_.saveRecording(path, why); }
    bool over() { return !game().Timer1.enabled(); }
    // pg() tests the loss after the win: a level that ends with energy left is won.
    bool won() { return over() && game().energie > 0; }
    int ticks() const { return ticks_; }
    const QStringList& lines() {
        flush();
        return lines_;
    }
    int kills() {
        frmsaut& g = game();
        int dead = 0;
        for (int k = 1; k <= g.nbvertes; ++k)
            if (!g.mech2(k).Visible) ++dead;
        return g.tuesgris + dead;
    }
    // Higher is better: won soonest; lost is worst; else the kills and the
    // energy left, a kill worth its share of the energy a level starts with,
    // so that no kill is bought with the whole of it.
    double score() {
        if (won()) return 1e9 - ticks_;
        if (over()) return -1e9 + ticks_;
        frmsaut& g = game();
        const int needed = std::max(1, g.greyToKill() + g.nbvertes);
        const double full = g.lifeOption() * zelk::kEnergyPerVie;
        return kills() * full / needed + g.energie;
    }

private:
    void exec(const QString& line) {
        driver_.execute(line);
        program_.collectGarbage();
        services_.clearLog();
    }
    QString printed_;  // what `get` would print: nothing, the player reads the game itself
    QTextStream sink_{&printed_};
    tk::ScriptedServices services_;
    zelk::ZelkProgram program_;
    tk::ScriptDriver driver_;
    QStringList lines_;
    int ticks_ = 0;
    int pending_ = 0;
    int lastX_ = -1000;
};

// The scripted player: a goal at a time, chosen at random among the
// reachable ones when it stands.
class Player {
public:
    explicit Player(uint32_t seed) : rng_(seed) {}

    void step(Play& p) {
        frmsaut& g = p.game();
        const float px = g.joueur.Left + kPlayer / 2;
        const float feet = g.joueur.Top + kPlayer;
        if (g.etat != zelk::jump::Standing) {
            // In the air: over the goal, or over the nearest enemy below.
            if (charging_) release(p);
            float x = goalX(g, px);
            if (!goalAlive(g)) x = nearestBelow(g, px, feet, x);
            p.mouse("move", 0, x);
            jumping_ = false;
            wait_ = 0;
            return;
        }
        if (!jumping_ && (--wait_ <= 0 || !goalAlive(g))) choose(p, g, px, feet);
        float x = goalX(g, px);
        // A jump to something beyond the platform's end is taken from its
        // edge: walking on towards it would only drop him off.
        if (jumping_ && g.plateau != 0 && g.joueur.Top == g.Shape1(g.plateau).Top - kPlayer) {
            const tk::Shape& s = g.Shape1(g.plateau);
            x = std::clamp(x, s.Left + kEdge, std::max(s.Left + kEdge, s.Left + s.Width - kEdge));
        }
        p.mouse("move", 0, x);
        if (!jumping_) return;
        if (std::abs(x - px) > std::max(reach_, kEdge)) return;
        if (!charging_ && need_ > 0) {
            p.mouse("down", tk::LeftButton, x);
            charging_ = true;
        }
        if (g.puiss >= need_) {
            if (charging_) release(p);
            p.mouse("down", tk::RightButton, x);
            p.mouse("up", tk::RightButton, x);
        }
    }

private:
    enum class Goal { Grey, Green, Bird, Platform, Walk };

    void release(Play& p) {
        p.mouse("up", tk::LeftButton, lastGoalX_);
        charging_ = false;
    }

    bool goalAlive(frmsaut& g) const {
        switch (goal_) {
            case Goal::Grey:
                return index_ <= g.nbgris && g.mech1(index_).Visible;
            case Goal::Green:
                return g.mech2(index_).Visible;
            case Goal::Bird:
                return g.mech3.Visible;
            default:
                return true;
        }
    }

    float goalX(frmsaut& g, float px) {
        float x = px;
        switch (goal_) {
            case Goal::Grey:
                if (index_ <= g.nbgris) x = centre(g.mech1(index_));
                break;
            case Goal::Green:
                x = centre(g.mech2(index_));
                break;
            case Goal::Bird:
                x = centre(g.mech3);
                break;
            case Goal::Platform: {
                const tk::Shape& s = g.Shape1(index_);
                x = std::clamp(px, s.Left + 200, s.Left + s.Width - 200);
                if (s.Width < 500) x = s.Left + s.Width / 2;
                break;
            }
            case Goal::Walk:
                x = walkTo_;
                break;
        }
        lastGoalX_ = x + offset_;
        return lastGoalX_;
    }

    static float centre(const tk::Picture& e) { return e.Left + e.Width / 2; }

    float nearestBelow(frmsaut& g, float px, float feet, float fallback) const {
        float best = 1e9f, x = fallback;
        auto consider = [&](const tk::Picture& e) {
            if (!e.Visible || e.Top + 100 < feet) return;
            const float d = std::abs(centre(e) - px) + (e.Top - feet) * 0.5f;
            if (d < best) best = d, x = centre(e);
        };
        for (int i = 0; i <= g.nbgris; ++i)
            consider(g.mech1(i));
        for (int k = 1; k <= g.nbvertes; ++k)
            consider(g.mech2(k));
        return x;
    }

    // The height to charge for a jump whose feet pass above `top`.
    void aimAbove(float top, float feet) {
        std::uniform_real_distribution<float> extra(150, 1400);
        need_ = static_cast<int16_t>(
            std::clamp(feet - top + extra(rng_), 0.f, static_cast<float>(zelk::kPowerMax)));
    }

    void choose(Play& p, frmsaut& g, float px, float feet) {
        struct Option {
            Goal goal;
            int index;
            float top;
            double weight;
        };
        std::vector<Option> options;
        auto add = [&](Goal goal, int index, const tk::Picture& e) {
            if (!e.Visible || e.Top > feet + 400) return;
            const float rise = feet - e.Top;
            if (rise > zelk::kPowerMax - 300) return;
            options.push_back({goal, index, e.Top, 3000.0 / (1000 + std::abs(centre(e) - px))});
        };
        for (int i = 0; i <= g.nbgris; ++i)
            if (!g.mech1(i).Tag.isEmpty()) add(Goal::Grey, i, g.mech1(i));
        for (int k = 1; k <= g.nbvertes; ++k)
            add(Goal::Green, k, g.mech2(k));
        if (g.mech3.Visible && g.mech3.Top > feet - 2500) add(Goal::Bird, 0, g.mech3);
        for (int k = 2; k <= zelk::kShapeCount; ++k) {
            const tk::Shape& s = g.Shape1(k);
            const float rise = feet - s.Top;
            if (k != g.plateau && rise > -3000 && rise < zelk::kPowerMax - 400)
                options.push_back({Goal::Platform, k, s.Top, 0.6});
        }
        options.push_back({Goal::Walk, 0, 0, 0.3});
        std::vector<double> weights;
        for (const Option& o : options)
            weights.push_back(o.weight);
        const Option& o =
            options[std::discrete_distribution<size_t>(weights.begin(), weights.end())(rng_)];
        goal_ = o.goal;
        index_ = o.index;
        std::uniform_real_distribution<float> unit(0, 1);
        offset_ = (unit(rng_) - 0.5f) * 300;
        reach_ = 100 + unit(rng_) * 900;
        wait_ = 60 + static_cast<int>(unit(rng_) * 120);
        jumping_ = goal_ != Goal::Walk;
        if (goal_ == Goal::Walk) walkTo_ = unit(rng_) * kFieldRight;
        if (goal_ == Goal::Platform) {
            aimAbove(o.top, feet);
        } else if (jumping_) {
            aimAbove(o.top, feet);
        }
        // A vial on the way of the grey frogs coming to this platform.
        if (unit(rng_) < 0.25f && g.nbf.Caption != QLatin1String("0") && !g.nbf.Caption.isEmpty())
            p.run(QStringLiteral("key frmsaut 13"));
    }

    std::mt19937 rng_;
    Goal goal_ = Goal::Walk;
    int index_ = 0;
    float offset_ = 0, reach_ = 0, walkTo_ = 0, lastGoalX_ = 0;
    int wait_ = 0;
    int16_t need_ = 0;
    bool jumping_ = false, charging_ = false;
};

// Plays `ticks` ticks with the player, stopping at the level's end.
void playFor(Play& p, Player& player, int ticks) {
    for (int i = 0; i < ticks && !p.over(); ++i) {
        player.step(p);
        p.tick();
    }
}

int gRestarts = 8;        // fresh searches before giving up (--restarts)
int gMaxTicks = 15000;    // a search not won by then starts afresh (--max-ticks)
uint32_t gSeed = 0;   // where the searches' seeds start (--seed)

bool solve(const QString& folder, const QString& level, QStringList& winning, int& ticks) {
    for (int restart = 0; restart < gRestarts; ++restart) {
        double keptScore = 0;
        QStringList kept;
        int keptTicks = 0;
        for (int round = 0; keptTicks < gMaxTicks; ++round) {
            double bestScore = -2e9;
            QStringList best;
            int bestTicks = 0;
            bool bestWon = false;
            for (int c = 0; c < kCandidates; ++c) {
                Play p(folder, level);
                if (!kept.isEmpty()) p.replay(kept, keptTicks);
                Player player(gSeed + static_cast<uint32_t>(restart * 1000003 + round * 101 + c));
                playFor(p, player, kPiece);
                const QStringList piece = p.lines();
                const int pieceTicks = p.ticks();
                const bool wonHere = p.won();
                playFor(p, player, kLookAhead);
                const double s = wonHere ? 2e9 - pieceTicks : p.score();
                if (s > bestScore) {
                    bestScore = s, best = piece, bestTicks = pieceTicks, bestWon = wonHere;
                }
            }
            if (bestScore < -1e8) break;  // every continuation loses: start afresh
            kept = best;
            keptTicks = bestTicks;
            keptScore = bestScore;
            if (bestWon) {
                winning = kept;
                ticks = keptTicks;
                return true;
            }
        }
        std::fprintf(stderr, "%s: restart %d (%d ticks kept, score %.0f)\n", qPrintable(level),
                     restart + 1, keptTicks, keptScore);
        // What was left to kill where the search stopped.
        Play left(folder, level);
        left.replay(kept, keptTicks);
        frmsaut& g = left.game();
        std::fprintf(stderr, "  grey killed %d of %d, energy %.0f; green left:", g.tuesgris,
                     g.greyToKill(), static_cast<double>(g.energie));
        for (int k = 1; k <= g.nbvertes; ++k)
            if (g.mech2(k).Visible)
                std::fprintf(stderr, " %d at (%.0f, %.0f)", k, static_cast<double>(g.mech2(k).Left),
                             static_cast<double>(g.mech2(k).Top));
        std::fprintf(stderr, "\n");
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString folder, out;
    QStringList levels;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--folder") && i + 1 < args.size()) {
            folder = args[++i];
        } else if (args[i] == QLatin1String("--out") && i + 1 < args.size()) {
            out = args[++i];
        } else if (args[i] == QLatin1String("--seed") && i + 1 < args.size()) {
            gSeed = args[++i].toUInt();
        } else if (args[i] == QLatin1String("--restarts") && i + 1 < args.size()) {
            gRestarts = args[++i].toInt();
        } else if (args[i] == QLatin1String("--max-ticks") && i + 1 < args.size()) {
            gMaxTicks = args[++i].toInt();
        } else {
            levels << args[i];
        }
    }
    if (folder.isEmpty() || out.isEmpty()) {
        std::fputs("usage: zelk-solve --folder LEVELS --out SOLUTIONS [--seed N] [--restarts N] [--max-ticks N] [NAME.lev ...]\n", stderr);
        return 2;
    }
    if (levels.isEmpty())
        levels = QDir(folder).entryList({QStringLiteral("*.lev")}, QDir::Files, QDir::Name);
    QTemporaryDir copy;
    for (const QString& name : QDir(folder).entryList(QDir::Files))
        QFile::copy(QDir(folder).filePath(name), copy.filePath(name));
    folder = copy.path();
    int failed = 0;
    for (const QString& level : levels) {
        QStringList lines;
        int ticks = 0;
        if (!solve(folder, level, lines, ticks)) {
            std::fprintf(stderr, "%s: no win found\n", qPrintable(level));
            ++failed;
            continue;
        }
        // The winning game played once more, recorded as the game records one.
        Play p(folder, level);
        p.replay(lines, ticks);
        const QString path =
            QDir(out).filePath(level.chopped(4) + QStringLiteral(".rejeu"));
        QString why;
        if (!p.won() || !p.saveReplay(path, why)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path),
                         p.won() ? qPrintable(why) : "not won when played again");
            return 1;
        }
        std::printf("%s: won in %d ticks, %lld lines\n", qPrintable(level), ticks,
                    static_cast<long long>(lines.size()));
        std::fflush(stdout);
    }
    return failed == 0 ? 0 : 1;
}
