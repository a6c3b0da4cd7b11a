// The enemies' movement: grey frogs falling, landing, walking and pushing;
// green frogs keeping to their platforms; the bird chasing the player.
#include "game_support.h"

using testing::Field;

namespace {
constexpr float kGroundTop = 10680;
constexpr float kGreyW = 765, kGreyH = 570;
constexpr float kGreenW = 600, kGreenH = 555;
// Platform 4 of the layout (Shape1(5)).
constexpr float kP4Left = 5040, kP4Top = 6240, kP4Width = 2295;

// A screen with every enemy hidden and grey frogs 0 to n - 1 standing on the
// ground (tag "1") at the given lefts, all visible.
zelk::Playfield& greyOnGround(Field& field, const QList<float>& lefts) {
    auto& s = field.game;
    testing::clearField(s);
    for (int i = 0; i < lefts.size(); ++i) {
        if (i > 0) s.mech1.load(i);
        tk::Picture& f = s.mech1(i);
        f.Visible = true;
        f.Tag = QStringLiteral("1");
        testing::place(f, lefts[i], kGroundTop - kGreyH);
    }
    s.nbgris = static_cast<int16_t>(lefts.size() - 1);
    return s;
}

// Puts the player's centre at x.
void playerAt(zelk::Playfield& s, float x) {
    s.joueur.Left = x - 375 / 2.0f;
}
}  // namespace

class TestGameEnemies : public QObject {
    Q_OBJECT
private slots:
    void greyFrogFallsFromItsCloudAndLands() {
        Field field;
        auto& s = field.game;
        testing::clearField(s);
        s.spawn();  // frog 1 under a cloud
        tk::Picture& f = s.mech1(1);
        f.Left = 2000;  // over Shape1(7) (1200 to 4095, top 2640)
        const float top = f.Top;
        s.mech1(0).Left = 14000;  // over nothing but the ground
        s.mech1(0).Top = 9000;
        s.mechant();
        // Two frogs: the body runs 2 x 7 times a frog, 2 twips each.
        QCOMPARE(f.Top, top + 28);
        QVERIFY(f.Tag.isEmpty());
        for (int t = 0; t < 100 && f.Tag.isEmpty(); ++t)
            s.mechant();
        QCOMPARE(f.Tag, QStringLiteral("7"));
        QCOMPARE(f.Top, 2640 - kGreyH);
        // Hidden frogs keep moving: frog 0 is hidden and lands on the ground.
        for (int t = 0; t < 100 && s.mech1(0).Tag.isEmpty(); ++t)
            s.mechant();
        QVERIFY(!s.mech1(0).Visible);
        QCOMPARE(s.mech1(0).Tag, QStringLiteral("1"));
        QCOMPARE(s.mech1(0).Top, kGroundTop - kGreyH);
    }

    // One frog with an empty tag, falling at 2 twips a run, crosses Shape1(5)'s
    // top during the fifth run of the tick (cpt = 5).
    void greyFrogLandingBorders_data() {
        QTest::addColumn<float>("centre");
        QTest::addColumn<float>("bottomAtRun5");  // below the platform's top
        QTest::addColumn<bool>("lands");
        QTest::newRow("on the top") << 6000.0f << 0.0f << true;
        QTest::newRow("59 below") << 6000.0f << 59.0f << true;
        QTest::newRow("60 below") << 6000.0f << 60.0f << false;
        QTest::newRow("1 above") << 6000.0f << -1.0f << false;
        QTest::newRow("centre on the left end") << kP4Left << 0.0f << false;
        QTest::newRow("centre just inside the left end") << kP4Left + 0.5f << 0.0f << true;
        QTest::newRow("centre on the right end") << kP4Left + kP4Width << 0.0f << false;
        QTest::newRow("centre just inside the right end")
            << kP4Left + kP4Width - 0.5f << 0.0f << true;
    }
    void greyFrogLandingBorders() {
        QFETCH(float, centre);
        QFETCH(float, bottomAtRun5);
        QFETCH(bool, lands);
        Field field;
        auto& s = greyOnGround(field, {0});
        tk::Picture& f = s.mech1(0);
        f.Tag.clear();
        f.Left = centre - kGreyW / 2;
        const float top = kP4Top + bottomAtRun5 - 10 - kGreyH;
        f.Top = top;
        playerAt(s, centre);  // so that a frog that lands stays where it landed
        s.mechant();
        if (lands) {
            QCOMPARE(f.Tag, QStringLiteral("5"));
            QCOMPARE(f.Top, kP4Top - kGreyH);
        } else {
            QVERIFY(f.Tag.isEmpty());
            QCOMPARE(f.Top, top + 14);
        }
    }

