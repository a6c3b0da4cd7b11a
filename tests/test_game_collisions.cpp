// Contact with the enemies: touching costs energy every tick, a stomp kills
// the enemy and throws the player up.
#include "game_support.h"

using testing::Field;

namespace {
// The player stands on the ground at left 6000.
constexpr float kPLeft = 6000, kPTop = 10305, kSide = 375;
constexpr float kPRight = kPLeft + kSide, kPBottom = kPTop + kSide;
constexpr double kEnergy = 12500;

enum Kind { Grey, Green, Bird };

tk::Picture& enemy(zelk::Playfield& s, int kind) {
    return kind == Grey ? s.mech1(0) : kind == Green ? s.mech2(1) : s.mech3;
}

// A field with the player at his place and one enemy of a kind at (left, top).
zelk::Playfield& field(Field& f, int kind, float left, float top, int16_t etat) {
    auto& s = f.game;
    testing::clearField(s);
    s.nbvertes = 1;
    testing::place(s.joueur, kPLeft, kPTop);
    s.etat = etat;
    s.energie = kEnergy;
    tk::Picture& e = enemy(s, kind);
    e.Visible = true;
    testing::place(e, left, top);
    f.fx.takeLog();
    return s;
}
}  // namespace

class TestGameCollisions : public QObject {
    Q_OBJECT
private slots:
    // Standing beside the enemy: only the touch can happen.
    void touchCostsEnergy_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("top");
        QTest::addColumn<double>("cost");
        const float greyTop = 10680 - 570, greenTop = 10680 - 555;
        QTest::newRow("grey: left edge 100 inside the player")
            << int(Grey) << kPRight - 100 << greyTop << 40.0;
        QTest::newRow("grey: left edge 50 inside: no")
            << int(Grey) << kPRight - 50 << greyTop << 0.0;
        QTest::newRow("grey: left edge on the player's: no")
            << int(Grey) << kPLeft << greyTop << 0.0;
        QTest::newRow("grey: right edge inside")
            << int(Grey) << kPLeft + 1 - 765 << greyTop << 40.0;
        QTest::newRow("grey: ends exactly at his right edge: no")
            << int(Grey) << kPRight - 765 << greyTop << 0.0;
        QTest::newRow("grey: right edge on his left edge: no")
            << int(Grey) << kPLeft - 765 << greyTop << 0.0;
        QTest::newRow("green: right edge 21 inside")
            << int(Green) << kPLeft + 21 - 600 << greenTop << 55.0;
        QTest::newRow("green: right edge 20 inside: no")
            << int(Green) << kPLeft + 20 - 600 << greenTop << 0.0;
        QTest::newRow("green: right edge 20 short of his right: no")
            << int(Green) << kPRight - 20 - 600 << greenTop << 0.0;
        QTest::newRow("green: covering him") << int(Green) << kPLeft - 100 << greenTop << 55.0;
        QTest::newRow("bird: covering him") << int(Bird) << kPLeft - 300 << kPTop << 35.0;
        QTest::newRow("bird: his bottom on its top: no")
            << int(Bird) << kPLeft - 300 << kPBottom << 0.0;
        QTest::newRow("bird: its bottom on his middle: no")
            << int(Bird) << kPLeft - 300 << kPTop + kSide / 2 - 660 << 0.0;
        QTest::newRow("bird: its bottom just below his middle")
            << int(Bird) << kPLeft - 300 << kPTop + kSide / 2 - 659 << 35.0;
    }
    void touchCostsEnergy() {
        QFETCH(int, kind);
        QFETCH(float, left);
        QFETCH(float, top);
        QFETCH(double, cost);
        Field f;
        auto& s = field(f, kind, left, top, jump::Standing);
        s.evie();
        QCOMPARE(s.energie, kEnergy - cost);
        s.evie();
        QCOMPARE(s.energie, kEnergy - 2 * cost);  // every tick of contact
        QVERIFY(enemy(s, kind).Visible);
        QCOMPARE(s.etat, jump::Standing);
    }

    // A falling player over an enemy: `dl` from the enemy's left to the
    // player's left, `db` from the enemy's top to the player's bottom.
    void stompKillsAndBounces_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<qint16>("etat");
        QTest::addColumn<float>("dl");
        QTest::addColumn<float>("db");
        QTest::addColumn<bool>("stomp");
        QTest::newRow("grey: 10 below its top, 30 left of it")
            << int(Grey) << jump::Falling << -30.0f << 10.0f << true;
        QTest::newRow("grey: rising") << int(Grey) << jump::Rising << -30.0f << 10.0f << false;
        QTest::newRow("grey: pausing at the top")
            << int(Grey) << jump::Pausing << -30.0f << 10.0f << false;
        QTest::newRow("grey: standing") << int(Grey) << jump::Standing << -30.0f << 10.0f << false;
        QTest::newRow("grey: 20 above its top")
            << int(Grey) << jump::Falling << 0.0f << -20.0f << false;
        QTest::newRow("grey: 19 above its top")
            << int(Grey) << jump::Falling << 0.0f << -19.0f << true;
        QTest::newRow("grey: 40 left") << int(Grey) << jump::Falling << -40.0f << 0.0f << false;
        QTest::newRow("grey: 39 left") << int(Grey) << jump::Falling << -39.0f << 0.0f << true;
        QTest::newRow("grey: right edges 40 apart")
            << int(Grey) << jump::Falling << 765.0f + 40 - kSide << 0.0f << false;
        QTest::newRow("grey: right edges 39 apart")
            << int(Grey) << jump::Falling << 765.0f + 39 - kSide << 0.0f << true;
        QTest::newRow("grey: half its width deep")
            << int(Grey) << jump::Falling << 0.0f << 382.5f << false;
        QTest::newRow("grey: just under half its width deep")
            << int(Grey) << jump::Falling << 0.0f << 382.0f << true;
        QTest::newRow("green: 10 below its top")
            << int(Green) << jump::Falling << 0.0f << 10.0f << true;
        QTest::newRow("bird: inside it") << int(Bird) << jump::Falling << 10.0f << 10.0f << true;
        QTest::newRow("bird: left edges equal")
            << int(Bird) << jump::Falling << 0.0f << 10.0f << false;
        QTest::newRow("bird: right edges equal")
            << int(Bird) << jump::Falling << 1050.0f - kSide << 10.0f << false;
        QTest::newRow("bird: a quarter of its width deep")
            << int(Bird) << jump::Falling << 10.0f << 262.5f << false;
        QTest::newRow("bird: just under a quarter deep")
            << int(Bird) << jump::Falling << 10.0f << 262.0f << true;
    }
    void stompKillsAndBounces() {
        QFETCH(int, kind);
        QFETCH(qint16, etat);
        QFETCH(float, dl);
        QFETCH(float, db);
        QFETCH(bool, stomp);
        Field f;
        // The enemy placed relative to the player.
        auto& s = field(f, kind, kPLeft - dl, kPBottom - db, etat);
        s.tuesgris = 3;
        s.puiss = 0;
        s.basesaut = 10305;
        s.evie();
        QCOMPARE(!enemy(s, kind).Visible, stomp);
        if (stomp) {
            QCOMPARE(s.etat, jump::Rising);
            QCOMPARE(s.puiss, int16_t(1450));
            QCOMPARE(s.basesaut, int16_t(kPBottom));
            QVERIFY(f.fx.takeLog().contains(QStringLiteral("sound \"defaut.wav\"")));
        } else {
            QCOMPARE(s.etat, etat);
            QCOMPARE(s.puiss, int16_t(0));
            QVERIFY(f.fx.takeLog().isEmpty());
        }
        QCOMPARE(s.tuesgris, int16_t(stomp && kind == Grey ? 4 : 3));
    }

    void stompsAlsoPayTheTouch() {
        Field f;
        auto& s = field(f, Grey, kPLeft + 30, kPBottom - 10, jump::Falling);
        s.evie();
        QVERIFY(!s.mech1(0).Visible);
        QCOMPARE(s.energie, kEnergy - 40);
    }

    void oneStompPerTick() {
        Field f;
        auto& s = field(f, Grey, kPLeft - 30, kPBottom - 10, jump::Falling);
        s.spawn();
        s.mech1(1).Visible = true;
        testing::place(s.mech1(1), kPLeft - 30, kPBottom - 10);
        s.mech2(1).Visible = true;
        testing::place(s.mech2(1), kPLeft - 30, kPBottom - 10);
        s.evie();
        QVERIFY(!s.mech1(0).Visible);
        QVERIFY(s.mech1(1).Visible);
        QVERIFY(s.mech2(1).Visible);
        QCOMPARE(s.tuesgris, int16_t(1));
        // Each living enemy in contact still costs its touch.
        QCOMPARE(s.energie, kEnergy - 40 - 40 - 55);
    }

    void killsCountOnlyUpToTheLevelsNumber() {
        Field f;
        f.game.options.greyToKill = 2;
        auto& s = field(f, Grey, kPLeft - 30, kPBottom - 10, jump::Falling);
        s.tuesgris = 2;
        s.evie();
        QVERIFY(!s.mech1(0).Visible);
        QCOMPARE(s.tuesgris, int16_t(2));
    }

    void hiddenEnemiesAreLeftAlone() {
        Field f;
        auto& s = field(f, Grey, kPLeft - 30, kPBottom - 10, jump::Falling);
        s.mech1(0).Visible = false;
        s.evie();
        QCOMPARE(s.energie, kEnergy);
        QCOMPARE(s.etat, jump::Falling);
    }
};

QTEST_MAIN(TestGameCollisions)
#include "test_game_collisions.moc"
