// The player: following the mouse, the walls, charging and making a jump,
// landing, walking off a platform, the keys, and which elements take the mouse.
#include "game/reach.h"
#include "game_support.h"
#include "toolkit/scriptdriver.h"

using Key = level::ReplayEvent::Action;
using testing::Field;
using testing::Game;

namespace {
// The layout's player and platforms, twips.
constexpr float kSide = 375;         // the player's width and height
constexpr float kGroundTop = 10680;  // Shape1(1)
constexpr float kStandOnGround = kGroundTop - kSide;
// Platform 4 of the layout (Shape1(5)): left 5040, top 6240, width 2295.
constexpr float kP4Left = 5040, kP4Top = 6240, kP4Right = 5040 + 2295;
}  // namespace

class TestGamePlayer : public QObject {
    Q_OBJECT
private slots:
    void wallsKeepThePlayerOnScreen_data() {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("after");
        QTest::newRow("left of the screen") << -5.0f << 10.0f;
        QTest::newRow("exactly 0 stays") << 0.0f << 0.0f;
        QTest::newRow("right of the wall") << 14800.0f << zelk::kRightEdge;
        QTest::newRow("on the wall") << zelk::kRightEdge << zelk::kRightEdge;
    }
    void wallsKeepThePlayerOnScreen() {
        QFETCH(float, left);
        QFETCH(float, after);
        Field field;
        auto& s = field.game;
        s.joueur.Left = left;
        s.com();
        QCOMPARE(s.joueur.Left, after);
    }

    void playerWalksTowardsTheMouse_data() {
        QTest::addColumn<qint16>("etat");
        QTest::addColumn<float>("offset");  // mouse relative to the player's centre
        QTest::addColumn<float>("moved");
        QTest::newRow("standing, 50 right: dead zone") << jump::Standing << 50.0f << 0.0f;
        QTest::newRow("standing, 50 left") << jump::Standing << -50.0f << -90.0f;
        QTest::newRow("standing, on the centre") << jump::Standing << 0.0f << 0.0f;
        QTest::newRow("standing, 90 right") << jump::Standing << 90.0f << 90.0f;
        QTest::newRow("standing, 89.5 right: back again") << jump::Standing << 89.5f << 0.0f;
        QTest::newRow("standing, far right") << jump::Standing << 3000.0f << 90.0f;
        QTest::newRow("in the air, far right") << jump::Falling << 3000.0f << 70.0f;
        QTest::newRow("in the air, far left") << jump::Rising << -3000.0f << -70.0f;
    }
    void playerWalksTowardsTheMouse() {
        QFETCH(qint16, etat);
        QFETCH(float, offset);
        QFETCH(float, moved);
        Field field;
        auto& s = field.game;
        s.joueur.Left = 5000;
        s.etat = etat;
        s.sourisx = 5000 + kSide / 2 + offset;
        s.pcemouv();
        QCOMPARE(s.joueur.Left, 5000 + moved);
    }

    void holdingTheLeftButtonChargesThePower() {
        Field field;
        auto& s = field.game;
        s.sourisx = s.joueur.Left + kSide / 2;
        s.charge = 1;
        for (int t = 1; t <= 26; ++t)
            s.pcemouv();
        QCOMPARE(s.puiss, int16_t(4420));
        s.pcemouv();
        QCOMPARE(s.puiss, int16_t(4590));  // one tick past the limit
        s.pcemouv();
        QCOMPARE(s.puiss, zelk::kPowerMax);
        s.pcemouv();
        QCOMPARE(s.puiss, zelk::kPowerMax);
        s.charge = 0;
        s.pcemouv();
        QCOMPARE(s.puiss, zelk::kPowerMax);
    }

