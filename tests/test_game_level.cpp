// A level from start to end: "JOUER", the screen's setup, unreadable levels,
// the counters and gauges, won and lost, the result screen and back to the menu.
#include <QImage>

#include "game_support.h"

using testing::Field;
using testing::Game;
using testing::levelLine;

namespace {
const QString kWarning = QStringLiteral(
    "msgbox \"Avertissement!\" \"Attention! Verifiez que vous êtes passez en 1024*768 et que le "
    "menu démarrer soit bien abaissé   \" 64 -> 1");
}

class TestGameLevel : public QObject {
    Q_OBJECT
private slots:
    void levelStartBuildsAFreshPausedScreen() {
        Game g;
        g.play(levelLine(1, 23, 3, 9, "10"), QStringLiteral("niveau1.lev"));
        QCOMPARE(g.fx.takeLog(), (QStringList{kWarning, QStringLiteral("show frmsaut")}));
        auto& s = *g.game();
        QCOMPARE(s.caption(), QStringLiteral("!! Zelk !!      <niveau1.lev>"));
        QCOMPARE(s.width(), 15360.0f);
        QCOMPARE(s.scaleWidth(), 15210.0f);
        QCOMPARE(s.scaleHeight(), 11010.0f);
        QVERIFY(s.visible());
        // The level's platform 1 at Shape1(2), in the stored order top, left, height, width.
        QCOMPARE(s.Shape1(2).Top, 8520.0f);
        QCOMPARE(s.Shape1(2).Left, 1920.0f);
        QCOMPARE(s.Shape1(2).Height, 1695.0f);
        QCOMPARE(s.Shape1(2).Width, 1095.0f);
        QCOMPARE(s.Shape1(1).Left, -240.0f);
        // Green frogs on the level's platforms, not the layout's.
        QCOMPARE(s.mech2(3).Top, 5400.0f - 555);
        QCOMPARE(s.mech2(3).Left, 3320.0f);
        QCOMPARE(s.mech2(1).Top, 10125.0f);
        QCOMPARE(s.mech2(1).Left, -40.0f);
        QCOMPARE(s.nbvertes, int16_t(3));
        QVERIFY(s.mech2(3).Visible && !s.mech2(4).Visible);
        QVERIFY(s.mech3.Visible);
        QCOMPARE(s.nbf.Caption, QStringLiteral("10"));
        QCOMPARE(s.energie, 12500.0);
        QCOMPARE(s.attente, int16_t(5));
        QCOMPARE(s.retouroiseau, int16_t(5));
        QCOMPARE(s.basesaut, int16_t(10320));
        QVERIFY(s.pause.Visible && s.pause2.Visible);
        QVERIFY(!s.Timer1.enabled() && !s.Timer2.enabled() && s.Timer3.enabled());
        QCOMPARE(s.Timer1.interval(), 18);
        QCOMPARE(s.backColor(), QColor(128, 128, 255));
        QCOMPARE(s.tem.pictureName(), QStringLiteral("sol.gif"));
        QVERIFY(!s.tem.image.isNull());  // a drawn sun stands in for the missing file
        // The level's options are now the enemy options.
        QCOMPARE(g.opt().ois.value(), 1);
        QCOMPARE(g.opt().vitois.value(), 23);
        QCOMPARE(g.opt().nb.value(), 3);
        QCOMPARE(g.opt().nbg.value(), 9);
        QCOMPARE(g.opt().nbf.text(), QStringLiteral("10"));
        // Nothing moves while paused.
        s.Timer1.fire();
        s.Timer2.fire();
        QCOMPARE(s.joueur.Left, 13920.0f);
        QCOMPARE(s.nbgris, int16_t(0));
    }

