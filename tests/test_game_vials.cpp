// Vials: dropping, the stock, which frog a vial kills; grey frogs arriving
// under the clouds and coming back; the bird's return.
#include "game_support.h"

using testing::Field;

namespace {
constexpr float kGroundTop = 10680;
constexpr float kStandOnGround = kGroundTop - 375;
// Grey and green frogs standing on the ground, and a vial dropped there.
constexpr float kGreyOnGround = kGroundTop - 570;
constexpr float kVialOnGround = kGroundTop - 555;
constexpr float kVialLeft = 5000;
// Where a frog appears under each cloud: centred, 70 twips higher.
constexpr float kSpawnTop = 840 + 1275 / 2.0f - 570 / 2.0f - 70;
const float kSpawnLeft[] = {1320 + 1590 - 382.5f, 10200 + 1590 - 382.5f, 5760 + 1590 - 382.5f};

bool underACloud(const tk::Picture& f) {
    return f.Top == kSpawnTop &&
           (f.Left == kSpawnLeft[0] || f.Left == kSpawnLeft[1] || f.Left == kSpawnLeft[2]);
}
}  // namespace

class TestGameVials : public QObject {
    Q_OBJECT
private slots:
    void droppingSpendsTheStockWhileStanding() {
        Field field;
        field.play(testing::levelLine(0, 10, 1, 15, "1"));
        auto& s = field.game;
        s.saut();  // onto the ground
        s.joueur.Left = 3000;
        field.fx.takeLog();
        s.dropVial();
        QVERIFY(s.fiole.Visible);
        QCOMPARE(s.fiole.Left, 3000.0f);
        QCOMPARE(s.fiole.Top, kVialOnGround);
        QCOMPARE(s.nbf.Caption, QStringLiteral("0"));
        QCOMPARE(field.fx.takeLog(), QStringList{QStringLiteral("sound \"mur.wav\"")});
        s.joueur.Left = 6000;
        s.dropVial();
        QCOMPARE(s.fiole.Left, 3000.0f);
        QCOMPARE(s.nbf.Caption, QStringLiteral("0"));
        QVERIFY(field.fx.takeLog().isEmpty());
    }

    void droppingInTheAirDoesNothing() {
        Field field;
        auto& s = field.game;
        s.joueur.Top = kStandOnGround - 275;  // rising
        s.dropVial();
        QVERIFY(!s.fiole.Visible);
        QCOMPARE(s.nbf.Caption, QStringLiteral("2"));
        QVERIFY(field.fx.takeLog().isEmpty());
    }

    void twoPlatformsOfOneHeightSpendTwoVials() {
        Field field;
        auto& s = field.game;
        s.Shape1(6).Top = s.Shape1(5).Top;
        s.joueur.Left = 6000;
        s.joueur.Top = s.Shape1(5).Top - 375;
        s.dropVial();
        QCOMPARE(s.nbf.Caption, QStringLiteral("0"));
        QCOMPARE(field.fx.takeLog().size(), 2);
    }