    // Tops the player passes through, tick by tick, from a jump off the ground.
    void jumpRisesToThePowerPausesAndFalls_data() {
        QTest::addColumn<int>("puiss");
        QTest::addColumn<QList<float>>("rise");
        QTest::newRow("1000") << 1000 << QList<float>{10030, 9755, 9480, 9205};
        QTest::newRow("275 exactly") << 275 << QList<float>{10030};
        QTest::newRow("276 overshoots") << 276 << QList<float>{10030, 9755};
    }
    void jumpRisesToThePowerPausesAndFalls() {
        QFETCH(int, puiss);
        QFETCH(QList<float>, rise);
        Field field;
        auto& s = field.game;
        // The layout has the player a little in the ground; the first tick lifts him.
        QCOMPARE(s.joueur.Top, 10320.0f);
        s.saut();
        QCOMPARE(s.joueur.Top, kStandOnGround);
        QCOMPARE(s.basesaut, int16_t(10305));
        for (int nth = 1; nth <= 2; ++nth) {
            s.puiss = static_cast<int16_t>(puiss);
            s.etat = jump::Rising;
            QList<float> tops;
            while (s.etat == jump::Rising) {
                s.saut();
                if (s.etat == jump::Rising) tops << s.joueur.Top;
            }
            QCOMPARE(tops, rise);
            QCOMPARE(s.etat, jump::Pausing);
            const float top = s.joueur.Top;
            int pause = 0;
            while (s.etat == jump::Pausing) {
                s.saut();
                ++pause;
                QCOMPARE(s.joueur.Top, top);
            }
            // The first top of a level lasts six ticks, every later one one.
            QCOMPARE(pause, nth == 1 ? 6 : 1);
            QCOMPARE(s.etat, jump::Falling);
            s.saut();
            QCOMPARE(s.joueur.Top, top + 150);
            for (int t = 0; t < 100 && s.etat != jump::Standing; ++t)
                s.saut();
            QCOMPARE(s.etat, jump::Standing);
            QCOMPARE(s.joueur.Top, kStandOnGround);
            QCOMPARE(s.puiss, int16_t(0));
        }
    }

    void jumpWithoutChargeEndsAtOnce() {
        Field field;
        auto& s = field.game;
        s.saut();
        s.puiss = 0;
        s.etat = jump::Rising;
        s.saut();
        QCOMPARE(s.etat, jump::Pausing);
        QCOMPARE(s.joueur.Top, kStandOnGround);
        // Pausing on the ground's top counts as landing on it, before the pause
        // is counted down.
        s.saut();
        QCOMPARE(s.etat, jump::Standing);
        QCOMPARE(s.plateau, int16_t(1));
        QCOMPARE(s.attente, int16_t(5));
    }

    void fallingPlayerLandsWithinTheDepth_data() {
        QTest::addColumn<qint16>("etat");
        QTest::addColumn<float>("depth");   // bottom below the platform's top
        QTest::addColumn<float>("centre");  // the player's centre
        QTest::addColumn<bool>("lands");
        QTest::newRow("on the top") << jump::Falling << 0.0f << 6000.0f << true;
        QTest::newRow("100 below") << jump::Falling << 100.0f << 6000.0f << true;
        QTest::newRow("199 below") << jump::Falling << 199.0f << 6000.0f << true;
        QTest::newRow("200 below") << jump::Falling << 200.0f << 6000.0f << false;
        QTest::newRow("1 above") << jump::Falling << -1.0f << 6000.0f << false;
        QTest::newRow("pausing at the top") << jump::Pausing << 100.0f << 6000.0f << true;
        QTest::newRow("rising") << jump::Rising << 100.0f << 6000.0f << false;
        QTest::newRow("centre on the left edge") << jump::Falling << 50.0f << kP4Left << true;
        QTest::newRow("centre on the right edge") << jump::Falling << 50.0f << kP4Right << true;
        QTest::newRow("centre just left of it")
            << jump::Falling << 50.0f << kP4Left - 0.5f << false;
        QTest::newRow("centre just right of it")
            << jump::Falling << 50.0f << kP4Right + 0.5f << false;
    }
    void fallingPlayerLandsWithinTheDepth() {
        QFETCH(qint16, etat);
        QFETCH(float, depth);
        QFETCH(float, centre);
        QFETCH(bool, lands);
        Field field;
        auto& s = field.game;
        s.etat = etat;
        s.puiss = 800;
        s.attente = 0;
        s.joueur.Left = centre - kSide / 2;
        s.joueur.Top = kP4Top + depth - kSide;
        s.saut();
        if (lands) {
            QCOMPARE(s.etat, jump::Standing);
            QCOMPARE(s.joueur.Top, kP4Top - kSide);
            QCOMPARE(s.basesaut, int16_t(kP4Top - kSide));
            QCOMPARE(s.plateau, int16_t(5));
            QCOMPARE(s.puiss, int16_t(0));
        } else {
            QVERIFY(s.etat != jump::Standing);
            QVERIFY(s.plateau != 5);
        }
    }