    void setupFollowsTheOptions_data() {
        QTest::addColumn<QByteArray>("level");
        QTest::addColumn<int>("vie");
        QTest::addColumn<int>("dep");
        QTest::addColumn<bool>("lag");
        QTest::addColumn<bool>("day");
        QTest::addColumn<int>("greens");
        QTest::addColumn<QString>("vials");
        QTest::addColumn<double>("energie");
        QTest::addColumn<int>("interval");
        QTest::newRow("no green frog") << levelLine(0, 10, 0, 15, "2") << 125 << 18 << false << true
                                       << 0 << "2" << 12500.0 << 18;
        QTest::newRow("seven green frogs") << levelLine(0, 10, 7, 15, "2") << 125 << 18 << false
                                           << true << 7 << "2" << 12500.0 << 18;
        QTest::newRow("no vial chosen") << levelLine(0, 10, 1, 15, "") << 125 << 18 << false << true
                                        << 1 << "0" << 12500.0 << 18;
        QTest::newRow("hardest") << levelLine(0, 10, 1, 15, "2") << 10 << 18 << false << true << 1
                                 << "2" << 1000.0 << 18;
        QTest::newRow("easiest") << levelLine(0, 10, 1, 15, "2") << 250 << 18 << false << true << 1
                                 << "2" << 25000.0 << 18;
        QTest::newRow("fastest tick") << levelLine(0, 10, 1, 15, "2") << 125 << 1 << false << true
                                      << 1 << "2" << 12500.0 << 1;
        QTest::newRow("lag") << levelLine(0, 10, 1, 15, "2") << 125 << 1 << true << true << 1 << "2"
                             << 12500.0 << 200;
        QTest::newRow("night") << levelLine(0, 10, 1, 15, "2") << 125 << 18 << false << false << 1
                               << "2" << 12500.0 << 18;
    }
    void setupFollowsTheOptions() {
        QFETCH(QByteArray, level);
        QFETCH(int, vie);
        QFETCH(int, dep);
        QFETCH(bool, lag);
        QFETCH(bool, day);
        QFETCH(int, greens);
        QFETCH(QString, vials);
        QFETCH(double, energie);
        QFETCH(int, interval);
        Game g;
        g.aut().vie.setValue(vie);
        g.aut().dep.setValue(dep);
        g.aut().ram.setValue(lag ? 1 : 0);
        (day ? g.aut().jour : g.aut().nuit).setValue(true);
        g.play(level);
        QStringList log = g.fx.takeLog();
        QCOMPARE(log.value(0).contains(QLatin1String("mode ramage")), lag);
        auto& s = *g.game();
        for (int k = 1; k <= zelk::kShapeCount; ++k)
            QCOMPARE(s.mech2(k).Visible, k <= greens);
        QCOMPARE(s.nbvertes, int16_t(greens));
        QCOMPARE(s.nbf.Caption, vials);
        QCOMPARE(s.energie, energie);
        QCOMPARE(s.Timer1.interval(), interval);
        QCOMPARE(s.backColor(), day ? QColor(128, 128, 255) : QColor(0, 0, 128));
        QCOMPARE(s.tem.pictureName(), day ? QStringLiteral("sol.gif") : QStringLiteral("lune.gif"));
        s.chars();
        QCOMPARE(s.vie.Width, 1815.0f);
    }

    void lagWarningFollowsTheThreeBlanks() {
        Game g;
        g.aut().ram.setValue(1);
        g.play(levelLine(0, 10, 1, 15, "2"));
        QCOMPARE(g.fx.takeLog().value(0),
                 QStringLiteral("msgbox \"Avertissement!\" \"Attention! Verifiez que vous êtes "
                                "passez en 1024*768 et que le menu démarrer soit bien abaissé   "
                                "Attention!, vous êtes en mode ramage, le jeu va donc simuler ce "
                                "jeu en jeu qui rame!\" 64 -> 1"));
    }

    void skyPicturesComeFromTheProgramFolder() {
        Game g;
        QImage sun(20, 30, QImage::Format_RGB32);
        sun.fill(Qt::red);
        QVERIFY(sun.save(g.fx.path(QStringLiteral("sol.gif")), "GIF") ||
                sun.save(g.fx.path(QStringLiteral("sol.gif")), "PNG"));
        g.play(levelLine(0, 10, 1, 15, "2"));
        QCOMPARE(g.game()->tem.image.size(), QSize(20, 30));
    }

