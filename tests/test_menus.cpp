// The main menu's summary and delete, and the two option screens.
#include <QtTest>

#include "app/program.h"
#include "menus/frmaut.h"
#include "menus/frmmenu.h"
#include "menus/frmopt.h"
#include "menus/speedword.h"
#include "support.h"

namespace {

QByteArray levelWith(const char* options) {
    return QByteArray(
               "8520,1920,1695,1095,5400,3120,1455,3135,3360,9240,1455,3135,2640,2040,1455,"
               "3135,3120,5880,1455,3135,5520,7560,1455,3135,") +
           options + "\r\n";
}

}  // namespace

class TestMenus : public QObject {
    Q_OBJECT
private slots:
    void speedWordsAtTheirBorders_data() {
        QTest::addColumn<int>("speed");
        QTest::addColumn<QString>("word");
        for (auto [v, w] : std::initializer_list<std::pair<int, const char*>>{{0, ""},
                                                                              {1, ""},
                                                                              {2, "Tres lent"},
                                                                              {8, "Tres lent"},
                                                                              {9, "Lent"},
                                                                              {15, "Lent"},
                                                                              {16, "Normal"},
                                                                              {30, "Normal"},
                                                                              {31, "Rapide"},
                                                                              {40, "Rapide"},
                                                                              {41, "Tres rapide"},
                                                                              {50, "Tres rapide"}})
            QTest::addRow("%d", v) << v << QString::fromUtf8(w);
    }
    void speedWordsAtTheirBorders() {
        QFETCH(int, speed);
        QFETCH(QString, word);
        QCOMPARE(zelk::speedWord(speed), word);
    }

    void summaryOfASelectedLevel_data() {
        QTest::addColumn<QByteArray>("options");
        QTest::addColumn<QStringList>("captions");  // quatre, cinq, deux, un, trois
        QTest::newRow("start level")
            << QByteArray("0,10,1,15,\"2\"")
            << QStringList{"Oiseau : non", "Vitesse :", "Nombres de grenouilles vertes : 1",
                           "Nombre de grenouilles grises : 15", "Nombre de fioles : 2"};
        QTest::newRow("bird, slow")
            << QByteArray("1,10,7,0,\"10\"")
            << QStringList{"Oiseau : oui", "Vitesse : Lent", "Nombres de grenouilles vertes : 7",
                           "Nombre de grenouilles grises : 0", "Nombre de fioles : 10"};
        QTest::newRow("bird, below the words")
            << QByteArray("1,1,0,100,\"\"")
            << QStringList{"Oiseau : oui", "Vitesse : ", "Nombres de grenouilles vertes : 0",
                           "Nombre de grenouilles grises : 100", "Nombre de fioles : "};
        QTest::newRow("no bird hides the speed")
            << QByteArray("0,45,2,3,\"1\"")
            << QStringList{"Oiseau : non", "Vitesse :", "Nombres de grenouilles vertes : 2",
                           "Nombre de grenouilles grises : 3", "Nombre de fioles : 1"};
    }
    void summaryOfASelectedLevel() {
        QFETCH(QByteArray, options);
        QFETCH(QStringList, captions);
        testing::Fixture fx;
        fx.writeFile(QStringLiteral("niveau1.lev"), levelWith(options.constData()));
        zelk::ZelkProgram p(fx.services(), true);
        auto& m = p.get<zelk::frmmenu>();
        m.File1.userSelect(0);
        QCOMPARE((QStringList{m.quatre.Caption, m.cinq.Caption, m.deux.Caption, m.un.Caption,
                              m.trois.Caption}),
                 captions);
        QCOMPARE(m.champ1, qint16(8520));
    }

    void unreadableLevelKeepsTheSummaryAndSaysWhy() {
        testing::Fixture fx;
        fx.writeFile(QStringLiteral("a.lev"), levelWith("0,10,1,15,\"2\""));
        fx.writeFile(QStringLiteral("b.lev"), "1,2,3\r\n");
        zelk::ZelkProgram p(fx.services(), true);
        auto& m = p.get<zelk::frmmenu>();
        m.File1.userSelect(0);
        fx.takeLog();
        m.File1.userSelect(1);
        QCOMPARE(m.un.Caption, QStringLiteral("Nombre de grenouilles grises : 15"));
        const QStringList log = fx.takeLog();
        QCOMPARE(log.size(), 1);
        QVERIFY(log[0].contains(QStringLiteral("« b.lev »")));
        QVERIFY(log[0].endsWith(QStringLiteral(" 16 -> 1")));
    }

