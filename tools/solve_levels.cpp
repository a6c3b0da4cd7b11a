// zelk-solve: finds, for each level, a game that wins it from the start
// through the game's own events, and writes its replay (NAME.rejeu) beside
// the others. It plays on headless fields, with no window and no program:
// nothing of the level folder is written.
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
#include <QDir>
#include <QGuiApplication>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <random>

#include "game/headless.h"
#include "game/recording.h"
#include "game/rules.h"
#include "level/options.h"
#include "level/replay.h"
#include "toolkit/keys.h"
#include "toolkit/scriptedservices.h"

namespace {

using zelk::HeadlessGame;

constexpr int kSpawnEvery = 222;  // Timer2's 4000 ms in ticks of 18 ms
constexpr int kPiece = 150;       // ticks kept at each step of the search
constexpr int kLookAhead = 600;   // ticks played past a piece to judge it
constexpr int kCandidates = 10;   // continuations tried at each step
constexpr float kMouseY = 10950;  // on the ground strip, under every enemy
constexpr float kFieldRight = 15209;
constexpr float kPlayer = 375;
constexpr float kEdge = 90;
constexpr auto Move = level::ReplayEvent::Action::Move;
constexpr auto Down = level::ReplayEvent::Action::Down;
constexpr auto Up = level::ReplayEvent::Action::Up;  // how near a platform's end he goes before jumping off it

// A level's start: its fields, the options a fresh player has with the
// level's own enemy options, the generator's state.
level::Replay startOf(const QString& folder, const QString& name) {
    level::Record record;
    level::Error err;
    level::Replay start;
    if (!level::read(QDir(folder).filePath(name), record, err) ||
        !level::decodeForGame(record, name, start.level, err)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(name), qPrintable(err.message()));
        std::exit(2);
    }
    start.levelName = name;
    const level::GameSettings fresh;
    start.options = level::optionsOf(level::EnemyOptions::of(start.level));
    start.tickMs = fresh.dep;
    start.day = fresh.jour;
    start.seed = level::Rng().state();
    return start;
}

// One game played on a headless field, every input kept and written down as
// the game screen writes a game down.
class Play {
public:
    explicit Play(const level::Replay& start)
        : game_(services_, start.options), writer_(start) {
        services_.rng().reseed(start.seed);
        game_.record(&writer_);
        game_.start(start.level, start.tickMs, start.day);
        key(tk::key::Escape);  // the game starts paused
    }

    // Inputs played by another Play, as they were.
    void replay(const std::vector<level::ReplayEvent>& inputs, int ticks) {
        for (size_t i = inputs_.size(); i < inputs.size(); ++i)
            input(inputs[i]);
        ticks_ = ticks;
    }
    void tick() {
        fire(game_.Timer1);
        ++ticks_;
        if (ticks_ % kSpawnEvery == 0 && !over()) {
            fire(game_.Timer2);
            fire(game_.Timer3);
        }
    }
    void mouse(level::ReplayEvent::Action action, int button, float x) {
        const int ix = static_cast<int>(std::clamp(x, 0.f, kFieldRight));
        const bool move = action == level::ReplayEvent::Action::Move;
        if (move && std::abs(ix - lastX_) < 30) return;
        if (move) lastX_ = ix;
        level::ReplayEvent e;
        e.kind = level::ReplayEvent::Kind::Mouse;
        e.action = action;
        e.code = button;
        e.x = static_cast<float>(ix);
        e.y = kMouseY;
        input(e);
    }
    // A key down and its press, as a keyboard gives them.
    void key(int code) {
        level::ReplayEvent e;
        e.kind = level::ReplayEvent::Kind::Key;
        e.code = code;
        e.action = level::ReplayEvent::Action::Down;
        input(e);
        e.action = level::ReplayEvent::Action::Press;
        input(e);
    }