    // Unreadable levels: the warning, then a message naming the file and the
    // problem; no game screen, the options untouched.
    void unreadableLevelChangesNothing_data() {
        QTest::addColumn<QByteArray>("content");  // null: no file at all
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << QByteArray() << "le fichier ou son dossier n'existe pas.";
        QTest::newRow("empty") << QByteArray("") << "le fichier est vide.";
        QTest::newRow("short") << QByteArray("1,2,3\r\n") << "le fichier s'arrête après 3 champs";
        QTest::newRow("not a number") << levelLine(0, 10, 1, 15, "2").replace("8520", "abc")
                                      << "(« abc ») n'est pas un nombre";
        QTest::newRow("16-bit overflow")
            << levelLine(0, 10, 1, 15, "2").replace("8520", "40000") << "entier de 16 bits";
        QTest::newRow("negative width")
            << levelLine(0, 10, 1, 15, "2").replace(",1095,", ",-5,") << "est négatif";
        QTest::newRow("seven frogs too many") << levelLine(0, 10, 8, 15, "2") << "hors des limites";
        QTest::newRow("eleven vials") << levelLine(0, 10, 1, 15, "11") << "nombre de fioles";
    }
    void unreadableLevelChangesNothing() {
        QFETCH(QByteArray, content);
        QFETCH(QString, problem);
        Game g;
        // A level played before, so that there is a game screen to keep.
        g.play(levelLine(1, 30, 2, 5, "3"), QStringLiteral("bon.lev"));
        zelk::frmsaut* before = g.game();
        QVERIFY(before);
        if (!content.isNull())
            g.fx.writeFile(QStringLiteral("mauvais.lev"), content);
        else
            g.fx.writeFile(QStringLiteral("mauvais.lev"), "x");  // listed, then removed
        zelk::frmmenu& menu = g.program.get<zelk::frmmenu>();
        menu.File1.refresh();
        menu.File1.setFileName(QStringLiteral("mauvais.lev"));
        if (content.isNull()) QFile::remove(g.fx.path(QStringLiteral("mauvais.lev")));
        g.fx.takeLog();
        menu.Command1.click();
        const QStringList log = g.fx.takeLog();
        QCOMPARE(log.size(), 2);
        QCOMPARE(log[0], kWarning);
        QVERIFY2(log[1].startsWith(QStringLiteral("msgbox \"Niveau illisible\" \"Le niveau « "
                                                  "mauvais.lev » ne peut pas être lu : ")),
                 qPrintable(log[1]));
        QVERIFY2(log[1].contains(problem), qPrintable(log[1]));
        QVERIFY(log[1].endsWith(QLatin1String(" 16 -> 1")));
        QCOMPARE(g.game(), before);
        QCOMPARE(g.opt().ois.value(), 1);
        QCOMPARE(g.opt().vitois.value(), 30);
        QCOMPARE(g.opt().nb.value(), 2);
        QCOMPARE(g.opt().nbg.value(), 5);
        QCOMPARE(g.opt().nbf.text(), QStringLiteral("3"));
    }

    void noLevelSelectedDoesNothing() {
        Game g;
        g.program.get<zelk::frmmenu>().Command1.click();
        QVERIFY(g.fx.takeLog().isEmpty());
        QVERIFY(!g.game());
    }

    void countersShowWhatIsLeft_data() {
        QTest::addColumn<int>("nbg");
        QTest::addColumn<int>("nb");
        QTest::addColumn<int>("tuesgris");
        QTest::addColumn<int>("greensKilled");
        QTest::addColumn<QString>("label1");
        QTest::addColumn<QString>("label3");
        QTest::newRow("nbg 4, nb 2, nothing killed")
            << 4 << 2 << 0 << 0 << "6 ennemies restants à tuer"
            << "( grenouilles grises:  4    -    grenouilles vertes:  2 )";
        QTest::newRow("5 grey and 3 green left")
            << 8 << 4 << 3 << 1 << "8 ennemies restants à tuer"
            << "( grenouilles grises:  5    -    grenouilles vertes:  3 )";
        QTest::newRow("all killed") << 0 << 0 << 0 << 0 << "0 ennemies restants à tuer"
                                    << "( grenouilles grises:  0    -    grenouilles vertes:  0 )";
    }
    void countersShowWhatIsLeft() {
        QFETCH(int, nbg);
        QFETCH(int, nb);
        QFETCH(int, tuesgris);
        QFETCH(int, greensKilled);
        QFETCH(QString, label1);
        QFETCH(QString, label3);
        Field field;
        field.play(levelLine(0, 10, nb, nbg, "2"));
        auto& s = field.game;
        s.tuesgris = static_cast<int16_t>(tuesgris);
        for (int k = 1; k <= greensKilled; ++k)
            s.mech2(k).Visible = false;
        s.Timer3.fire();
        QCOMPARE(s.Label1.Caption, label1);
        QCOMPARE(s.Label3.Caption, label3);
    }

