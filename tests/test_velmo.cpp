// The jump test bed: charging, jumping, the pause at the top, falling,
// landing, walking off, the horizontal bounds and the charge's expiry.
#include <QtTest>
#include <vector>

#include "prototype/frmsaut.h"
#include "prototype/program.h"
#include "support.h"

namespace {

// A point of open sky, where a click reaches the screen itself.
constexpr float kSkyX = 14000, kSkyY = 8000;

// A velmo program with time frozen, its screen shown.
struct Bed {
    testing::Fixture fixture;
    velmo::VelmoProgram program{fixture.services(), true};
    velmo::frmsaut& s;

    Bed() : s((program.start(), program.get<velmo::frmsaut>())) {}

    void tick1(int n = 1) {
        for (int i = 0; i < n; ++i)
            s.Timer1.fire();
    }
    void tick2(int n = 1) {
        for (int i = 0; i < n; ++i)
            s.Timer2.fire();
    }
    void tickH(int n = 1) {
        for (int i = 0; i < n; ++i)
            s.Timerhsaut.fire();
    }
    void press(int key, int times = 1) {
        for (int i = 0; i < times; ++i)
            s.deliverKeyDown(key, 0);
    }
    void release(int key) { s.deliverKeyUp(key, 0); }
    void click(int button) {
        s.deliverMouse(tk::Screen::MouseAction::Down, button, 0, kSkyX, kSkyY);
        s.deliverMouse(tk::Screen::MouseAction::Up, button, 0, kSkyX, kSkyY);
    }
    // On the ground after the first tick, with a charge of `power`.
    void standWithCharge(int power) {
        tick1();
        s.puiss = static_cast<int16_t>(power);
    }
};

}  // namespace