    zelk::HeadlessGame& game() { return game_; }
    level::Replay recording() { return writer_.replay(&game_); }
    bool over() { return !game_.Timer1.enabled(); }
    // pg() tests the loss after the win: a level that ends with energy left is won.
    bool won() { return over() && game_.energie > 0; }
    int ticks() const { return ticks_; }
    const std::vector<level::ReplayEvent>& inputs() const { return inputs_; }
    int kills() {
        int dead = 0;
        for (int k = 1; k <= game_.nbvertes; ++k)
            if (!game_.mech2(k).Visible) ++dead;
        return game_.tuesgris + dead;
    }
    // Higher is better: won soonest; lost is worst; else the kills and the
    // energy left, a kill worth its share of the energy a level starts with,
    // so that no kill is bought with the whole of it.
    double score() {
        if (won()) return 1e9 - ticks_;
        if (over()) return -1e9 + ticks_;
        const int needed = std::max(1, game_.greyToKill() + game_.nbvertes);
        const double full = game_.lifeOption() * zelk::kEnergyPerVie;
        return kills() * full / needed + game_.energie;
    }

private:
    void fire(tk::Timer& t) {
        level::ReplayEvent e;
        e.kind = level::ReplayEvent::Kind::Timer;
        e.name = t.objectName();
        input(e);
    }
    void input(const level::ReplayEvent& e) {
        inputs_.push_back(e);
        QString where;
        game_.play(inputs_.back(), where);
    }
    tk::ScriptedServices services_{QString(), nullptr};
    zelk::HeadlessGame game_;
    zelk::ReplayWriter writer_;
    std::vector<level::ReplayEvent> inputs_;
    int ticks_ = 0;
    int lastX_ = -1000;
};

// The scripted player: a goal at a time, chosen at random among the
// reachable ones when it stands.
class Player {
public:
    explicit Player(uint32_t seed) : rng_(seed) {}

    void step(Play& p) {
        HeadlessGame& g = p.game();
        const float px = g.joueur.Left + kPlayer / 2;
        const float feet = g.joueur.Top + kPlayer;
        if (g.etat != zelk::jump::Standing) {
            // In the air: over the goal, or over the nearest enemy below.
            if (charging_) release(p);
            float x = goalX(g, px);
            if (!goalAlive(g)) x = nearestBelow(g, px, feet, x);
            p.mouse(Move, 0, x);
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
        p.mouse(Move, 0, x);
        if (!jumping_) return;
        if (std::abs(x - px) > std::max(reach_, kEdge)) return;
        if (!charging_ && need_ > 0) {
            p.mouse(Down, tk::LeftButton, x);
            charging_ = true;
        }
        if (g.puiss >= need_) {
            if (charging_) release(p);
            p.mouse(Down, tk::RightButton, x);
            p.mouse(Up, tk::RightButton, x);
        }
    }

private:
    enum class Goal { Grey, Green, Bird, Platform, Walk };

    void release(Play& p) {
        p.mouse(Up, tk::LeftButton, lastGoalX_);
        charging_ = false;
    }

    bool goalAlive(HeadlessGame& g) const {
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

    float goalX(HeadlessGame& g, float px) {
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

    float nearestBelow(HeadlessGame& g, float px, float feet, float fallback) const {
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

    void choose(Play& p, HeadlessGame& g, float px, float feet) {
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
            p.key(tk::key::Enter);
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

bool solve(const level::Replay& start, std::vector<level::ReplayEvent>& winning, int& ticks) {
    const QString& level = start.levelName;
    for (int restart = 0; restart < gRestarts; ++restart) {
        double keptScore = 0;
        std::vector<level::ReplayEvent> kept;
        int keptTicks = 0;
        for (int round = 0; keptTicks < gMaxTicks; ++round) {
            double bestScore = -2e9;
            std::vector<level::ReplayEvent> best;
            int bestTicks = 0;
            bool bestWon = false;
            for (int c = 0; c < kCandidates; ++c) {
                Play p(start);
                if (!kept.empty()) p.replay(kept, keptTicks);
                Player player(gSeed + static_cast<uint32_t>(restart * 1000003 + round * 101 + c));
                playFor(p, player, kPiece);
                const std::vector<level::ReplayEvent> piece = p.inputs();
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
        Play left(start);
        left.replay(kept, keptTicks);
        HeadlessGame& g = left.game();
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
    QGuiApplication app(argc, argv);
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
    int failed = 0;
    for (const QString& level : levels) {
        const level::Replay start = startOf(folder, level);
        std::vector<level::ReplayEvent> inputs;
        int ticks = 0;
        if (!solve(start, inputs, ticks)) {
            std::fprintf(stderr, "%s: no win found\n", qPrintable(level));
            ++failed;
            continue;
        }
        // The winning game played once more, recorded as the game records one.
        Play p(start);
        p.replay(inputs, ticks);
        const QString path =
            QDir(out).filePath(level.chopped(4) + QStringLiteral(".rejeu"));
        QString why;
        tk::ScriptedServices files(QString(), nullptr);
        if (!p.won() || !level::writeReplayFile(files.files(), path, p.recording(), why)) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(path),
                         p.won() ? qPrintable(why) : "not won when played again");
            return 1;
        }
        std::printf("%s: won in %d ticks, %lld inputs\n", qPrintable(level), ticks,
                    static_cast<long long>(inputs.size()));
        std::fflush(stdout);
    }
    return failed == 0 ? 0 : 1;
}
