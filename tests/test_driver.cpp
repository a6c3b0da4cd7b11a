// The scripted driver's language: words and quoting, printed values, and the
// exit codes for a bad script and for the end of the program.
#include <QtTest>

#include "app/program.h"
#include "support.h"
#include "toolkit/scriptdriver.h"

namespace {
struct Run {
    int code;
    QString out, err;
};
Run run(testing::Fixture& fx, const QString& script) {
    QString out, err, in = script;
    QTextStream o(&out), e(&err), i(&in);
    tk::ScriptedServices services(fx.folder(), &o);
    zelk::ZelkProgram program(services, true);
    tk::ScriptDriver d(program, services, o);
    const int code = d.run(i, e);
    o.flush();
    e.flush();
    return {code, out, err};
}
}  // namespace

class TestDriver : public QObject {
    Q_OBJECT
private slots:
    void wordsAndQuotes() {
        QCOMPARE(tk::splitWords(QStringLiteral("  set  a.b  \"x y\"  ")),
                 QStringList({"set", "a.b", "x y"}));
        QCOMPARE(tk::splitWords(QStringLiteral("answer input \"a\\\"b\\\\c\\nd\"")),
                 QStringList({"answer", "input", "a\"b\\c\nd"}));
        QCOMPARE(tk::splitWords(QStringLiteral("x \"\"")), QStringList({"x", ""}));
        QVERIFY_THROWS_EXCEPTION(tk::ScriptError, tk::splitWords(QStringLiteral("x \"open")));
    }

    void printedValues() {
        QCOMPARE(tk::formatValue(true), QStringLiteral("true"));
        QCOMPARE(tk::formatValue(QVariant::fromValue<qint16>(-30)), QStringLiteral("-30"));
        QCOMPARE(tk::formatValue(66.666664f), QStringLiteral("66.666664"));
        QCOMPARE(tk::formatValue(55555.0), QStringLiteral("55555"));
        QCOMPARE(tk::formatValue(QStringLiteral("a\"b\r\n")), QStringLiteral("\"a\\\"b\\r\\n\""));
    }

    void badScriptsStopWithCodeTwoNamingTheLine_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("says");
        QTest::newRow("command") << "# c\n\nfly frmmenu"
                                 << "line 3: unknown command fly";
        QTest::newRow("screen") << "get nowhere.Caption"
                                << "unknown screen nowhere";
        QTest::newRow("element") << "get frmopt.nothing.Value"
                                 << "unknown element frmopt.nothing";
        QTest::newRow("property") << "get frmopt.nb.Colour"
                                  << "unknown property Colour";
        QTest::newRow("number") << "set frmopt.nb.Value many"
                                << "not a number: many";
        QTest::newRow("no item") << "select frmopt.nbf \"11\""
                                 << "no item \"11\"";
        QTest::newRow("mouse at") << "mouse frmsaut on down 1 0 0"
                                  << "expected at: on";
        QTest::newRow("mouse words") << "mouse frmsaut at down 1"
                                     << "wrong number of words for mouse";
    }
    void badScriptsStopWithCodeTwoNamingTheLine() {
        QFETCH(QString, script);
        QFETCH(QString, says);
        testing::Fixture fx;
        const Run r = run(fx, script + QStringLiteral("\nget frmopt.nb.Value\n"));
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(says), qPrintable(r.err));
        QVERIFY(!r.out.contains(QStringLiteral("frmopt.nb.Value=")));  // stopped at the bad line
    }

    void touchingAScreenLoadsItAndSetRaisesEvents() {
        testing::Fixture fx;
        const Run r = run(fx, QStringLiteral("set frmopt.nb.Value 4\nget frmopt.Label11.Caption\n"
                                             "get frmopt.Visible\n"));
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("frmopt.Label11.Caption=\"4\"\nfrmopt.Visible=false\n"));
    }
};

QTEST_MAIN(TestDriver)
#include "test_driver.moc"