    void walkingOffAPlatformStartsAFallAtOnce_data() {
        QTest::addColumn<float>("centre");
        QTest::addColumn<float>("top");  // after the tick
        QTest::newRow("centre on the right end") << kP4Right << kP4Top - kSide;
        QTest::newRow("centre past the right end") << kP4Right + 0.5f << kP4Top - kSide + 150;
        QTest::newRow("centre past the left end") << kP4Left - 0.5f << kP4Top - kSide + 150;
    }
    void walkingOffAPlatformStartsAFallAtOnce() {
        QFETCH(float, centre);
        QFETCH(float, top);
        Field field;
        auto& s = field.game;
        s.plateau = 5;
        s.etat = jump::Standing;
        s.joueur.Top = kP4Top - kSide;
        s.joueur.Left = centre - kSide / 2;
        s.saut();
        QCOMPARE(s.joueur.Top, top);
    }

    void theGroundCatchesEveryone() {
        Field field;
        auto& s = field.game;
        s.etat = jump::Rising;
        s.puiss = 3000;
        s.joueur.Top = kGroundTop - 100;  // bottom 275 below the ground's top
        s.saut();
        QCOMPARE(s.joueur.Top, kStandOnGround);
        QCOMPARE(s.puiss, int16_t(0));
        QCOMPARE(s.basesaut, int16_t(kStandOnGround));
        // Rising again in the same tick: the state set by the ground is acted on.
        QCOMPARE(s.etat, jump::Standing);
    }

    void escapeTogglesThePauseAndEnterDropsAVial() {
        Field field;
        field.play(testing::levelLine(0, 10, 1, 15, "2"));
        auto& s = field.game;
        QVERIFY(s.pause.Visible && s.pause2.Visible);
        QVERIFY(!s.Timer1.enabled() && !s.Timer2.enabled() && s.Timer3.enabled());
        s.key(Key::Down, 27);
        s.key(Key::Press, 27);
        QVERIFY(!s.pause.Visible && !s.pause2.Visible);
        QVERIFY(s.Timer1.enabled() && s.Timer2.enabled() && s.Timer3.enabled());
        s.key(Key::Down, 27);
        s.key(Key::Press, 27);
        QVERIFY(s.pause.Visible && s.pause2.Visible);
        QVERIFY(!s.Timer1.enabled() && !s.Timer2.enabled() && !s.Timer3.enabled());
        // Enter works while paused, once the player stands on the ground.
        field.fx.takeLog();
        s.key(Key::Down, 13);
        s.key(Key::Press, 13);
        QVERIFY(!s.fiole.Visible);
        s.joueur.Top = kStandOnGround;
        s.key(Key::Down, 13);
        s.key(Key::Press, 13);
        QVERIFY(s.fiole.Visible);
        QCOMPARE(s.nbf.Caption, QStringLiteral("1"));
        QCOMPARE(field.fx.takeLog(), QStringList{QStringLiteral("sound \"mur.wav\"")});
        // Other keys do nothing.
        s.key(Key::Down, 65);
        s.key(Key::Press, 97);
        QVERIFY(s.pause.Visible);
        QCOMPARE(s.nbf.Caption, QStringLiteral("1"));
    }

    // The arrows, the space bar and a pad stand for the mouse: a walk key
    // held sends the player to the wall, and he stops where he is once it is
    // let go (also when the window loses the keyboard); a key's repeat is no
    // new press; a pad unplugged lets go of its buttons.
    void keysAndPadPlayAsTheMouse() {
        Game g;
        auto& s = g.screen();
        QTextStream sink(stdout);
        tk::ScriptDriver d(g.program, g.fx.services(), sink);
        const auto run = [&](std::initializer_list<const char*> lines) {
            for (const char* line : lines)
                d.execute(QLatin1String(line));
        };
        const auto stopped = [&] { return s.sourisx == s.joueur.Left + kSide / 2; };
        s.joueur.Left = 5000;
        run({"key frmsaut 37", "key frmsaut 37"});
        for (int t = 0; t < 60; ++t)
            s.pcemouv(), s.com();
        QCOMPARE(s.joueur.Left, zelk::kPlayerLeftReset);
        run({"key frmsaut 39", "keyup frmsaut 39"});  // right taken, then left again
        QVERIFY(s.sourisx < 0);
        run({"keyup frmsaut 37"});
        QVERIFY(stopped());
        QTest::keyPress(s.window(), Qt::Key_Right);
        QVERIFY(s.sourisx > zelk::kRightEdge + kSide);
        QEvent left(QEvent::ActivationChange);  // another window is the active one
        QCoreApplication::sendEvent(s.window(), &left);
        QVERIFY(stopped());
        run({"key frmsaut 32", "keyup frmsaut 32", "key frmsaut 38"});
        QVERIFY(s.charge == 0 && s.delai == zelk::kChargeKept && s.etat == jump::Rising);
        s.etat = jump::Standing;
        run({"key frmsaut 38"});
        QCOMPARE(s.etat, jump::Standing);
        run({"pad frmsaut plug", "pad frmsaut axis leftx 20000", "pad frmsaut axis leftx 13000"});
        QVERIFY(s.sourisx > zelk::kRightEdge + kSide);
        run({"pad frmsaut axis leftx 11000", "pad frmsaut button a down"});
        QVERIFY(stopped() && s.charge == 1);
        run({"pad frmsaut button start down", "pad frmsaut unplug"});  // out of the pause
        QVERIFY(!s.pause.Visible && s.charge == 0 && s.delai == zelk::kChargeWindow);
        s.joueur.Top = kStandOnGround;
        run({"key frmsaut 40"});
        QVERIFY(s.fiole.Visible);
    }

