// The start-up warning, the tips, the help and the end screen.
#include <sys/stat.h>

#include <QtTest>

#include "app/program.h"
#include "menus/avert.h"
#include "menus/frmTip.h"
#include "menus/frmaide.h"
#include "menus/frmfin.h"
#include "menus/frmmenu.h"
#include "menus/frmpre.h"
#include "support.h"

namespace {
// Services of a program that runs in real time: ending is only recorded.
class RecordingServices : public tk::ScriptedServices {
public:
    using tk::ScriptedServices::ScriptedServices;
    void end() override { ended = true; }
    bool ended = false;
};
}  // namespace

class TestScreens : public QObject {
    Q_OBJECT
private slots:
    void warningIconBlinksStartingShown() {
        testing::Fixture fx;
        zelk::ZelkProgram p(fx.services(), true);
        p.start();
        auto& a = p.get<zelk::avert>();
        QVERIFY(a.pan.Visible);
        QCOMPARE(a.Timer1.interval(), 350);
        QVERIFY(a.Timer1.enabled());
        a.Timer1.fire();
        QVERIFY(!a.pan.Visible);
        a.Timer1.fire();
        QVERIFY(a.pan.Visible);
    }

    void commencerLeadsToTheMenuForGood() {
        testing::Fixture fx;
        zelk::ZelkProgram p(fx.services(), true);
        p.start();
        p.get<zelk::avert>().OKButton.click();
        QVERIFY(!p.loadedAs<zelk::avert>());
        QVERIFY(p.get<zelk::frmmenu>().visible());
        QCOMPARE(fx.takeLog(), QStringList({"show avert", "unload avert", "show frmsaut",
                                            "unload frmsaut", "show frmaut", "show frmmenu"}));
    }

    void displaySwitchAndReadmeGoThroughTheServices() {
        testing::Fixture fx;
        zelk::ZelkProgram p(fx.services(), true);
        p.start();
        fx.takeLog();
        auto& a = p.get<zelk::avert>();
        a.Command1.click();
        a.Command1.click();  // twice: the same request twice
        a.Command2.click();
        QCOMPARE(fx.takeLog(), QStringList({"display \"1024x768\"", "display \"1024x768\"",
                                            "launch \"lisez-moi.txt\""}));
        QVERIFY(a.visible());  // the warning stays open
        // A display left as it was says why; one switched, or already so, says nothing.
        using Change = tk::Services::DisplayChange;
        for (Change c :
             {Change::NoSuchMode, Change::Unsupported, Change::Refused, Change::Already}) {
            fx.services().setDisplayAnswer(c);
            a.Command1.click();
            const QStringList log = fx.takeLog();
            QCOMPARE(log.size(), c == Change::Already ? 1 : 2);
            if (c != Change::Already)
                QVERIFY2(log[1].contains("L'affichage n'a pas été changé"), qPrintable(log[1]));
        }
    }

    void quitterEndsTheProgram() {
        testing::Fixture fx;
        zelk::ZelkProgram p(fx.services(), true);
        p.start();
        QVERIFY_THROWS_EXCEPTION(tk::ProgramEnded, p.get<zelk::avert>().CancelButton.click());
    }