    void gaugesFollowPowerAndEnergy_data() {
        QTest::addColumn<int>("puiss");
        QTest::addColumn<double>("energie");
        QTest::addColumn<float>("jump");
        QTest::addColumn<float>("life");
        QTest::newRow("power 900: a fifth") << 900 << 12500.0 << 363.0f << 1815.0f;
        QTest::newRow("power 4590: past the frame") << 4590 << 6250.0 << 1851.3f << 907.5f;
        QTest::newRow("no power") << 0 << 1.0 << 0.0f << 0.1452f;
        QTest::newRow("energy 0") << 0 << 0.0 << 0.0f << 1.0f;
        QTest::newRow("energy -3") << 0 << -3.0 << 0.0f << 1.0f;
    }
    void gaugesFollowPowerAndEnergy() {
        QFETCH(int, puiss);
        QFETCH(double, energie);
        QFETCH(float, jump);
        QFETCH(float, life);
        Field field;
        auto& s = field.game;
        s.puiss = static_cast<int16_t>(puiss);
        s.energie = energie;
        s.delai = 50;
        s.chars();
        QCOMPARE(s.hsauts.Width, jump);
        QCOMPARE(s.vie.Width, life);
        QCOMPARE(s.delai, 49.0);
    }

    void unusedChargeRunsOut() {
        Field field;
        auto& s = field.game;
        s.sceneMouseDown(tk::LeftButton, 0, 0, 0);
        s.puiss = 2000;
        s.sceneMouseUp(tk::LeftButton, 0, 0, 0);
        QCOMPARE(s.delai, zelk::kChargeWindow);
        for (int t = 1; t < zelk::kChargeWindow; ++t)
            s.chars();
        QCOMPARE(s.puiss, int16_t(2000));
        s.chars();
        QCOMPARE(s.puiss, int16_t(0));
        QCOMPARE(s.hsauts.Width, 0.0f);
        // A jump started in time is not affected.
        s.puiss = 2000;
        s.etat = jump::Standing;
        s.sceneMouseDown(tk::RightButton, 0, 0, 0);
        for (int t = 0; t < 300; ++t)
            s.chars();
        QCOMPARE(s.puiss, int16_t(2000));
    }

    void levelEnds_data() {
        QTest::addColumn<int>("tuesgris");
        QTest::addColumn<bool>("greensDead");
        QTest::addColumn<double>("energie");
        QTest::addColumn<QString>("picture");  // empty: the level goes on
        QTest::newRow("won") << 5 << true << 10.0 << "gagne.JPG";
        QTest::newRow("greens dead, greys left") << 4 << true << 10.0 << "";
        QTest::newRow("greys dead, a green left") << 5 << false << 10.0 << "";
        QTest::newRow("lost") << 0 << false << 0.0 << "perdu.JPG";
        QTest::newRow("lost at -3") << 0 << false << -3.0 << "perdu.JPG";
        QTest::newRow("won and lost: lost") << 5 << true << -3.0 << "perdu.JPG";
    }
    void levelEnds() {
        QFETCH(int, tuesgris);
        QFETCH(bool, greensDead);
        QFETCH(double, energie);
        QFETCH(QString, picture);
        Game g;
        g.play(levelLine(0, 10, 2, 5, "2"));
        auto& s = *g.game();
        s.deliverKeyPress(tk::key::Escape);
        g.fx.takeLog();
        s.tuesgris = static_cast<int16_t>(tuesgris);
        if (greensDead) s.mech2(1).Visible = s.mech2(2).Visible = false;
        s.energie = energie;
        s.pg();
        auto* result = g.program.loadedAs<zelk::frmaffpg>();
        QCOMPARE(result != nullptr, !picture.isEmpty());
        QCOMPARE(s.Timer1.enabled(), picture.isEmpty());
        QCOMPARE(s.Timer2.enabled(), picture.isEmpty());
        QVERIFY(s.Timer3.enabled());
        if (!result) return;
        QCOMPARE(result->property("Picture").toString(), picture);
        QVERIFY(result->visible());
        QCOMPARE(result->caption(), QStringLiteral("PG"));
        QCOMPARE(result->scaleWidth(), 10950.0f);
        QCOMPARE(result->scaleHeight(), 8250.0f);
        QCOMPARE(result->menu.caption(), QStringLiteral("Menu"));
        QCOMPARE(QRectF(result->menu.left(), result->menu.top(), result->menu.width(),
                        result->menu.height()),
                 QRectF(8760, 7560, 1935, 615));
    }

