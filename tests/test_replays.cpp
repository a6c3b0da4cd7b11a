// Replays: random games played through the driver (random levels, options
// and input: the mouse, the keys and a pad; won, lost or left unfinished),
// followed step by step by their replay in another program, then saved, read
// back and played headless in a fresh program and on a field with no
// window, end in the very state the
// game ended in; shown (dropped on the menu, "Revoir", "SOLUTION") they end
// there for good.
#include <QRandomGenerator>
#include <QtTest>

#include "app/program.h"
#include "app/replays.h"
#include "game/frmaffpg.h"
#include "game/frmsaut.h"
#include "level/replay.h"
#include "menus/frmmenu.h"
#include "support.h"
#include "toolkit/scriptdriver.h"

namespace {

// The game screen as the driver dumps it.
QString dumpGame(zelk::ZelkProgram& program, tk::ScriptedServices& services) {
    QString text;
    QTextStream out(&text);
    tk::ScriptDriver(program, services, out).execute(QStringLiteral("dump frmsaut"));
    out.flush();
    return text;
}

// A random level: a shipped layout with random enemy options.
QByteArray randomLevel(QRandomGenerator& rng) {
    const char* layouts[] = {"tests/levels/fiole", "tests/levels/oiseau", "tests/levels/perdu",
                             "assets/levels/05 - le premier vrai niveau",
                             "assets/levels/13 - le ciel menace"};
    QFile f(QStringLiteral(ZELK_SOURCE_DIR "/%1.lev").arg(QLatin1String(layouts[rng.bounded(5)])));
    if (!f.open(QIODevice::ReadOnly)) qFatal("no level %s", qPrintable(f.fileName()));
    QList<QByteArray> fields = f.readAll().trimmed().split(',');
    fields[24] = QByteArray::number(rng.bounded(2));
    fields[25] = QByteArray::number(10 + rng.bounded(40));
    fields[26] = QByteArray::number(rng.bounded(4));
    fields[27] = QByteArray::number(rng.bounded(3));
    fields[28] = '"' + QByteArray::number(1 + rng.bounded(5)) + '"';
    return fields.join(',') + "\r\n";
}

// One random step of a player with the mouse, the keys or a pad (plugged in
// first), or of someone changing the options.
QString randomStep(QRandomGenerator& rng, bool& padIn) {
    const int x = rng.bounded(16000) - 400, y = rng.bounded(11500) - 200;
    const int button = 1 << rng.bounded(3);
    const char* padButtons[] = {"a", "b", "x", "start", "dpleft", "dpright", "y"};
    const int keys[] = {37, 39, 32, 38, 40};
    const int step = rng.bounded(16);
    if (step >= 13 && (!padIn || !rng.bounded(20))) {
        padIn = !padIn;
        return padIn ? QStringLiteral("pad frmsaut plug") : QStringLiteral("pad frmsaut unplug");
    }
    switch (step) {
        case 12:
            return QStringLiteral("%1 frmsaut %2")
                .arg(rng.bounded(2) ? "key" : "keyup")
                .arg(keys[rng.bounded(5)]);
        case 13:
        case 14:
            return QStringLiteral("pad frmsaut button %1 %2")
                .arg(padButtons[rng.bounded(step == 13 ? 7 : 3)])
                .arg(rng.bounded(2) ? "down" : "up");
        case 15:
            return QStringLiteral("pad frmsaut axis %1 %2")
                .arg(rng.bounded(4) ? "leftx" : "lefty")
                .arg(rng.bounded(65536) - 32768);
    }
    switch (rng.bounded(12)) {
        case 0:
            return QStringLiteral("mouse frmsaut at down %1 %2 %3").arg(button).arg(x).arg(y);
        case 1:
            return QStringLiteral("mouse frmsaut at up %1 %2 %3").arg(button).arg(x).arg(y);
        case 2:
            return QStringLiteral("mouse frmsaut.mech1(0) %1 %2 0 0")
                .arg(rng.bounded(2) ? "down" : "up")
                .arg(button);
        case 3:
            return QStringLiteral("key frmsaut %1").arg(rng.bounded(8) ? 13 : 27);
        case 4:
            return QStringLiteral("fire frmsaut.Timer2");
        case 5:
            return QStringLiteral("fire frmsaut.Timer3");
        case 6:
            return QStringLiteral("set frmaut.maxgb.Value %1").arg(1 + rng.bounded(15));
        case 7:
            return QStringLiteral("set frmopt.nbg.Value %1").arg(rng.bounded(3));
        default:
            return rng.bounded(3)
                       ? QStringLiteral("mouse frmsaut at move 0 %1 %2").arg(x).arg(y)
                       : QStringLiteral("fire frmsaut.Timer1 %1").arg(1 + rng.bounded(60));
    }
}

// A shipped level ("levels", "lev") and its winning replay ("solutions", "rejeu").
QString shipped(const char* folder, const char* type) {
    return QStringLiteral(ZELK_SOURCE_DIR "/assets/%1/06 - l'oiseau arrive.%2").arg(folder, type);
}

// A shown replay at its end: as recorded, its counters those of its own
// options, and over (Escape and the timers change nothing); the player's
// options and random numbers are his.
void showEnded(zelk::ZelkProgram& p, tk::ScriptDriver& d, tk::ScriptedServices& sv,
               const level::Replay& r, const level::GameOptions& mine, uint32_t random) {
    if (const zelk::frmsaut* g = p.loadedAs<zelk::frmsaut>()) {
        level::Check now = zelk::checkOf(*g);
        now.ticks = r.end.ticks;
        QCOMPARE(now, r.end);
        int nbg = r.options.greyToKill, left = 7 - g->tuesgris;
        for (const level::ReplayEvent& e : r.events)
            if (e.kind == level::ReplayEvent::Kind::Options) nbg = e.options.greyToKill;
        for (int k = 1; k <= 7; ++k)
            left -= !g->mech2(k).Visible;
        QCOMPARE(g->Label1.Caption, QStringLiteral("%1 ennemies restants à tuer").arg(nbg + left));
        const QString before = dumpGame(p, sv);
        for (const char* line : {"key frmsaut 27", "key frmsaut 27", "fire frmsaut.Timer1 9",
                                 "fire frmsaut.Timer2", "fire frmsaut.Timer3"})
            d.execute(QLatin1String(line));
        QCOMPARE(dumpGame(p, sv), before);
    }
    QVERIFY(p.gameOptions() == mine);
    QCOMPARE(sv.rng().state(), random);
}

// A key the show takes ("E" Espace, "D" Flèche droite) or the clock set (ms).
void watch(zelk::ReplayRun& run, zelk::frmsaut& game, qint64& now, const QString& step) {
    const int key = step == u'E' ? tk::key::Space : step == u'D' ? tk::key::Right : 0;
    if (key) game.deliverKeyDown(key, 0);
    game.deliverKeyUp(tk::key::Space, 0);
    if (!key && !step.isEmpty()) now = step.toLongLong();
    QCoreApplication::sendPostedEvents(&run, QEvent::MetaCall);
    run.wake();
}

}  // namespace