    // Per tick, a frog walks one twip a run: (frogs x 7) twips with frogs apart.
    void greyFrogsWalkAndFallPerRunOfTheLoop_data() {
        QTest::addColumn<int>("frogs");
        QTest::addColumn<float>("step");
        QTest::newRow("one frog") << 1 << 7.0f;
        QTest::newRow("five frogs") << 5 << 35.0f;
    }
    void greyFrogsWalkAndFallPerRunOfTheLoop() {
        QFETCH(int, frogs);
        QFETCH(float, step);
        Field field;
        QList<float> lefts;
        for (int i = 0; i < frogs; ++i)
            lefts << 1000.0f + 2000 * i;
        auto& s = greyOnGround(field, lefts);
        playerAt(s, 14000);
        s.mechant();
        for (int i = 0; i < frogs; ++i)
            QCOMPARE(s.mech1(i).Left, lefts[i] + step);
        playerAt(s, 0);
        s.mechant();
        for (int i = 0; i < frogs; ++i)
            QCOMPARE(s.mech1(i).Left, lefts[i]);
        // Falling: twice the step.
        for (int i = 0; i < frogs; ++i) {
            s.mech1(i).Tag.clear();
            s.mech1(i).Top = 8000;
        }
        s.mechant();
        for (int i = 0; i < frogs; ++i)
            QCOMPARE(s.mech1(i).Top, 8000 + 2 * step);
    }

    void greyFrogOnThePlayersCentreStaysPut() {
        Field field;
        auto& s = greyOnGround(field, {6000});
        playerAt(s, 6000 + kGreyW / 2);
        s.mechant();
        QCOMPARE(s.mech1(0).Left, 6000.0f);
        // Half a twip to the right: right by 1, left by 1 is back; it stays.
        playerAt(s, 6000 + kGreyW / 2 + 0.5f);
        s.mechant();
        QCOMPARE(s.mech1(0).Left, 6000.0f);
    }

    void greyFrogNotExactlyOnItsPlatformDoesNotWalk() {
        Field field;
        auto& s = greyOnGround(field, {6000});
        s.mech1(0).Top -= 1;  // its bottom a twip above the ground's top
        playerAt(s, 14000);
        s.mechant();
        QCOMPARE(s.mech1(0).Left, 6000.0f);
        QCOMPARE(s.mech1(0).Top, kGroundTop - kGreyH - 1);
    }

    void greyFrogWalkingOffItsPlatformFallsAndKeepsItsTag() {
        Field field;
        auto& s = greyOnGround(field, {0});
        tk::Picture& f = s.mech1(0);
        f.Tag = QStringLiteral("5");
        f.Top = kP4Top - kGreyH;
        f.Left = kP4Left + kP4Width - kGreyW / 2 - 3;  // centre 3 twips inside the right end
        playerAt(s, 14000);
        s.mechant();
        // Walks 4 runs to 1 past the end (walking stops), then falls 2 a run.
        QCOMPARE(f.Left, kP4Left + kP4Width - kGreyW / 2 + 1);
        QCOMPARE(f.Top, kP4Top - kGreyH + 2 * 3);
        QCOMPARE(f.Tag, QStringLiteral("5"));
        for (int t = 0; t < 400 && f.Tag == QLatin1String("5"); ++t)
            s.mechant();
        QCOMPARE(f.Tag, QStringLiteral("1"));
    }

    void greyFrogsKeptOnScreen_data() {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("player");
        QTest::addColumn<float>("after");  // clamped on the first run, then 6 runs of walking
        QTest::newRow("past the right edge") << 14900.0f << 0.0f << zelk::kRightEdge - 7;
        QTest::newRow("past the left edge") << 0.0f << 14000.0f << zelk::kLeftEdge + 7;
    }
    void greyFrogsKeptOnScreen() {
        QFETCH(float, left);
        QFETCH(float, player);
        QFETCH(float, after);
        Field field;
        auto& s = greyOnGround(field, {left});
        playerAt(s, player);
        s.mechant();
        QCOMPARE(s.mech1(0).Left, after);
    }