class TestVelmo : public QObject {
    Q_OBJECT
private slots:
    void firstTickPutsPlayerOnGround() {
        Bed b;
        b.tick1();
        QCOMPARE(b.s.joueur.Top, 10305.0f);
        QCOMPARE(b.s.basesaut, int16_t(10305));
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Standing));
        QCOMPARE(b.s.plateau, int16_t(0));
    }

    void spaceChargesUpToMaximum_data() {
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("power");
        QTest::newRow("one") << 1 << 150;
        QTest::newRow("eleven") << 11 << 1650;
        QTest::newRow("twenty-nine") << 29 << 4350;
        QTest::newRow("thirty") << 30 << 4500;
        QTest::newRow("fifty") << 50 << 4500;
    }
    void spaceChargesUpToMaximum() {
        QFETCH(int, presses);
        QFETCH(int, power);
        Bed b;
        b.press(tk::key::Space, presses);
        QCOMPARE(int(b.s.puiss), power);
        b.tickH();
        QCOMPARE(b.s.hsauts.Width, float(power / 4500.0 * 1815));
    }

    // Rise 200 a tick to the top, hold, then fall 85 a tick; the first pause
    // of a screen is one tick longer than the later ones.
    void jumpRisesPausesAndFalls() {
        Bed b;
        b.standWithCharge(1000);
        b.release(tk::key::Shift);
        std::vector<float> tops;
        for (int i = 0; i < 5; ++i) {
            b.tick1();
            tops.push_back(b.s.joueur.Top);
        }
        QCOMPARE(tops, (std::vector<float>{10105, 9905, 9705, 9505, 9305}));
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Rising));
        b.tick1();
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Pausing));
        for (int i = 0; i < 5; ++i) {
            b.tick1();
            QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Pausing));
        }
        b.tick1();
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Falling));
        QCOMPARE(b.s.joueur.Top, 9305.0f);
        b.tick1(2);
        QCOMPARE(b.s.joueur.Top, 9475.0f);

        b.tick1(20);  // back on the ground
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Standing));
        QCOMPARE(b.s.joueur.Top, 10305.0f);
        b.s.puiss = 200;
        b.release(tk::key::Shift);
        b.tick1(2);  // one step up, then the top
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Pausing));
        b.tick1(4);
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Pausing));
        b.tick1();
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Falling));
    }

    // Platform 3: left 8640, width 3975, top 6600.
    void landingNeedsReachAndCentre_data() {
        QTest::addColumn<float>("left");
        QTest::addColumn<float>("below");  // player's bottom under the top
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("lands");
        const int falling = velmo::frmsaut::Falling, pausing = velmo::frmsaut::Pausing,
                  rising = velmo::frmsaut::Rising;
        QTest::newRow("on the top") << 10000.f << 0.f << falling << true;
        QTest::newRow("150 below") << 10000.f << 150.f << falling << true;
        QTest::newRow("199 below") << 10000.f << 199.f << falling << true;
        QTest::newRow("200 below") << 10000.f << 200.f << falling << false;
        QTest::newRow("above") << 10000.f << -1.f << falling << false;
        QTest::newRow("pausing") << 10000.f << 150.f << pausing << true;
        QTest::newRow("rising passes") << 10000.f << 150.f << rising << false;
        QTest::newRow("centre on left edge") << 8452.5f << 150.f << falling << true;
        QTest::newRow("centre left of it") << 8452.f << 150.f << falling << false;
        QTest::newRow("centre on right edge") << 12427.5f << 150.f << falling << true;
        QTest::newRow("centre right of it") << 12428.f << 150.f << falling << false;
    }
    void landingNeedsReachAndCentre() {
        QFETCH(float, left);
        QFETCH(float, below);
        QFETCH(int, state);
        QFETCH(bool, lands);
        Bed b;
        b.s.joueur.Left = left;
        b.s.joueur.Top = 6600 + below - 375;
        b.s.etat = static_cast<int16_t>(state);
        b.s.sens = velmo::frmsaut::LeftFast;
        b.s.puiss = 1200;
        b.tick1();
        QCOMPARE(b.s.plateau == 3, lands);
        if (lands) {
            QCOMPARE(b.s.joueur.Top, 6225.0f);
            QCOMPARE(b.s.basesaut, int16_t(6225));
            QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Standing));
            QCOMPARE(b.s.sens, int16_t(velmo::frmsaut::Still));
            QCOMPARE(b.s.puiss, int16_t(0));
        }
    }

    // The click gives a direction that holds through the whole flight.
    void clickJumpDriftsUntilLanding_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<float>("step");
        QTest::newRow("left") << int(tk::LeftButton) << -120.f;
        QTest::newRow("right") << int(tk::RightButton) << 120.f;
        QTest::newRow("middle") << int(tk::MiddleButton) << 0.f;
    }
    void clickJumpDriftsUntilLanding() {
        QFETCH(int, button);
        QFETCH(float, step);
        Bed b;
        b.tick1();
        b.press(tk::key::Space, 11);
        b.release(tk::key::Space);
        b.click(button);
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Rising));
        QCOMPARE(b.s.delai, 555555.0);
        int flightTicks = 0;
        while (b.s.etat != velmo::frmsaut::Standing) {
            QVERIFY2(++flightTicks < 200, "never landed");
            const float before = b.s.joueur.Left;
            b.tick2();
            QCOMPARE(b.s.joueur.Left, before + step);
            b.tick1(2);
        }
        QVERIFY(flightTicks > 10);
        QCOMPARE(b.s.sens, int16_t(velmo::frmsaut::Still));
        QCOMPARE(b.s.joueur.Top, 10305.0f);
        const float landed = b.s.joueur.Left;
        b.tick2(5);
        QCOMPARE(b.s.joueur.Left, landed);
    }

    void clickWhileAirborneKeepsState() {
        Bed b;
        b.tick1();
        b.s.etat = velmo::frmsaut::Falling;
        b.click(tk::RightButton);
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Falling));
        QCOMPARE(b.s.sens, int16_t(velmo::frmsaut::RightFast));
        QCOMPARE(b.s.delai, 555555.0);
    }

    // Shift jumps again in mid-air, to basesaut - puiss with the charge at hand.
    void shiftWhileFallingRisesAgain() {
        Bed b;
        b.standWithCharge(1000);
        b.release(tk::key::Shift);
        b.tick1(12);  // up, the top, the pause
        b.tick1(3);
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Falling));
        QCOMPARE(b.s.joueur.Top, 9560.0f);
        b.press(tk::key::Space, 10);
        QCOMPARE(b.s.puiss, int16_t(2500));
        b.release(tk::key::Shift);
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Rising));
        b.tick1(9);
        QCOMPARE(b.s.joueur.Top, 7760.0f);  // 9560 - 9 x 200, first at or above 7805
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Rising));
        b.tick1();
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Pausing));
        QCOMPARE(b.s.joueur.Top, 7760.0f);
    }

    // Leaving the last platform's span drops the player in the same tick,
    // even in the middle of a rise.
    void walkingOffDropsAtOnce_data() {
        QTest::addColumn<int>("state");
        QTest::newRow("standing") << int(velmo::frmsaut::Standing);
        QTest::newRow("rising") << int(velmo::frmsaut::Rising);
    }
    void walkingOffDropsAtOnce() {
        QFETCH(int, state);
        Bed b;
        b.s.plateau = 3;
        b.s.joueur.Top = 6225;
        b.s.basesaut = 6225;
        b.s.puiss = 3000;
        b.s.etat = static_cast<int16_t>(state);
        b.s.joueur.Left = 8640 - 187.5f - 1;
        b.tick1();
        QCOMPARE(b.s.etat, int16_t(velmo::frmsaut::Falling));
        QCOMPARE(b.s.joueur.Top, 6310.0f);
    }

    void horizontalBoundsThenMove_data() {
        QTest::addColumn<float>("left");
        QTest::addColumn<int>("direction");
        QTest::addColumn<float>("after");
        const int none = velmo::frmsaut::Still;
        QTest::newRow("-10 to 1") << -10.f << none << 1.f;
        QTest::newRow("0 stays") << 0.f << none << 0.f;
        QTest::newRow("far right") << 20200.f << none << 20101.f;
        QTest::newRow("bound then left fast") << -10.f << int(velmo::frmsaut::LeftFast) << -119.f;
        QTest::newRow("bound then right fast")
            << 20200.f << int(velmo::frmsaut::RightFast) << 20221.f;
        QTest::newRow("right slow") << 5000.f << int(velmo::frmsaut::RightSlow) << 5075.f;
        QTest::newRow("left slow") << 5000.f << int(velmo::frmsaut::LeftSlow) << 4925.f;
    }
    void horizontalBoundsThenMove() {
        QFETCH(float, left);
        QFETCH(int, direction);
        QFETCH(float, after);
        Bed b;
        b.s.joueur.Left = left;
        b.s.sens = static_cast<int16_t>(direction);
        b.tick2();
        QCOMPARE(b.s.joueur.Left, after);
    }

    void arrowsWalkOnlyWhileStanding() {
        Bed b;
        b.tick1();
        b.press(tk::key::Right);
        QCOMPARE(b.s.sens, int16_t(velmo::frmsaut::RightSlow));
        b.press(tk::key::Left);
        QCOMPARE(b.s.sens, int16_t(velmo::frmsaut::LeftSlow));
        b.release(tk::key::Left);
        QCOMPARE(b.s.sens, int16_t(velmo::frmsaut::Still));

        b.click(tk::LeftButton);  // airborne, drifting left
        b.press(tk::key::Right);
        b.release(tk::key::Right);
        QCOMPARE(b.s.sens, int16_t(velmo::frmsaut::LeftFast));
    }

    void chargeExpiresTwoSecondsAfterRelease() {
        Bed b;
        b.press(tk::key::Space, 11);
        b.release(tk::key::Space);
        QCOMPARE(b.s.delai, 200.0);
        b.tickH(199);
        QCOMPARE(b.s.puiss, int16_t(1650));
        QCOMPARE(b.s.hsauts.Width, 665.5f);
        b.tickH();
        QCOMPARE(b.s.puiss, int16_t(0));
        QCOMPARE(b.s.hsauts.Width, 0.0f);
        // The count runs on below zero without dropping a new charge.
        b.press(tk::key::Space, 2);
        b.tickH(300);
        QCOMPARE(b.s.puiss, int16_t(300));
    }

    void clickHoldsTheCharge() {
        Bed b;
        b.press(tk::key::Space, 30);
        b.release(tk::key::Space);
        b.click(tk::MiddleButton);
        b.tickH(1000);
        QCOMPARE(b.s.puiss, int16_t(4500));
        QCOMPARE(b.s.delai, 555555.0 - 1000);
        QCOMPARE(b.s.hsauts.Width, 1815.0f);
    }
};

QTEST_MAIN(TestVelmo)
#include "test_velmo.moc"