class TestReplays : public QObject {
    Q_OBJECT
private slots:
    void randomGamesReplayToTheSameState() {
        int won = 0, lost = 0, unfinished = 0;
        for (quint32 seed = 1; seed <= 24; ++seed) {
            QRandomGenerator rng(seed);
            testing::Fixture fx;
            const QString name = QString(124, u'é') + QStringLiteral(".lev");  // 252 bytes
            fx.writeFile(name, randomLevel(rng));
            // The menu's list is b.lev, c.lev, then that level; c.lev cannot be read.
            fx.writeFile(QStringLiteral("b.lev"), randomLevel(rng));
            fx.writeFile(QStringLiteral("c.lev"), "1,2\r\n");
            QString log;
            QTextStream sink(&log);
            tk::ScriptedServices services(fx.folder(), &sink);
            services.rng().reseed(rng.bounded(1u << 24));
            zelk::ZelkProgram game(services, true);
            tk::ScriptDriver driver(game, services, sink);
            for (const QString& line :
                 {QStringLiteral("start"), QStringLiteral("click avert.OKButton"),
                  QStringLiteral("set frmaut.vie.Value %1").arg(10 + rng.bounded(60)),
                  QStringLiteral("set frmaut.jour.Value %1").arg(rng.bounded(2)),
                  QStringLiteral("select frmmenu.File1 \"%1\"").arg(name),
                  QStringLiteral("click frmmenu.Command1"), QStringLiteral("key frmsaut 27")})
                driver.execute(line);
            // Followed by a replay in another program as it is played: after
            // every step the recorded events give the game played.
            tk::ScriptedServices follower(fx.folder(), &sink);
            zelk::ZelkProgram second(follower, true);
            auto follow = std::make_unique<zelk::ReplayRun>(second, *game.recording(), false);
            const int steps = 50 + rng.bounded(400);
            QString playing = name;
            bool padIn = false;
            for (int i = 0, games = rng.bounded(3); i < steps; ++i) {
                if (const zelk::frmaffpg* result = game.loadedAs<zelk::frmaffpg>()) {
                    lost += result->pictureName() == QLatin1String("perdu.JPG");
                    const QString over = dumpGame(game, services);
                    driver.execute(QStringLiteral("focus frmsaut out"));
                    QCOMPARE(dumpGame(game, services), over);  // an ended level is left alone
                    if (games-- == 0) break;
                    const qsizetype way = rng.bounded(4),
                                    warned = services.log().filter("Avertissement").size();
                    // Enter: "Niveau suivant" after a win, "Rejouer" after a loss.
                    const bool same = way < 2 || (way == 3 && result->pictureName() == "perdu.JPG");
                    const char* ways[] = {"key frmaffpg 82", "click frmaffpg.rejouer",
                                          "click frmaffpg.suivant", "key frmaffpg 13"};
                    driver.execute(QLatin1String(ways[way]));
                    if (!same && playing == QLatin1String("b.lev") &&
                        services.log().last().contains(QStringLiteral("c.lev")))  // said why
                        driver.execute(QStringLiteral("click frmaffpg.suivant"));
                    playing = same ? playing : playing == name ? QStringLiteral("b.lev") : name;
                    const zelk::frmsaut& g = *game.loadedAs<zelk::frmsaut>();
                    QVERIFY(!game.loadedAs<zelk::frmaffpg>() && g.pause.Visible &&
                            !g.Timer1.enabled());
                    QVERIFY(g.caption().endsWith(u'<' + playing + u'>'));
                    QCOMPARE(game.get<zelk::frmmenu>().File1.fileName(), playing);
                    QCOMPARE(services.log().filter("Avertissement").size(), warned);
                    driver.execute(QStringLiteral("key frmsaut 27"));
                    follow.reset();  // its options given back before the next one's are set
                    follow = std::make_unique<zelk::ReplayRun>(second, *game.recording(), false);
                    continue;
                }
                const zelk::frmsaut& g = *game.loadedAs<zelk::frmsaut>();
                const bool running = g.Timer1.enabled() && !g.pause.Visible,
                           before = g.pause.Visible, leaves = rng.bounded(25) == 0;
                const QString step = !leaves ? randomStep(rng, padIn)
                                             : QLatin1String(rng.bounded(2) ? "focus frmsaut out"
                                                                            : "minimise frmsaut");
                driver.execute(step);
                game.collectGarbage();
                // Leaving pauses a running level; nothing but Escape (or the
                // pad's Start) resumes one.
                if (leaves && running) QVERIFY(!g.Timer1.enabled() && !g.Timer3.enabled());
                if (before || (leaves && running))
                    QVERIFY2(g.pause.Visible || step == "key frmsaut 27" ||
                                 step == "pad frmsaut button start down",
                             qPrintable(step));
                if (leaves) driver.execute(QStringLiteral("set frmsaut.WindowState 0"));
                if (leaves && rng.bounded(2)) driver.execute(QStringLiteral("key frmsaut 27"));
                if (game.loadedAs<zelk::frmaffpg>()) continue;  // the end: replayed whole below
                follow->follow(*game.recording());
                QString where;
                QVERIFY2(follow->runAll(where),
                         qPrintable(QStringLiteral("seed %1, %2: %3").arg(seed).arg(step, where)));
                QCOMPARE(dumpGame(second, follower), dumpGame(game, services));
            }
            follow.reset();
            const QString end = dumpGame(game, services);
            const QString file = fx.path(QStringLiteral("partie.rejeu"));
            driver.execute(QStringLiteral("savereplay \"%1\"").arg(file));

            level::Replay replay;
            QVERIFY2(game.readReplay(file, replay), qPrintable(log));
            const zelk::frmaffpg* result = game.loadedAs<zelk::frmaffpg>();
            const level::Outcome expected = !result ? level::Outcome::Unfinished
                                            : result->pictureName() == QLatin1String("gagne.JPG")
                                                ? level::Outcome::Won
                                                : level::Outcome::Lost;
            QCOMPARE(replay.outcome, expected);
            won += expected == level::Outcome::Won;
            lost += expected == level::Outcome::Lost;
            unfinished += expected == level::Outcome::Unfinished;

            // Another program, another generator state, other options.
            tk::ScriptedServices again(fx.folder(), &sink);
            again.rng().reseed(12345);
            zelk::ZelkProgram fresh(again, true);
            level::Outcome outcome{};
            int ticks = 0;
            QString where;
            QVERIFY2(fresh.checkReplay(replay, outcome, ticks, where),
                     qPrintable(QStringLiteral("seed %1: %2").arg(seed).arg(where)));
            QCOMPARE(outcome, expected);
            QCOMPARE(ticks, replay.end.ticks);
            QCOMPARE(dumpGame(fresh, again), end);
            // The generator and the options are the player's again.
            QCOMPARE(again.rng().state(), 12345u);
            // With no window, every tick's state is the one the game screen
            // recorded.
            zelk::HeadlessRun headless;
            QVERIFY2(zelk::playHeadless(again, replay, headless),
                     qPrintable(QStringLiteral("seed %1: %2").arg(seed).arg(headless.where)));
            QCOMPARE(headless.outcome, expected);
            QCOMPARE(headless.ticks, replay.end.ticks);
            QCOMPARE(again.rng().state(), 12345u);

            // Shown with pauses put in and random keys: the same game, in time.
            QRandomGenerator viewer(seed);
            level::Replay paused = replay;
            for (qint64 pause = 0; level::ReplayEvent & e : paused.events)
                e.ms += pause += viewer.bounded(300) ? 0 : viewer.bounded(30000);
            zelk::ZelkProgram watched(again, true);
            qint64 now = 0, was = 0;
            bool over = false;
            zelk::ReplayRun run(watched, paused, false);
            run.runTimed([&](bool) { over = true; }, [&] { return now; });
            while (!over) {
                for (const QString& step : {QStringLiteral("ED").mid(viewer.bounded(6), 1),
                                            QString::number(now + viewer.bounded(900))})
                    watch(run, *watched.loadedAs<zelk::frmsaut>(), now, step);
                QVERIFY(run.reached() >= was && run.reached() <= run.length());
                was = run.reached();
            }
            zelk::ReplayRun through(fresh, paused, false);  // at once: time is frozen
            through.runTimed([](bool) {});
            QCOMPARE(dumpGame(watched, again), dumpGame(fresh, again));

            // "Enregistrer": a file in the way of rejeux/ is said; then the
            // level's name is cut to fit.
            fx.writeFile(QStringLiteral("rejeux"), "");
            game.keepReplay();
            QVERIFY(services.log().last().contains(QStringLiteral("un fichier porte déjà ce nom")));
            QFile::remove(fx.path(QStringLiteral("rejeux")));
            game.keepReplay();
            const QString kept =
                QDir(fx.path(QStringLiteral("rejeux"))).entryList(QDir::Files).value(0);
            QVERIFY(kept.startsWith(QFileInfo(playing).completeBaseName().left(114) + u'-') &&
                    kept.toUtf8().size() <= 255);

            // Shown, the player's options other than theirs: dropped on the
            // menu, again by "Revoir", and a shipped level's "SOLUTION".
            QDir(fx.folder()).mkdir(QStringLiteral("solutions"));
            QFile::copy(shipped("solutions", "rejeu"),
                        fx.path(QStringLiteral("solutions/s.rejeu")));
            QFile::copy(shipped("levels", "lev"), fx.path(QStringLiteral("s.lev")));
            zelk::ZelkProgram shows(again, true);
            tk::ScriptDriver d(shows, again, sink);
            for (const QString& line :
                 {QStringLiteral("start"), QStringLiteral("click avert.OKButton"),
                  QStringLiteral("set frmopt.nbg.Value %1").arg(50 + rng.bounded(50)),
                  QStringLiteral("set frmaut.vie.Value %1").arg(130 + rng.bounded(100)),
                  QStringLiteral("select frmmenu.File1 \"s.lev\"")})
                d.execute(line);
            const level::GameOptions mine = shows.gameOptions();
            const uint32_t random = again.rng().state();
            d.execute(QStringLiteral("drop frmmenu \"%1/rejeux/%2\"").arg(fx.folder(), kept));
            showEnded(shows, d, again, replay, mine, random);
            if (shows.loadedAs<zelk::frmaffpg>()) {
                d.execute(QStringLiteral("click frmaffpg.revoir"));
                showEnded(shows, d, again, replay, mine, random);
            }
            d.execute(QStringLiteral("click frmmenu.Solution"));
            level::Replay solution;
            QVERIFY(shows.readReplay(fx.path(QStringLiteral("solutions/s.rejeu")), solution));
            showEnded(shows, d, again, solution, mine, random);
            QCOMPARE(shows.get<zelk::frmaffpg>().pictureName(), QStringLiteral("gagne.JPG"));

            // A replay whose events were tampered with says where it stopped agreeing.
            if (replay.end.ticks > 60) {
                for (level::ReplayEvent& e : replay.events)
                    if (e.kind == level::ReplayEvent::Kind::Mouse) e.x = 15000 - e.x;
                zelk::ZelkProgram third(again, true);
                if (!third.checkReplay(replay, outcome, ticks, where))
                    QVERIFY2(where.contains(QStringLiteral("ligne")) ||
                                 where.contains(QStringLiteral("à la fin")),
                             qPrintable(where));
            }
        }
        // The storm reaches every ending.
        QVERIFY(won > 0);
        QVERIFY(lost > 0);
        QVERIFY(unfinished > 0);
    }