    // Which element is under the mouse decides who hears the buttons.
    void mouseButtonsReachThePicturesButNotTheLabels_data() {
        QTest::addColumn<QString>("over");
        QTest::addColumn<bool>("heard");
        QTest::newRow("background") << "background" << true;
        QTest::newRow("player (a shape)") << "joueur" << true;
        QTest::newRow("platform (a shape)") << "Shape1" << true;
        QTest::newRow("gauge (a shape)") << "div1" << true;
        QTest::newRow("cloud") << "nuage1" << true;
        QTest::newRow("grey frog") << "mech1" << true;
        QTest::newRow("grey frog loaded during play") << "mech1(1)" << true;
        QTest::newRow("green frog") << "mech2" << true;
        QTest::newRow("bird") << "mech3" << true;
        QTest::newRow("vial") << "fiole" << true;
        QTest::newRow("sun") << "tem" << false;
        QTest::newRow("sun where it lies over a cloud") << "tem over nuage1" << false;
        QTest::newRow("sun over the bird") << "tem over mech3" << false;
        QTest::newRow("sun over a grey frog") << "tem over mech1" << false;
        QTest::newRow("pause label") << "pause" << false;
        QTest::newRow("message under it") << "pause2" << false;
        QTest::newRow("vial count") << "nbf" << false;
        QTest::newRow("counter") << "Label1" << false;
        QTest::newRow("frog counts") << "Label3" << false;
        QTest::newRow("vials label") << "Label2" << false;
    }
    void mouseButtonsReachThePicturesButNotTheLabels() {
        QFETCH(QString, over);
        QFETCH(bool, heard);
        Field field;
        auto& s = field.game;
        s.joueur.Top = kStandOnGround;
        // Everything apart, away from the labels, so that each is on top where it is.
        testing::place(s.mech1(0), 600, 3000);
        s.mech2(2).Visible = true;
        testing::place(s.mech2(2), 2000, 3000);
        s.mech3.Visible = true;
        testing::place(s.mech3, 3200, 3000);
        s.fiole.Visible = true;
        testing::place(s.fiole, 4800, 3000);
        s.spawn();  // ... and one grey frog loaded at run time, moved aside
        testing::place(s.mech1(1), 9000, 9000);
        s.mech1(1).Visible = true;
        QRectF r;
        auto rect = [](const tk::Element& e) { return QRectF(e.Left, e.Top, e.Width, e.Height); };
        if (over == QLatin1String("background"))
            r = QRectF(14000, 5000, 10, 10);
        else if (over == QLatin1String("joueur"))
            r = rect(s.joueur);
        else if (over == QLatin1String("Shape1"))
            r = rect(s.Shape1(4));
        else if (over == QLatin1String("div1"))
            r = QRectF(130, 130, 10, 10);
        else if (over == QLatin1String("nuage1"))
            r = rect(s.nuage1(3));
        else if (over == QLatin1String("mech1"))
            r = rect(s.mech1(0));
        else if (over == QLatin1String("mech1(1)"))
            r = rect(s.mech1(1));
        else if (over == QLatin1String("mech2"))
            r = rect(s.mech2(2));
        else if (over == QLatin1String("mech3"))
            r = rect(s.mech3);
        else if (over == QLatin1String("fiole"))
            r = rect(s.fiole);
        else if (over == QLatin1String("tem"))
            r = rect(s.tem);
        else if (over == QLatin1String("tem over nuage1"))
            r = QRectF(13320, 840, 60, 345);
        else if (over == QLatin1String("tem over mech3") ||
                 over == QLatin1String("tem over mech1")) {
            tk::Element& e = over.endsWith(QLatin1String("mech3"))
                                 ? static_cast<tk::Element&>(s.mech3)
                                 : s.mech1(0);
            testing::place(e, s.tem.Left + 100, s.tem.Top + 100);
            r = QRectF(s.tem.Left + 200, s.tem.Top + 200, 10, 10);
        } else if (over == QLatin1String("pause"))
            r = QRectF(s.pause.Left, s.pause.Top, 300, 300);
        else if (over == QLatin1String("pause2"))
            r = rect(s.pause2);
        else if (over == QLatin1String("nbf"))
            r = rect(s.nbf);
        else if (over == QLatin1String("Label1"))
            r = QRectF(s.Label1.Left + 5000, 150, 10, 10);
        else if (over == QLatin1String("Label3"))
            r = QRectF(s.Label3.Left + 5000, 500, 10, 10);
        else if (over == QLatin1String("Label2"))
            r = rect(s.Label2);
        const float x = static_cast<float>(r.center().x()), y = static_cast<float>(r.center().y());
        using A = tk::Scene::MouseAction;

        // Only the background and its shapes report the position.
        s.sourisx = -1;
        s.mouse(A::Move, 0, 0, x, y);
        const bool background = over == QLatin1String("background") ||
                                over == QLatin1String("joueur") ||
                                over == QLatin1String("Shape1") || over == QLatin1String("div1");
        QCOMPARE(s.sourisx, background ? x : -1.0f);
        s.mouse(A::Down, tk::LeftButton, 0, x, y);
        QCOMPARE(s.charge, int16_t(heard ? 1 : 0));
        s.mouse(A::Up, tk::LeftButton, 0, x, y);
        QCOMPARE(s.delai, heard ? zelk::kChargeWindow : 0.0);
        s.mouse(A::Down, tk::RightButton, 0, x, y);
        s.mouse(A::Up, tk::RightButton, 0, x, y);
        QCOMPARE(s.etat, heard ? jump::Rising : jump::Standing);
        // The middle button's release drops a vial (the player stands on the ground).
        s.mouse(A::Down, tk::MiddleButton, 0, x, y);
        s.mouse(A::Up, tk::MiddleButton, 0, x, y);
        QCOMPARE(s.nbf.Caption, QString::fromLatin1(heard ? "1" : "2"));
    }