    // The vial stands at kVialLeft on the ground; a grey frog stands beside
    // or on it, `dx` from the vial's left edge to the frog's (right or left) edge.
    void vialHitsAFrogWhoseEdgeIsInside_data() {
        QTest::addColumn<float>("frogLeft");
        QTest::addColumn<float>("frogTop");
        QTest::addColumn<bool>("hit");
        // A: the frog's right edge inside the vial.
        QTest::newRow("A: right edge 30 inside") << kVialLeft + 30 - 765 << kGreyOnGround << true;
        QTest::newRow("A: right edge 21 inside") << kVialLeft + 21 - 765 << kGreyOnGround << true;
        QTest::newRow("A: right edge 20 inside") << kVialLeft + 20 - 765 << kGreyOnGround << false;
        QTest::newRow("A: right edge 549 inside") << kVialLeft + 549 - 765 << kGreyOnGround << true;
        QTest::newRow("A: right edge 550 inside")
            << kVialLeft + 550 - 765 << kGreyOnGround << false;
        // B: the frog's left edge inside the vial.
        QTest::newRow("B: left edge on the vial's") << kVialLeft << kGreyOnGround << false;
        QTest::newRow("B: left edge 1 inside") << kVialLeft + 1 << kGreyOnGround << true;
        QTest::newRow("B: left edge 519 inside") << kVialLeft + 519 << kGreyOnGround << true;
        QTest::newRow("B: left edge 520 inside") << kVialLeft + 520 << kGreyOnGround << false;
        // Heights: the vial's top must be more than 100 above the frog's bottom,
        // and its bottom at or below the frog's top (A) or below it (B).
        QTest::newRow("frog high above") << kVialLeft + 100 << kGreyOnGround - 1000 << false;
        QTest::newRow("A: frog's top on the vial's bottom")
            << kVialLeft + 30 - 765 << kGroundTop << true;
        QTest::newRow("B: frog's top on the vial's bottom")
            << kVialLeft + 100 << kGroundTop << false;
        QTest::newRow("frog's bottom 100 below the vial's top")
            << kVialLeft + 100 << kVialOnGround + 100 - 570 << false;
        QTest::newRow("frog's bottom 101 below the vial's top")
            << kVialLeft + 100 << kVialOnGround + 101 - 570 << true;
    }
    void vialHitsAFrogWhoseEdgeIsInside() {
        QFETCH(float, frogLeft);
        QFETCH(float, frogTop);
        QFETCH(bool, hit);
        Field field;
        auto& s = field.game;
        testing::clearField(s);
        s.fiole.Visible = true;
        testing::place(s.fiole, kVialLeft, kVialOnGround);
        s.mech1(0).Visible = true;
        testing::place(s.mech1(0), frogLeft, frogTop);
        s.fiolee();
        QCOMPARE(!s.mech1(0).Visible, hit);
        QCOMPARE(!s.fiole.Visible, hit);
        QCOMPARE(s.tuesgris, int16_t(hit ? 1 : 0));
    }

    void oneVialKillsOneFrog_data() {
        QTest::addColumn<int>("tuesgris");
        QTest::addColumn<int>("nbg");
        QTest::addColumn<int>("after");
        QTest::newRow("counted") << 0 << 15 << 1;
        QTest::newRow("capped at nbg") << 15 << 15 << 15;
    }
    void oneVialKillsOneFrog() {
        QFETCH(int, tuesgris);
        QFETCH(int, nbg);
        QFETCH(int, after);
        Field field;
        auto& s = field.game;
        testing::clearField(s);
        field.game.options.greyToKill = nbg;
        field.game.options.green = 7;
        s.tuesgris = static_cast<int16_t>(tuesgris);
        s.fiole.Visible = true;
        testing::place(s.fiole, kVialLeft, kVialOnGround);
        s.spawn();
        for (int i : {0, 1}) {
            s.mech1(i).Visible = true;
            testing::place(s.mech1(i), kVialLeft + 100, kGreyOnGround);
        }
        s.mech2(1).Visible = true;
        testing::place(s.mech2(1), kVialLeft + 100, kGroundTop - 555);
        s.fiolee();
        QVERIFY(!s.fiole.Visible);
        QVERIFY(!s.mech1(0).Visible);
        QVERIFY(s.mech1(1).Visible);
        QVERIFY(s.mech2(1).Visible);
        QCOMPARE(s.tuesgris, int16_t(after));
        // A vial kills a green frog the same way, without a count.
        s.fiole.Visible = true;
        s.mech1(1).Visible = false;
        s.fiolee();
        QVERIFY(!s.mech2(1).Visible);
        QCOMPARE(s.tuesgris, int16_t(after));
    }