    // A seeded game's state moved by one ulp inside a random tick of its
    // playback (a state variable or an element's Left): the playback stops
    // at that tick. Played again, its digests are the recorded ones, and as
    // version 1 it has none and plays through.
    void digestsStopAtTheTickThatDiffers() {
        for (quint32 seed = 1; seed <= 24; ++seed) {
            QRandomGenerator rng(seed);
            testing::Fixture fx;
            fx.writeFile(QStringLiteral("a.lev"), randomLevel(rng));
            QString log;
            QTextStream sink(&log);
            zelk::ZelkProgram game(fx.services(), true);
            tk::ScriptDriver driver(game, fx.services(), sink);
            for (const char* line :
                 {"start", "click avert.OKButton", "select frmmenu.File1 \"a.lev\"",
                  "click frmmenu.Command1", "key frmsaut 27", "fire frmsaut.Timer1 30"})
                driver.execute(QLatin1String(line));
            bool padIn = false;
            for (int i = 0; i < 150 && !game.loadedAs<zelk::frmaffpg>(); ++i)
                driver.execute(randomStep(rng, padIn));
            level::Replay r;
            QString where;
            QVERIFY(level::parseReplay(level::formatReplay(*game.recording()),
                                       QStringLiteral("partie.rejeu"), r, where));
            const int ticks = r.end.ticks, at = 1 + rng.bounded(ticks);
            zelk::ZelkProgram other(fx.services(), true);
            {
                zelk::ReplayRun run(other, r, false);
                zelk::frmsaut& g = *other.loadedAs<zelk::frmsaut>();
                std::vector<tk::Element*> all;
                for (const QString& name : g.elementNames()) {
                    for (int i : g.arrayIndices(name))
                        all.push_back(g.element(name, i, true));
                    if (tk::Element* e = g.element(name, 0, false); e && name != "rejeu")
                        all.push_back(e);
                }
                // The state variables are the screen's own properties.
                const QMetaObject& meta = zelk::frmsaut::staticMetaObject;
                const int first = meta.propertyOffset(), vars = meta.propertyCount() - first;
                const int what = rng.bounded(2) ? rng.bounded(vars)
                                                : vars + rng.bounded(static_cast<int>(all.size()));
                g.Timer1.Tick = [&, tick = g.Timer1.Tick, n = 0]() mutable {
                    tick();
                    if (++n != at) return;
                    if (what >= vars) {
                        all[what - vars]->Left = std::nextafter(all[what - vars]->Left, 1e9f);
                        return;
                    }
                    const QMetaProperty p = meta.property(first + what);
                    const QVariant v = p.read(&g);
                    QVERIFY(p.write(&g, v.typeId() == QMetaType::Double
                                            ? QVariant(std::nextafter(v.toDouble(), 1e9))
                                        : v.typeId() == QMetaType::Float
                                            ? QVariant(std::nextafter(v.toFloat(), 1e9f))
                                            : QVariant(v.toInt() + 1)));
                    QVERIFY(p.read(&g) != v);
                };
                QVERIFY(!run.runAll(where));
                QCOMPARE(run.ticks(), at);
                QVERIFY2(
                    where.contains(
                        QStringLiteral(" de « partie.rejeu », après %1 ticks : l'état").arg(at)),
                    qPrintable(where));
            }
            level::Outcome outcome{};
            int played = 0;
            level::Replay retaken, v1 = r;
            QVERIFY(other.checkReplay(r, outcome, played, where, &retaken));
            for (size_t i = 0; i < r.events.size(); ++i)
                QVERIFY(retaken.events[i].digest == r.events[i].digest);
            v1.version = 1;
            QVERIFY(level::parseReplay(level::formatReplay(v1), QStringLiteral("v1"), v1, where));
            for (const level::ReplayEvent& e : v1.events)
                QVERIFY(!e.digest);
            QVERIFY2(other.checkReplay(v1, outcome, played, where), qPrintable(where));
            QCOMPARE(played, ticks);
        }
    }