    // Two grey frogs side by side; the pushes need both visible and exactly
    // equal tops.
    void greyFrogsPushEachOtherOnlyAtEqualTops_data() {
        QTest::addColumn<float>("secondTop");
        QTest::addColumn<bool>("secondVisible");
        QTest::addColumn<bool>("pushed");
        QTest::newRow("same top") << kGroundTop - kGreyH << true << true;
        QTest::newRow("other hidden") << kGroundTop - kGreyH << false << false;
        QTest::newRow("half a twip higher") << kGroundTop - kGreyH - 0.5f << true << false;
    }
    void greyFrogsPushEachOtherOnlyAtEqualTops() {
        QFETCH(float, secondTop);
        QFETCH(bool, secondVisible);
        QFETCH(bool, pushed);
        Field field;
        auto& s = greyOnGround(field, {6000, 6400});
        s.mech1(1).Top = secondTop;
        s.mech1(1).Visible = secondVisible;
        playerAt(s, 6000 + 200 + kGreyW / 2);  // between the two centres
        s.mechant();
        const float gap = s.mech1(1).Left - s.mech1(0).Left;
        // Walking alone closes the gap by at most 28 twips in a tick.
        if (pushed) {
            QVERIFY2(gap >= 400 + 100, qPrintable(QString::number(gap)));
        } else {
            QVERIFY2(gap >= 400 - 28 && gap <= 400, qPrintable(QString::number(gap)));
        }
    }

    // Green frogs: a step of the platform's width / 300 towards the player.
    void greenFrogSpeedGrowsWithItsPlatform_data() {
        QTest::addColumn<int>("frog");
        QTest::addColumn<float>("step");
        QTest::newRow("ground, 20000 wide") << 1 << 20000 / 300.0f;
        QTest::newRow("platform 4, 2295 wide") << 5 << 2295 / 300.0f;
    }
    void greenFrogSpeedGrowsWithItsPlatform() {
        QFETCH(int, frog);
        QFETCH(float, step);
        Field field;
        auto& s = field.game;
        testing::clearField(s);
        s.nbvertes = 7;
        tk::Picture& f = s.mech2(frog);
        const tk::Shape& q = s.Shape1(frog);
        const float start = q.Left + 800;
        f.Left = start;
        playerAt(s, 14000);
        s.mechant2();
        QCOMPARE(f.Left, start + step);
        QCOMPARE(f.Top, q.Top - kGreenH);
        playerAt(s, 0);
        s.mechant2();
        s.mechant2();
        QCOMPARE(f.Left, start + step - 2 * step);
        // Less than one step right of the player: over and back, it stays.
        const float here = f.Left;
        playerAt(s, here + kGreenW / 2 + step / 2);
        s.mechant2();
        QCOMPARE(f.Left, here);
    }

    void greenFrogsStayOnTheirPlatform_data() {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("player");
        QTest::addColumn<float>("after");
        // Platform 4: 5040 to 7335, step 7.65.
        QTest::newRow("centre left of the left end, player left")
            << 4000.0f << 0.0f << kP4Left - kGreenW / 2 - 2295 / 300.0f;
        QTest::newRow("centre left of the left end, player right")
            << 4000.0f << 14000.0f << kP4Left - kGreenW / 2 + 2295 / 300.0f;
        QTest::newRow("centre right of the right end, player right")
            << 8000.0f << 14000.0f << kP4Left + kP4Width - kGreenW / 2 + 2295 / 300.0f;
        QTest::newRow("left of the screen's edge")
            << 0.0f << 14000.0f << kP4Left - kGreenW / 2 + 2295 / 300.0f;
    }
    void greenFrogsStayOnTheirPlatform() {
        QFETCH(float, left);
        QFETCH(float, player);
        QFETCH(float, after);
        Field field;
        auto& s = field.game;
        testing::clearField(s);
        s.nbvertes = 5;
        s.mech2(5).Left = left;
        playerAt(s, player);
        s.mechant2();
        QCOMPARE(s.mech2(5).Left, after);
    }

    void greenFrogOnTheGroundPastTheRightEdge() {
        Field field;
        auto& s = field.game;
        testing::clearField(s);
        s.nbvertes = 1;
        s.mech2(1).Left = 14800;
        playerAt(s, 15500);
        s.mechant2();
        QCOMPARE(s.mech2(1).Left, zelk::kRightEdge + 20000 / zelk::kGreenWidthPerStep);
    }