    // Firings of the spawn timer: grey frogs created (nbgris), then which
    // frogs come back after all the living ones were killed.
    void greyFrogsArriveUpToTheLimit_data() {
        QTest::addColumn<int>("nbg");
        QTest::addColumn<int>("maxgb");
        QTest::addColumn<QList<int>>("nbgris");  // after each of six firings
        QTest::addColumn<bool>("revived");
        QTest::newRow("nbg 0") << 0 << 4 << QList<int>{0, 0, 0, 0, 0, 0} << false;
        QTest::newRow("maxgb 1") << 15 << 1 << QList<int>{0, 0, 0, 0, 0, 0} << true;
        QTest::newRow("nbg 3, maxgb 10") << 3 << 10 << QList<int>{1, 2, 3, 3, 3, 3} << false;
        QTest::newRow("nbg 20, maxgb 4") << 20 << 4 << QList<int>{1, 2, 3, 3, 3, 3} << true;
        QTest::newRow("nbg 3, maxgb 4") << 3 << 4 << QList<int>{1, 2, 3, 3, 3, 3} << true;
    }
    void greyFrogsArriveUpToTheLimit() {
        QFETCH(int, nbg);
        QFETCH(int, maxgb);
        QFETCH(QList<int>, nbgris);
        QFETCH(bool, revived);
        Field field;
        auto& s = field.game;
        field.game.options.greyToKill = nbg;
        field.game.options.greyOnScreen = maxgb;
        QList<int> seen;
        for (int t = 0; t < 6; ++t) {
            s.spawn();
            seen << s.nbgris;
            const tk::Picture& last = s.mech1(s.nbgris);
            if (s.nbgris > 0) QVERIFY(last.Visible);
        }
        QCOMPARE(seen, nbgris);
        QCOMPARE(s.mech1.ubound(), int(s.nbgris));
        for (int i = 1; i <= s.nbgris; ++i) {
            QVERIFY(underACloud(s.mech1(i)));
            QVERIFY(s.mech1(i).Tag.isEmpty());
            QCOMPARE(s.mech1(i).Width, 765.0f);
        }
        // All killed, tags set as by a landing; the next firing may revive them.
        for (int i = 0; i <= s.nbgris; ++i) {
            s.mech1(i).Visible = false;
            s.mech1(i).Tag = QStringLiteral("3");
            testing::place(s.mech1(i), 100, 100);
        }
        s.spawn();
        for (int i = 0; i <= s.nbgris; ++i) {
            QCOMPARE(s.mech1(i).Visible, revived);
            QCOMPARE(s.mech1(i).Tag.isEmpty(), revived);
            if (revived) QVERIFY(underACloud(s.mech1(i)));
        }
        // Once nbg are dead, nobody comes back.
        for (int i = 0; i <= s.nbgris; ++i)
            s.mech1(i).Visible = false;
        s.tuesgris = static_cast<int16_t>(nbg);
        s.spawn();
        for (int i = 0; i <= s.nbgris; ++i)
            QVERIFY(!s.mech1(i).Visible);
    }

    void everyCloudServes() {
        Field field;
        auto& s = field.game;
        field.game.options.greyToKill = 20;
        field.game.options.greyOnScreen = 15;
        for (int t = 0; t < 14; ++t)
            s.spawn();
        QCOMPARE(s.nbgris, int16_t(14));
        QSet<float> lefts;
        for (int i = 1; i <= 14; ++i) {
            QVERIFY(underACloud(s.mech1(i)));
            lefts << s.mech1(i).Left;
        }
        QCOMPARE(lefts.size(), 3);
    }

    void birdComesBackAfterFiveFirings_data() {
        QTest::addColumn<int>("ois");
        QTest::addColumn<bool>("back");
        QTest::newRow("bird on") << 1 << true;
        QTest::newRow("bird off") << 0 << false;
    }
    void birdComesBackAfterFiveFirings() {
        QFETCH(int, ois);
        QFETCH(bool, back);
        Field field;
        field.play(testing::levelLine(ois, 10, 1, 15, "2"));
        auto& s = field.game;
        QCOMPARE(s.mech3.Visible, ois == 1);
        s.mech3.Visible = false;
        testing::place(s.mech3, 500, 500);
        for (int t = 1; t <= 4; ++t)
            s.spawn();
        QVERIFY(!s.mech3.Visible);
        QCOMPARE(s.retouroiseau, int16_t(back ? 1 : 5));
        s.spawn();
        QCOMPARE(s.mech3.Visible, back);
        QCOMPARE(s.retouroiseau, int16_t(5));
        if (back) {
            QCOMPARE(s.mech3.Left, 10200.0f);
            QCOMPARE(s.mech3.Top, 840.0f);
        }
        // A living bird is not counted down.
        s.spawn();
        QCOMPARE(s.retouroiseau, int16_t(5));
    }
};

QTEST_MAIN(TestGameVials)
#include "test_game_vials.moc"