    // A shipped game with half-minute pauses put in at 0:05 and 0:10: what
    // the line says after each key or real time (ms).
    void showLineSaysWhereTheShowIs() {
        testing::Fixture fx;
        zelk::ZelkProgram program(fx.services(), true);
        level::Replay r;
        QVERIFY(program.readReplay(shipped("solutions", "rejeu"), r));
        for (level::ReplayEvent& e : r.events)
            e.ms += (e.ms > 5000) * 30000 + (e.ms > 10000) * 30000;
        qint64 now = 0;
        zelk::ReplayRun run(program, r, false);
        run.runTimed([](bool) {}, [&] { return now; });
        zelk::frmsaut& game = *program.loadedAs<zelk::frmsaut>();
        const char* steps[][2] = {{"4000", "×1 — 0:04"}, {"5500", "×1 — 0:05"},
                                  {"6100", "×1 — 0:35"}, {"E", "×4 — 0:35"},
                                  {"6600", "×4 — 0:37"}, {"E", "×1 — 0:37"},
                                  {"D", "×1 — 0:47"},    {"7500", "×1 — 0:48"},
                                  {"7700", "×1 — 1:10"}, {"D", ""}};
        for (const auto& [step, said] : steps) {
            watch(run, game, now, QString::fromUtf8(step));
            const QString line = QStringLiteral("Rejeu %1 / 1:15 — Échap : quitter").arg(said);
            QCOMPARE(game.rejeu.Caption, *said ? line : QString());
        }
    }