    // Each event goes to what is under the pointer when it happens, a button
    // held or not; a release over a label ends a press taken elsewhere.
    void mouseFollowsThePointerWhileAButtonIsHeld_data() {
        QTest::addColumn<QStringList>("events");  // ACTION BUTTON PLACE
        QTest::addColumn<QString>("after");       // sourisx charge delai vials
        QTest::newRow("pressed on a cloud, moved over the sky: the player follows")
            << QStringList{"down 1 cloud", "move 1 sky"} << "14000 1 0 2";
        QTest::newRow("pressed on the sky, moved over a cloud: sourisx stays")
            << QStringList{"move 0 sky", "down 1 sky", "move 1 cloud"} << "14000 1 0 2";
        QTest::newRow("released over a label: the screen releases")
            << QStringList{"down 1 sky", "up 1 label"} << "-1 0 200 2";
        QTest::newRow("middle button from a cloud to the sun: a vial")
            << QStringList{"down 4 cloud", "up 4 sun"} << "-1 0 0 1";
    }
    void mouseFollowsThePointerWhileAButtonIsHeld() {
        QFETCH(QStringList, events);
        QFETCH(QString, after);
        Field field;
        auto& s = field.game;
        s.joueur.Top = kStandOnGround;
        s.sourisx = -1;
        // The sky, nuage1(3), Label2 and the sun, twips.
        const QMap<QString, QString> at{{"sky", "14000 5000"},
                                        {"cloud", "7350 1477"},
                                        {"label", "6000 300"},
                                        {"sun", "13800 650"}};
        const QMap<QString, tk::Scene::MouseAction> action{{"down", tk::Scene::MouseAction::Down},
                                                           {"up", tk::Scene::MouseAction::Up},
                                                           {"move", tk::Scene::MouseAction::Move}};
        for (const QString& ev : events) {
            const QStringList w = ev.split(u' '), xy = at[w[2]].split(u' ');
            s.mouse(action[w[0]], w[1].toInt(), 0, xy[0].toFloat(), xy[1].toFloat());
        }
        QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                     .arg(s.sourisx)
                     .arg(s.charge)
                     .arg(s.delai)
                     .arg(s.nbf.Caption),
                 after);
    }

    void rightButtonStartsAJumpOnlyWhenStanding_data() {
        QTest::addColumn<qint16>("etat");
        QTest::addColumn<qint16>("after");
        QTest::addColumn<double>("delai");
        QTest::newRow("standing") << jump::Standing << jump::Rising << zelk::kChargeKept;
        QTest::newRow("rising") << jump::Rising << jump::Rising << 7.0;
        QTest::newRow("falling") << jump::Falling << jump::Falling << 7.0;
        QTest::newRow("pausing") << jump::Pausing << jump::Pausing << 7.0;
    }
    void rightButtonStartsAJumpOnlyWhenStanding() {
        QFETCH(qint16, etat);
        QFETCH(qint16, after);
        QFETCH(double, delai);
        Field field;
        auto& s = field.game;
        s.etat = etat;
        s.delai = 7;
        s.sceneMouseDown(tk::RightButton, 0, 100, 100);
        QCOMPARE(s.etat, after);
        QCOMPARE(s.delai, delai);
        // Two buttons at once is neither.
        s.sceneMouseDown(tk::LeftButton | tk::RightButton, 0, 100, 100);
        QCOMPARE(s.charge, int16_t(0));
    }

    // Which platforms can be reached, from the player's own moves. From the
    // ground the highest jump's feet stop at 6005: a top at 5840 is caught, one
    // 40-twip key step higher is not. Platforms at 300 are out of reach of
    // everything below them. No centre of a player within the walls comes
    // over a platform that starts at 15000; one ending at 15000 is reached.
    void reachIsWhereThePlayersOwnMovesLand_data() {
        QTest::addColumn<QList<QRectF>>("platforms");  // 1 to 6: left, top, width, height
        QTest::addColumn<QString>("answer");
        const QList<QRectF> high{{0, 300, 1500, 375},
                                 {3000, 300, 1500, 375},
                                 {6000, 300, 1500, 375},
                                 {9000, 300, 1500, 375},
                                 {12000, 300, 1500, 375}};
        QTest::newRow("one step too high")
            << (QList<QRectF>{{6000, 5800, 1000, 375}} + high)
            << QStringLiteral("Plates-formes hors d'atteinte : 1, 2, 3, 4, 5, 6.");
        QTest::newRow("just reachable")
            << (QList<QRectF>{{6000, 5840, 1000, 375}} + high)
            << QStringLiteral("Plates-formes hors d'atteinte : 2, 3, 4, 5, 6.");
        QTest::newRow("beyond the right wall")
            << QList<QRectF>{{15000, 8400, 200, 375}, {14700, 8400, 300, 375},
                             {1000, 8400, 1000, 375}, {4000, 6000, 1000, 375},
                             {7000, 3600, 1000, 375}, {10000, 2000, 1000, 375}}
            << QStringLiteral("Plates-formes hors d'atteinte : 1.");
        QTest::newRow("a stair") << QList<QRectF>{{1000, 8400, 1000, 375},
                                                  {3000, 6000, 1000, 375},
                                                  {5000, 3600, 1000, 375},
                                                  {7000, 2000, 1000, 375},
                                                  {10000, 8400, 3000, 375},
                                                  {13000, 4200, 2000, 375}}
                                 << QStringLiteral("Toutes les plates-formes sont accessibles.");
    }
    void reachIsWhereThePlayersOwnMovesLand() {
        QFETCH(QList<QRectF>, platforms);
        QFETCH(QString, answer);
        testing::Fixture fx;
        level::Level lev;
        for (int k = 0; k < level::kPlatformCount; ++k) {
            const QRectF& r = platforms[k];
            lev.geometry[4 * k] = static_cast<float>(r.top());
            lev.geometry[4 * k + 1] = static_cast<float>(r.left());
            lev.geometry[4 * k + 2] = static_cast<float>(r.height());
            lev.geometry[4 * k + 3] = static_cast<float>(r.width());
        }
        QCOMPARE(zelk::reachSentence(zelk::unreachablePlatforms(fx.services(), lev)), answer);
    }
};

QTEST_MAIN(TestGamePlayer)
#include "test_game_player.moc"
