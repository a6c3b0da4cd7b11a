// The runtime's number rules: whole numbers, reading and writing numbers as
// text, the random sequence.
#include <QtTest>

#include "level/runtime.h"

class TestRuntime : public QObject {
    Q_OBJECT
private slots:
    void wholeNumbersRoundHalfToEven_data() {
        QTest::addColumn<double>("in");
        QTest::addColumn<int>("out");
        QTest::newRow("0.5") << 0.5 << 0;
        QTest::newRow("1.5") << 1.5 << 2;
        QTest::newRow("2.5") << 2.5 << 2;
        QTest::newRow("-0.5") << -0.5 << 0;
        QTest::newRow("-1.5") << -1.5 << -2;
        QTest::newRow("2.4999") << 2.4999 << 2;
        QTest::newRow("10305.0") << 10305.0 << 10305;
        QTest::newRow("32767.4") << 32767.4 << 32767;
        QTest::newRow("-32768.5") << -32768.5 << -32768;
    }
    void wholeNumbersRoundHalfToEven() {
        QFETCH(double, in);
        QFETCH(int, out);
        QCOMPARE(int(level::cint(in)), out);
    }

    void wholeNumbersOutOfRangeAreErrors() {
        QVERIFY_THROWS_EXCEPTION(level::RuntimeError, level::cint(32767.5));
        QVERIFY_THROWS_EXCEPTION(level::RuntimeError, level::cint(-32769));
        QVERIFY_THROWS_EXCEPTION(level::RuntimeError, level::add16(32767, 1));
        QCOMPARE(level::add16(32766, 1), int16_t(32767));
    }

    void leadingNumberOfText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("digits") << "5" << 5.0;
        QTest::newRow("ten") << "10" << 10.0;
        QTest::newRow("blanks") << "   42abc" << 42.0;
        QTest::newRow("sign") << "-7" << -7.0;
        QTest::newRow("fraction") << "8.8%" << 8.8;
        QTest::newRow("comma stops") << "8,8" << 8.0;
        QTest::newRow("text") << "abc" << 0.0;
        QTest::newRow("lone dot") << "." << 0.0;
        QTest::newRow("leading dot") << ".5" << 0.5;
    }
    void leadingNumberOfText() {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(level::val(text), value);
    }

    void wholeTextAsNumber() {
        double v = 0;
        QVERIFY(level::parseNumber(u" 12.5 ", v));
        QCOMPARE(v, 12.5);
        QVERIFY(!level::parseNumber(u"12x", v));
        QVERIFY(!level::parseNumber(u"", v));
        QVERIFY(!level::parseNumber(u"1e5", v));
    }

    // A number past a double's range is reported, never read as 0; one too
    // small for a double is its nearest value, 0. Labels read it as before.
    void numbersBeyondADouble_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("tooLarge");
        QTest::addColumn<double>("value");
        QTest::newRow("310 nines") << QString(310, u'9') << true << 0.0;
        QTest::newRow("4096 digits, negative") << u'-' + QString(4096, u'7') << true << 0.0;
        QTest::newRow("400 zeros after the point")
            << QStringLiteral("0.") + QString(400, u'0') + u'1' << false << 0.0;
    }
    void numbersBeyondADouble() {
        QFETCH(QString, text);
        QFETCH(bool, tooLarge);
        QFETCH(double, value);
        double v = -1;
        bool large = !tooLarge;
        QCOMPARE(level::parseNumber(text, v, &large), !tooLarge);
        QCOMPARE(large, tooLarge);
        if (!tooLarge) QCOMPARE(v, value);
        QCOMPARE(level::val(text), value);
    }

    void plainDecimalText_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 8520.0 << "8520";
        QTest::newRow("negative") << -30.0 << "-30";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("minus zero") << -0.0 << "0";
        QTest::newRow("half") << 847.5 << "847.5";
        QTest::newRow("third") << 66.666666666666671 << "66.66666666666667";
        QTest::newRow("no exponent, large") << 1e20 << "100000000000000000000";
        QTest::newRow("no exponent, small") << 0.00001 << "0.00001";
    }
    void plainDecimalText() {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(level::str(value), text);
    }

    void singlesWriteTheirShortestForm() {
        QCOMPARE(level::str(7.65f), QStringLiteral("7.65"));
        QCOMPARE(level::str(float(20000.0 / 300.0)), QStringLiteral("66.666664"));
        QCOMPARE(level::strSingle(float(20000.0 / 300.0), 7), QStringLiteral("66.66666"));
        QCOMPARE(level::strSingle(1455.0f, 7), QStringLiteral("1455"));
        QCOMPARE(level::strSingle(-30.0f, 7), QStringLiteral("-30"));
    }

    void randomSequenceIsFixedUntilReseeded() {
        level::Rng a, b;
        for (int i = 0; i < 100; ++i) {
            const float x = a.next();
            QVERIFY(x >= 0.0f && x < 1.0f);
            QCOMPARE(x, b.next());
        }
        level::Rng c;
        c.reseed(12345);
        level::Rng d;
        QVERIFY(c.next() != d.next());
    }
};

QTEST_GUILESS_MAIN(TestRuntime)
#include "test_runtime.moc"