    // At the readers' bound and past it, options the game cannot hold,
    // control characters: each says its true reason, controls shown as "?".
    void hostileReplaysSayWhy_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("said");
        QFile f(shipped("solutions", "rejeu"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray won = f.readAll(), a = "0 souris move 0 0 1.", b = " 0\n";
        // A first move, its number padded to the bound.
        QByteArray full = won;
        full.insert(
            won.indexOf("\n0 ") + 1,
            a + QByteArray(level::kMaxReplayBytes - won.size() - a.size() - b.size(), '0') + b);
        QTest::newRow("at the bound") << full << "gagné";
        QTest::newRow("a byte more") << full + '\n' << "trop grand (plus de 32 Mio)";
        const auto with = [&](const char* from, const char* to) {
            return QByteArray(won).replace(from, to);
        };
        QTest::newRow("life") << with(" 125 4\n", " 32767 4\n")
                              << "« 32767 » n'est pas un nombre entier de 10 à 250";
        QTest::newRow("tick") << with("vitesse 18", "vitesse 51") << "de 1 à 50, ou 200";
        QTest::newRow("controls in a name")
            << with("18 minuterie Timer1", "18 minuterie T%00%1B%5B2J") << "minuterie « T??[2J »";
    }
    void hostileReplaysSayWhy() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, said);
        testing::Fixture fx;
        fx.writeFile(QStringLiteral("r\x1b.rejeu"), bytes);
        zelk::ZelkProgram program(fx.services(), true);
        level::Replay r;
        level::Outcome outcome{};
        int ticks = 0;
        QString where;
        if (program.readReplay(fx.path(QStringLiteral("r\x1b.rejeu")), r) &&
            program.checkReplay(r, outcome, ticks, where))
            where = QStringLiteral("gagné");
        where += fx.takeLog().join(u' ');
        QVERIFY2(where.contains(said), qPrintable(where));
        for (QChar c : where)
            QVERIFY2(c.unicode() >= 32, qPrintable(where));
    }
};

QTEST_MAIN(TestReplays)
#include "test_replays.moc"