    void tipsFiles_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("one line") << QByteArray("Sautez!\r\n") << QStringList{"Sautez!"};
        QTest::newRow("three lines") << QByteArray("a\r\nb\r\nc\r\n") << QStringList{"a", "b", "c"};
        QTest::newRow("last line without end") << QByteArray("a\nb") << QStringList{"a", "b"};
        QTest::newRow("empty lines count") << QByteArray("a\n\nb\n") << QStringList{"a", "", "b"};
        QTest::newRow("accents in UTF-8")
            << QByteArray("fiole à poser\n") << QStringList{"fiole à poser"};
        QTest::newRow("accents in the old code page")
            << QByteArray("fiole \xe0 poser\r\n") << QStringList{"fiole à poser"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
        QTest::newRow("byte order mark, UTF-8") << QByteArray(
                                                       "\xEF\xBB\xBF"
                                                       "a\nb\n")
                                                << QStringList{"a", "b"};
        QTest::newRow("two byte order marks: the second is text")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBF") << QStringList{QStringLiteral("\ufeff")};
        QTest::newRow("byte order mark, old code page")
            << QByteArray("\xEF\xBB\xBF\xe0 poser\n") << QStringList{"à poser"};
        QTest::newRow("UTF-8 cut short at the end")
            << QByteArray("caf\xc3") << QStringList{QStringLiteral("caf\u00c3")};
        QTest::newRow("a lone lead byte")
            << QByteArray("\xef") << QStringList{QStringLiteral("\u00ef")};
        const QByteArray line = QByteArray("Le h\xc3\xa9ros saute. ").repeated(10);
        QByteArray big;
        while (big.size() < zelk::frmTip::kMaxBytes - 1)
            big += line + '\n';
        big.insert(zelk::frmTip::kMaxBytes - 1, "\xc3\xa9");  // a character across the bound
        QTest::newRow("UTF-8 past the bound")
            << big
            << QStringList(big.left(zelk::frmTip::kMaxBytes).count('\n'), QString::fromUtf8(line));
    }
    void tipsFiles() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, lines);
        testing::Fixture fx;
        fx.writeFile(QStringLiteral("TIPOFDAY.TXT"), content);
        zelk::ZelkProgram p(fx.services(), true);
        auto& t = p.get<zelk::frmTip>();
        QCOMPARE(t.TipLines, lines);
        if (lines.isEmpty()) {
            QCOMPARE(t.lblTipText.Caption, QString());
            t.cmdNextTip.click();
            QCOMPARE(t.lblTipText.Caption, QString());
            return;
        }
        QSet<QString> seen;
        for (int i = 0; i < 200; ++i) {
            QVERIFY(lines.contains(t.lblTipText.Caption));
            QVERIFY(t.TipIndex >= 1 && t.TipIndex <= lines.size());
            seen.insert(t.lblTipText.Caption);
            t.cmdNextTip.click();
        }
        QCOMPARE(seen.size(),
                 QSet<QString>(lines.begin(), lines.end()).size());  // each in the long run
    }

    void missingTipsFileSaysHowToMakeOne() {
        testing::Fixture fx;
        zelk::ZelkProgram p(fx.services(), true);
        auto& t = p.get<zelk::frmTip>();
        QCOMPARE(
            t.lblTipText.Caption,
            QStringLiteral("Le fichier TIPOFDAY.TXT n'a pas été trouvé? \r\n\r\nCréez un fichier "
                           "texte nommé TIPOFDAY.TXT en utilisant le Bloc-notes avec une astuce "
                           "par ligne. Puis placez le dans le même dossier que l'application."));
        t.cmdNextTip.click();
        QVERIFY(t.lblTipText.Caption.startsWith(QStringLiteral("Le fichier")));
    }

    void unreadableTipsFileSaysSo_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        QTest::newRow("folder") << "folder"
                                << "c'est un dossier";
        QTest::newRow("named pipe") << "pipe"
                                    << "pas un fichier ordinaire";
    }
    void unreadableTipsFileSaysSo() {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        testing::Fixture fx;
        const QString path = fx.path(QStringLiteral("TIPOFDAY.TXT"));
        if (kind == QLatin1String("folder")) {
            QDir(fx.folder()).mkdir(QStringLiteral("TIPOFDAY.TXT"));
        } else {
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);  // used to block
        }
        zelk::ZelkProgram p(fx.services(), true);
        const QString caption = p.get<zelk::frmTip>().lblTipText.Caption;
        QVERIFY2(caption.contains(QStringLiteral("ne peut pas être lu")) && caption.contains(says),
                 qPrintable(caption));
    }

    void enterAndEscapeCloseTheTips_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << 13;
        QTest::newRow("Escape") << 27;
    }
    void enterAndEscapeCloseTheTips() {
        QFETCH(int, key);
        testing::Fixture fx;
        zelk::ZelkProgram p(fx.services(), true);
        p.show<zelk::frmTip>();
        p.get<zelk::frmTip>().deliverKeyDown(key, 0);
        QVERIFY(!p.loadedAs<zelk::frmTip>());
    }

    void helpClosesWithOk() {
        testing::Fixture fx;
        zelk::ZelkProgram p(fx.services(), true);
        p.show<zelk::frmmenu>();
        p.get<zelk::frmmenu>().Command5.click();
        auto& h = p.get<zelk::frmaide>();
        QVERIFY(h.visible());
        QCOMPARE(h.Label7.Caption, QStringLiteral("JOUER       Pour jouer au niveau désiré"));
        h.Command1.click();
        QVERIFY(!p.loadedAs<zelk::frmaide>());
    }

    void previewHalvesTheLevelAndTheGameScreen() {
        testing::Fixture fx;
        fx.writeFile(QStringLiteral("start.lev"), testing::kStartLevel);
        zelk::ZelkProgram p(fx.services(), true);
        p.show<zelk::frmmenu>();
        auto& m = p.get<zelk::frmmenu>();
        m.File1.setFileName(QStringLiteral("start.lev"));
        m.Command8.click();
        auto& pre = p.get<zelk::frmpre>();
        QVERIFY(pre.visible());
        QCOMPARE(pre.caption(), QStringLiteral("Prévisualisation    <start.lev>"));
        QCOMPARE(pre.width(), 7680.0f);
        QCOMPARE(pre.height(), 5947.5f);
        const tk::Shape& p1 = pre.Shape1(2);
        QCOMPARE((QList<float>{p1.Top, p1.Left, p1.Height, p1.Width}),
                 (QList<float>{4260, 960, 847.5, 547.5}));
        const float lefts[] = {660, 5100, 2880};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(pre.nuage(k).Left, lefts[k]);
            QCOMPARE(pre.nuage(k).Top, 420.0f);
            QCOMPARE(pre.nuage(k).Width, 1590.0f);
            QCOMPARE(pre.nuage(k).Height, 637.5f);
        }
        QCOMPARE(pre.Shape1(1).Top, 5340.0f);
        QCOMPARE(pre.Shape1(1).Left, -240.0f);  // full size, not halved
        QCOMPARE(pre.Shape1(1).Width, 20000.0f);
        QCOMPARE(pre.Shape1(1).Height, 187.5f);
    }

    void secondPreviewShowsTheNewLevel() {
        testing::Fixture fx;
        fx.writeFile(QStringLiteral("a.lev"), testing::kStartLevel);
        QByteArray b(testing::kStartLevel);
        b.replace("8520,1920,", "8520,-30,");
        fx.writeFile(QStringLiteral("b.lev"), b);
        zelk::ZelkProgram p(fx.services(), true);
        p.show<zelk::frmmenu>();
        auto& m = p.get<zelk::frmmenu>();
        m.File1.setFileName(QStringLiteral("a.lev"));
        m.Command8.click();
        m.File1.setFileName(QStringLiteral("b.lev"));
        m.Command8.click();
        p.collectGarbage();
        auto& pre = p.get<zelk::frmpre>();
        QCOMPARE(pre.caption(), QStringLiteral("Prévisualisation    <b.lev>"));
        QCOMPARE(pre.Shape1(2).Left, -15.0f);
    }

    void unreadablePreviewShowsNothingButTheReason() {
        testing::Fixture fx;
        fx.writeFile(QStringLiteral("bad.lev"), "1,2,3\r\n");
        zelk::ZelkProgram p(fx.services(), true);
        p.show<zelk::frmmenu>();
        auto& m = p.get<zelk::frmmenu>();
        m.File1.setFileName(QStringLiteral("bad.lev"));
        fx.takeLog();
        m.Command8.click();
        const QStringList log = fx.takeLog();
        QVERIFY(!log.contains(QStringLiteral("show frmpre")));
        QVERIFY(!p.loadedAs<zelk::frmpre>());
        QCOMPARE(log.filter(QStringLiteral("« bad.lev »")).size(), 1);
    }

    void closingTheLastWindowEndsTheProgram() {
        testing::Fixture fx;
        RecordingServices services(fx.folder(), nullptr);
        zelk::ZelkProgram p(services, false);
        p.show<zelk::frmfin>();
        QTest::qWait(20);
        QVERIFY(p.get<zelk::frmfin>().window()->isVisible());
        p.get<zelk::frmfin>().window()->close();  // the close box
        QTRY_VERIFY(services.ended);
        QVERIFY(!p.loadedAs<zelk::frmfin>());
    }

    void quitterShowsTheEndScreenWhichEndsTheProgram() {
        testing::Fixture fx;
        zelk::ZelkProgram p(fx.services(), true);
        p.show<zelk::frmmenu>();
        fx.takeLog();
        p.get<zelk::frmmenu>().Command4.click();
        QCOMPARE(fx.takeLog(), QStringList({"unload frmmenu", "unload frmaut", "show frmfin"}));
        auto& f = p.get<zelk::frmfin>();
        QCOMPARE(f.Label15.Caption, QStringLiteral("Juillet-Aout 2004"));
        QVERIFY_THROWS_EXCEPTION(tk::ProgramEnded, f.Label16.Click());
    }
};

QTEST_MAIN(TestScreens)
#include "test_screens.moc"