    void deleteAsksAndObeys_data() {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("kept");
        QTest::newRow("yes") << 6 << false;
        QTest::newRow("no") << 7 << true;
        QTest::newRow("closed box") << 2 << false;
    }
    void deleteAsksAndObeys() {
        QFETCH(int, answer);
        QFETCH(bool, kept);
        testing::Fixture fx;
        fx.writeFile(QStringLiteral("a.lev"), levelWith("0,10,1,15,\"2\""));
        zelk::ZelkProgram p(fx.services(), true);
        auto& m = p.get<zelk::frmmenu>();
        m.File1.userSelect(0);
        fx.takeLog();
        fx.services().queueMsgBoxAnswer(answer);
        m.Command2.click();
        QCOMPARE(fx.takeLog(),
                 QStringList{QStringLiteral("msgbox \"Confirmation\" \"Etes vous certain de "
                                            "supprimer le fichier a.lev?\" 68 -> %1")
                                 .arg(answer)});
        QCOMPARE(QFile::exists(fx.path(QStringLiteral("a.lev"))), kept);
        QCOMPARE(m.File1.listCount(), kept ? 1 : 0);
        QCOMPARE(m.un.Caption, QStringLiteral("Nombre de grenouilles grises : 15"));  // untouched
    }

    void deleteOfAVanishedFileSaysSoAndRefreshes() {
        testing::Fixture fx;
        fx.writeFile(QStringLiteral("a.lev"), levelWith("0,10,1,15,\"2\""));
        zelk::ZelkProgram p(fx.services(), true);
        auto& m = p.get<zelk::frmmenu>();
        m.File1.userSelect(0);
        QFile::remove(fx.path(QStringLiteral("a.lev")));
        fx.takeLog();
        m.Command2.click();
        const QStringList log = fx.takeLog();
        QCOMPARE(log.size(), 2);
        QVERIFY(log[1].contains(QStringLiteral("n'existe plus")));
        QCOMPARE(m.File1.listCount(), 0);
    }

    void nothingSelectedMeansNothingHappens() {
        testing::Fixture fx;
        zelk::ZelkProgram p(fx.services(), true);
        auto& m = p.get<zelk::frmmenu>();
        fx.takeLog();
        m.Command2.click();
        m.Command8.click();
        m.Command1.click();
        QCOMPARE(fx.takeLog(), QStringList());
    }

    void menuLoadKeepsTheGameOptionsMinimised() {
        testing::Fixture fx;
        zelk::ZelkProgram p(fx.services(), true);
        p.show<zelk::frmmenu>();
        QVERIFY(p.loadedAs<zelk::frmaut>());
        QVERIFY(p.loadedAs<zelk::frmopt>());
        QCOMPARE(p.get<zelk::frmaut>().windowState(), int(tk::Minimized));
        p.get<zelk::frmmenu>().Command6.click();
        QCOMPARE(p.get<zelk::frmaut>().windowState(), int(tk::Normal));
        p.get<zelk::frmaut>().Command2.click();
        QCOMPARE(p.get<zelk::frmaut>().windowState(), int(tk::Minimized));
        p.get<zelk::frmaut>().Command2.click();  // already minimised: nothing changes
        QCOMPARE(p.get<zelk::frmaut>().windowState(), int(tk::Minimized));
    }

