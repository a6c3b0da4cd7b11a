#include "game/headless.h"

#include <QDir>
#include <QImage>

#include "game/digest.h"
#include "game/platforms.h"
#include "game/recording.h"
#include "game/sky.h"
#include "level/runtime.h"

namespace zelk {

namespace {

using Kind = level::ReplayEvent::Kind;
using Action = level::ReplayEvent::Action;

QString hex(uint64_t digest) {
    return QStringLiteral("%1").arg(digest, 16, 16, QChar(u'0'));
}

QString said(level::Outcome o) {
    return o == level::Outcome::Won    ? QStringLiteral("gagné")
           : o == level::Outcome::Lost ? QStringLiteral("perdu")
                                       : QStringLiteral("inachevé");
}

}  // namespace

HeadlessGame::HeadlessGame(tk::Services& services, const level::GameOptions& o)
    : Playfield(services), options(o) {}

void HeadlessGame::start(const level::Level& lev, int tickMs, bool day) {
    applyPlatforms(Shape1, lev);
    setup();
    Timer1.setInterval(tickMs);
    setBackColor(day ? kDaySky : kNightSky);
    const QString sky = day ? QStringLiteral("sol.gif") : QStringLiteral("lune.gif");
    const QImage img(QDir(services().dataFolder()).filePath(sky));
    if (!img.isNull()) tem.setImage(img, sky);
}

bool HeadlessGame::recording() {
    return writer_ && writer_->open(options, *this);
}

void HeadlessGame::levelOver(const QString&, const QString&, bool won) {
    outcome_ = won ? level::Outcome::Won : level::Outcome::Lost;
    if (writer_) writer_->ended(won);
}

void HeadlessGame::mouse(tk::Scene::MouseAction a, int button, int shift, float x, float y,
                         tk::Element* target, bool forced) {
    if (recording()) {
        level::ReplayEvent& e = writer_->add(Kind::Mouse);
        e.action = a == tk::Scene::MouseAction::Down ? Action::Down
                   : a == tk::Scene::MouseAction::Up ? Action::Up
                                                     : Action::Move;
        e.code = button;
        e.shift = shift;
        e.x = x;
        e.y = y;
        e.forced = forced;
        if (forced && target) e.name = nameOf(target);
    }
    routeMouse(a, button, shift, x, y, target, forced, *this);
}

void HeadlessGame::key(Action a, int code) {
    if (recording()) {
        level::ReplayEvent& e = writer_->add(Kind::Key);
        e.action = a;
        e.code = code;
    }
    if (a == Action::Down) keyDown(code);
    if (a == Action::Up) keyUp(code);
    if (a == Action::Press) keyPress(code);
}

bool HeadlessGame::fire(tk::Timer& t) {
    if (!t.enabled()) return false;
    if (&t == &Timer1) ++ticks_;
    const bool written = recording();
    if (written) writer_->timer(*this, t);
    t.fire();
    if (written) writer_->tickOver(*this);
    return true;
}

level::Check checkOf(const Playfield& game) {
    level::Check c;
    c.energie = game.energie;
    c.tuesgris = game.tuesgris;
    c.nbgris = game.nbgris;
    c.left = game.joueur.Left;
    c.top = game.joueur.Top;
    return c;
}

QString checkDisagrees(const level::Check& now, const level::Check& want, int line) {
    // Every value compared, so that the two never read the same.
    const auto state = [](const level::Check& c) {
        return QStringLiteral("énergie %1, grises tuées %2, grises créées %3, joueur en (%4, %5)")
            .arg(level::str(c.energie))
            .arg(c.tuesgris)
            .arg(c.nbgris)
            .arg(level::str(c.left), level::str(c.top));
    };
    return QStringLiteral("ligne %1, après %2 ticks : %3 au lieu de %4 ticks, %5")
        .arg(QString::number(line), QString::number(now.ticks), state(now),
             QString::number(want.ticks), state(want));
}

QString digestDisagrees(int line, const QString& fileName, int ticks, uint64_t now, uint64_t want) {
    const QString file = fileName.isEmpty()
                             ? QString()
                             : QStringLiteral(" de « %1 »").arg(level::shown(fileName, -1));
    return QStringLiteral(
               "ligne %1%2, après %3 ticks : l'état du jeu a l'empreinte %4 au lieu de %5")
        .arg(QString::number(line), file, QString::number(ticks), hex(now), hex(want));
}

QString outcomeDisagrees(level::Outcome now, level::Outcome want) {
    return QStringLiteral("à la fin : %1 au lieu de %2").arg(said(now), said(want));
}

bool timerOf(const Playfield& field, const level::ReplayEvent& e, tk::Timer*& timer,
             QString& where) {
    timer = qobject_cast<tk::Timer*>(field.control(e.name));
    if (timer) return true;
    where =
        QStringLiteral("ligne %1 : pas de minuterie « %2 »").arg(e.line).arg(level::shown(e.name));
    return false;
}

bool forcedTarget(const Playfield& field, const level::ReplayEvent& e, tk::Element*& target,
                  QString& where) {
    target = nullptr;
    if (!e.forced || e.name.isEmpty() || (target = field.elementNamed(e.name))) return true;
    where = QStringLiteral("ligne %1 : pas d'élément « %2 »").arg(e.line).arg(level::shown(e.name));
    return false;
}

bool digestAfterFiring(const Playfield& field, const tk::Timer& t, level::ReplayEvent& e,
                       bool retake, const QString& fileName, int ticks, QString& where) {
    if (!e.digest && !retake) return true;
    const uint64_t now = stateDigest(field);
    if (retake) {
        if (&t == &field.Timer1) e.digest = now;
        return true;
    }
    if (now == *e.digest) return true;
    where = digestDisagrees(e.line, fileName, ticks, now, *e.digest);
    return false;
}

tk::Scene::MouseAction mouseActionOf(level::ReplayEvent::Action a) {
    return a == Action::Down ? tk::Scene::MouseAction::Down
           : a == Action::Up ? tk::Scene::MouseAction::Up
                             : tk::Scene::MouseAction::Move;
}

QString outcomeLine(level::Outcome outcome, int ticks) {
    return (outcome == level::Outcome::Unfinished ? QStringLiteral("inachevé après %1 ticks")
                                                  : said(outcome) + QStringLiteral(" en %1 ticks"))
        .arg(ticks);
}

bool HeadlessGame::play(level::ReplayEvent& e, QString& where, const QString& fileName,
                        bool retake) {
    HeadlessGame& g = *this;
    switch (e.kind) {
        case Kind::Check: {
            level::Check now = checkOf(g);
            now.ticks = g.ticks();
            if (now == e.check) return true;
            where = checkDisagrees(now, e.check, e.line);
            return false;
        }
        case Kind::Options:
            g.options = e.options;
            return true;
        case Kind::Timer: {
            tk::Timer* t = nullptr;
            if (!timerOf(g, e, t, where)) return false;
            if (!g.fire(*t)) return true;
            return digestAfterFiring(g, *t, e, retake, fileName, g.ticks(), where);
        }
        case Kind::Key:
            g.key(e.action, e.code);
            return true;
        case Kind::Mouse: {
            tk::Element* target = nullptr;
            if (!forcedTarget(g, e, target, where)) return false;
            g.mouse(mouseActionOf(e.action), e.code, e.shift, e.x, e.y, target, e.forced);
            return true;
        }
    }
    return true;
}

bool playHeadless(tk::Services& services, level::Replay& replay, HeadlessRun& run, bool retake) {
    level::Rng& rng = services.rng();
    const uint32_t before = rng.state();
    struct Restore {
        level::Rng& rng;
        uint32_t state;
        ~Restore() { rng.reseed(state); }
    } restore{rng, before};
    rng.reseed(replay.seed);
    if (retake) replay.version = level::kReplayVersion;

    HeadlessGame game(services, replay.options);
    size_t i = 0;
    const auto done = [&](bool same) {
        run.outcome = game.outcome();
        run.ticks = game.ticks();
        return same;
    };
    try {
        game.start(replay.level, replay.tickMs, replay.day);
    } catch (const level::RuntimeError& e) {
        // The reader takes only what the game can hold; should the game
        // still fail, that is said, not a crash.
        run.where = QStringLiteral("au début : ") + e.text();
        return done(false);
    }
    for (; i < replay.events.size(); ++i) {
        level::ReplayEvent& e = replay.events[i];
        try {
            if (!game.play(e, run.where, replay.fileName, retake)) return done(false);
        } catch (const level::RuntimeError& err) {
            run.where = QStringLiteral("ligne %1 : %2").arg(e.line).arg(err.text());
            return done(false);
        }
    }
    if (game.outcome() != replay.outcome) {
        run.where = outcomeDisagrees(game.outcome(), replay.outcome);
        return done(false);
    }
    level::Check now = checkOf(game);
    now.ticks = game.ticks();
    if (!(now == replay.end)) {
        run.where = checkDisagrees(now, replay.end, static_cast<int>(replay.events.size()) + 8);
        return done(false);
    }
    return done(true);
}

}  // namespace zelk