    void wonInTheFirstTickWithNothingToKill() {
        Game g;
        g.play(levelLine(0, 10, 0, 0, "2"));
        auto& s = *g.game();
        s.deliverKeyPress(tk::key::Escape);
        g.fx.takeLog();
        s.Timer1.fire();
        QCOMPARE(g.fx.takeLog(), QStringList{QStringLiteral("show frmaffpg")});
        QCOMPARE(g.program.get<zelk::frmaffpg>().pictureName(), QStringLiteral("gagne.JPG"));
        QVERIFY(!s.Timer1.enabled());
        // Escape twice after the end: the next tick ends the level again.
        s.deliverKeyPress(tk::key::Escape);
        s.deliverKeyPress(tk::key::Escape);
        QVERIFY(s.Timer1.enabled() && s.Timer2.enabled() && s.Timer3.enabled());
        s.Timer1.fire();
        QCOMPARE(g.fx.takeLog(), QStringList{QStringLiteral("show frmaffpg")});
        QVERIFY(!s.Timer1.enabled());
    }

    void resultPictureFromTheFolderOrAStandIn() {
        Game g;
        QImage won(64, 48, QImage::Format_RGB32);
        won.fill(Qt::green);
        QVERIFY(won.save(g.fx.path(QStringLiteral("gagne.JPG")), "JPG"));
        g.play(levelLine(0, 10, 0, 0, "2"));
        auto& s = *g.game();
        s.pg();
        auto& result = g.program.get<zelk::frmaffpg>();
        QCOMPARE(result.pictureName(), QStringLiteral("gagne.JPG"));
        QImage shot = result.window()->grab().toImage();
        QVERIFY(qGreen(shot.pixel(5, 5)) > 200 && qRed(shot.pixel(5, 5)) < 60);
        s.energie = 0;
        s.pg();
        QCOMPARE(result.pictureName(), QStringLiteral("perdu.JPG"));
        shot = result.window()->grab().toImage();
        QVERIFY(qGreen(shot.pixel(5, 5)) < 200 || qRed(shot.pixel(5, 5)) > 60);
    }

    // Back to the menu and again, many times: nothing is left behind.
    void menuButtonReturnsAndNothingLeaks() {
        Game g;
        g.fx.writeFile(QStringLiteral("autre.lev"), levelLine(1, 10, 1, 15, "2"));
        g.play(levelLine(0, 10, 0, 0, "2"), QStringLiteral("vite.lev"));
        const int loaded = g.program.loadedCount();
        zelk::frmmenu& menu = g.program.get<zelk::frmmenu>();
        const QString summary = menu.un.Caption;
        QVERIFY(!summary.isEmpty());
        for (int round = 0; round < 5; ++round) {
            if (round > 0) g.play(QByteArray(), QStringLiteral("vite.lev"));
            auto& s = *g.game();
            QCOMPARE(s.mech1.indices(), std::vector<int>{0});
            s.deliverKeyPress(tk::key::Escape);
            g.opt().nbg.setValue(10);
            for (int t = 0; t < 3; ++t)
                s.Timer2.fire();  // more grey frogs
            QCOMPARE(s.mech1.indices(), (std::vector<int>{0, 1, 2, 3}));
            s.tuesgris = 10;
            s.Timer1.fire();
            auto& result = g.program.get<zelk::frmaffpg>();
            g.fx.takeLog();
            result.menu.click();
            g.program.collectGarbage();
            QCOMPARE(g.fx.takeLog(),
                     (QStringList{QStringLiteral("show frmmenu"), QStringLiteral("unload frmsaut"),
                                  QStringLiteral("unload frmaffpg")}));
            QVERIFY(!g.game());
            QVERIFY(!g.program.loadedAs<zelk::frmaffpg>());
            QCOMPARE(g.program.loadedCount(), loaded - 1);
            QCOMPARE(menu.File1.fileName(), QStringLiteral("vite.lev"));
            QCOMPARE(menu.un.Caption, summary);
        }
    }

    void aNewLevelReplacesTheGameScreen() {
        Game g;
        g.play(levelLine(0, 10, 1, 15, "2"), QStringLiteral("a.lev"));
        QPointer<zelk::frmsaut> first = g.game();
        first->deliverKeyPress(tk::key::Escape);
        first->spawn();
        g.play(levelLine(0, 10, 1, 15, "2"), QStringLiteral("b.lev"));
        QVERIFY(!first);  // destroyed
        auto& s = *g.game();
        QCOMPARE(s.caption(), QStringLiteral("!! Zelk !!      <b.lev>"));
        QCOMPARE(s.nbgris, int16_t(0));
        QCOMPARE(s.mech1.indices(), std::vector<int>{0});
        QVERIFY(s.pause.Visible);
    }
};

QTEST_MAIN(TestGameLevel)
#include "test_game_level.moc"