    void enemyOptionsStartValuesAndEvents() {
        testing::Fixture fx;
        zelk::ZelkProgram p(fx.services(), true);
        auto& o = p.get<zelk::frmopt>();
        QCOMPARE(o.ois.value(), 0);
        QCOMPARE(o.vitois.value(), 10);
        QCOMPARE(o.Label2.Caption, QStringLiteral("Lent"));
        QCOMPARE(o.nb.value(), 1);
        QCOMPARE(o.Label11.Caption, QStringLiteral("1"));
        QCOMPARE(o.nbg.value(), 15);
        QCOMPARE(o.Label8.Caption, QStringLiteral("15"));
        QCOMPARE(o.nbf.text(), QStringLiteral("2"));
        // At start the word is greyed while the bar is not.
        QVERIFY(!o.Label2.Enabled);
        QVERIFY(o.vitois.enabled());
        o.ois.setValue(1);
        QVERIFY(o.Label2.Enabled && o.vitois.enabled());
        o.ois.setValue(0);
        QVERIFY(!o.Label2.Enabled && !o.vitois.enabled());
        QCOMPARE(o.vitois.value(), 10);
        for (auto [v, w] :
             std::initializer_list<std::pair<int, const char*>>{{2, "Tres lent"},
                                                                {9, "Lent"},
                                                                {16, "Normal"},
                                                                {31, "Rapide"},
                                                                {41, "Tres rapide"}}) {
            o.vitois.setValue(v);
            QCOMPARE(o.Label2.Caption, QString::fromUtf8(w));
        }
        o.nbg.setValue(0);
        QCOMPARE(o.Label8.Caption, QStringLiteral("0"));
        o.nbg.setValue(100);
        QCOMPARE(o.Label8.Caption, QStringLiteral("100"));
        o.nb.setValue(7);
        QCOMPARE(o.Label11.Caption, QStringLiteral("7"));
        o.nbf.setText(QStringLiteral("10"));
        QCOMPARE(o.nbf.listIndex(), 9);
        o.nbf.setText(QString());
        QCOMPARE(o.nbf.listIndex(), -1);
        QCOMPARE(o.nbf.text(), QString());
    }

    void gameOptionsStartValuesAndEvents() {
        testing::Fixture fx;
        zelk::ZelkProgram p(fx.services(), true);
        auto& a = p.get<zelk::frmaut>();
        QCOMPARE(a.dep.value(), 18);
        QCOMPARE(a.vie.value(), 125);
        QCOMPARE(a.Label6.Caption, QStringLiteral("100%"));
        QCOMPARE(a.maxgb.value(), 4);
        QCOMPARE(a.Label9.Caption, QStringLiteral("4"));
        QVERIFY(a.jour.value() && !a.nuit.value());
        a.vie.setValue(10);
        QCOMPARE(a.Label6.Caption, QStringLiteral("8%"));
        a.vie.setValue(250);
        QCOMPARE(a.Label6.Caption, QStringLiteral("200%"));
        a.vie.setValue(11);  // only a dragged thumb gives fractions
        QCOMPARE(a.Label6.Caption, QStringLiteral("8.8%"));
        a.Command1.click();
        QCOMPARE(a.vie.value(), 125);
        QCOMPARE(a.Label6.Caption, QStringLiteral("100%"));
        a.dep.setValue(1);
        a.Command6.click();
        QCOMPARE(a.dep.value(), 18);
        a.ram.setValue(1);
        QVERIFY(!a.dep.enabled());
        QCOMPARE(a.dep.value(), 18);
        a.ram.setValue(0);
        QVERIFY(a.dep.enabled());
        a.maxgb.setValue(1);
        QCOMPARE(a.Label9.Caption, QStringLiteral("1"));
        a.maxgb.setValue(15);
        QCOMPARE(a.Label9.Caption, QStringLiteral("15"));
        a.nuit.setValue(true);
        QVERIFY(!a.jour.value());
        fx.takeLog();
        a.Command3.click();
        const QStringList log = fx.takeLog();
        QCOMPARE(log.size(), 1);
        QVERIFY(
            log[0].startsWith(QStringLiteral("msgbox \"!!!\" \"Attention!, le jeu peut ramer")));
        QVERIFY(log[0].endsWith(QStringLiteral(" 48 -> 1")));
    }

    void closedEnemyOptionsComeBackWithStartValues() {
        testing::Fixture fx;
        zelk::ZelkProgram p(fx.services(), true);
        p.get<zelk::frmopt>().nbg.setValue(42);
        p.closedByUser(p.get<zelk::frmopt>());
        p.collectGarbage();
        QCOMPARE(p.get<zelk::frmopt>().nbg.value(), 15);
    }
};

QTEST_MAIN(TestMenus)
#include "test_menus.moc"