    void greenFrogPushesOverlappingGreyFrogsAtEqualTops_data() {
        QTest::addColumn<float>("greyTop");
        QTest::addColumn<float>("greyLeft");
        QTest::addColumn<float>("after");
        const float equal = kGroundTop - kGreenH;
        QTest::newRow("grey on the left, same top") << equal << 5700.0f << 5600.0f;
        QTest::newRow("grey on the right, same top") << equal << 6300.0f << 6400.0f;
        QTest::newRow("both standing: tops differ") << kGroundTop - kGreyH << 5700.0f << 5700.0f;
    }
    void greenFrogPushesOverlappingGreyFrogsAtEqualTops() {
        QFETCH(float, greyTop);
        QFETCH(float, greyLeft);
        QFETCH(float, after);
        Field field;
        auto& s = field.game;
        testing::clearField(s);
        s.nbvertes = 1;
        s.mech2(1).Visible = true;
        testing::place(s.mech2(1), 6000, kGroundTop - kGreenH);
        s.mech1(0).Visible = true;
        testing::place(s.mech1(0), greyLeft, greyTop);
        s.mechant2();
        QCOMPARE(s.mech1(0).Left, after);
    }

    void hiddenGreenFrogsWalkButDoNotPush() {
        Field field;
        auto& s = field.game;
        testing::clearField(s);
        s.nbvertes = 1;
        testing::place(s.mech2(1), 6000, kGroundTop - kGreenH);
        s.mech1(0).Visible = true;
        testing::place(s.mech1(0), 5700, kGroundTop - kGreenH);
        playerAt(s, 14000);
        s.mechant2();
        QCOMPARE(s.mech1(0).Left, 5700.0f);
        QCOMPARE(s.mech2(1).Left, 6000 + 20000 / 300.0f);
    }

    // The bird: `vitois` twips a tick on each axis towards the player's centre.
    void birdChasesThePlayer_data() {
        QTest::addColumn<float>("dx");  // bird's centre minus the player's
        QTest::addColumn<float>("dy");
        QTest::addColumn<float>("mx");  // its move
        QTest::addColumn<float>("my");
        QTest::newRow("1000 left, 500 above") << -1000.0f << -500.0f << 10.0f << 10.0f;
        QTest::newRow("right and below") << 300.0f << 300.0f << -10.0f << -10.0f;
        QTest::newRow("equal centres") << 0.0f << 0.0f << 0.0f << 0.0f;
        QTest::newRow("less than a step right and below: hovers") << 5.0f << 5.0f << 0.0f << 0.0f;
        QTest::newRow("less than a step above: passes") << 0.0f << -5.0f << 0.0f << 10.0f;
        QTest::newRow("a step right: joins") << 10.0f << 0.0f << -10.0f << 0.0f;
    }
    void birdChasesThePlayer() {
        QFETCH(float, dx);
        QFETCH(float, dy);
        QFETCH(float, mx);
        QFETCH(float, my);
        Field field;
        auto& s = field.game;
        s.mech3.Visible = true;
        field.game.options.birdSpeed = 10;
        testing::place(s.joueur, 6000, 5000);
        const float left = 6000 + 187.5f + dx - 525, top = 5000 + 187.5f + dy - 330;
        testing::place(s.mech3, left, top);
        s.mechant3();
        QCOMPARE(s.mech3.Left, left + mx);
        QCOMPARE(s.mech3.Top, top + my);
    }

    void birdNeverStaysBelowTheGround() {
        Field field;
        auto& s = field.game;
        s.mech3.Visible = true;
        field.game.options.birdSpeed = 50;
        testing::place(s.joueur, 6000, 10305);
        testing::place(s.mech3, 6000 + 187.5f - 525, kGroundTop - 660 + 40);
        s.mechant3();
        // Put back on the ground, then down towards the player's centre.
        QCOMPARE(s.mech3.Top, kGroundTop - 660 + 50);
        s.mechant3();
        QCOMPARE(s.mech3.Top, kGroundTop - 660 + 50);
    }

    void hiddenBirdDoesNotMove() {
        Field field;
        auto& s = field.game;
        s.mech3.Visible = false;
        testing::place(s.mech3, 100, 100);
        s.mechant3();
        QCOMPARE(s.mech3.Left, 100.0f);
        QCOMPARE(s.mech3.Top, 100.0f);
    }
};

QTEST_MAIN(TestGameEnemies)
#include "test_game_enemies.moc"
