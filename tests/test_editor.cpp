// The level editor: the limits pass and the arrow keys, the file commands and
// the open dialog, and a level travelling from the editor to the game.
#include <QtTest>

#include "app/program.h"
#include "editor/frmedit.h"
#include "editor/frmouvrir.h"
#include "game/frmsaut.h"
#include "menus/frmmenu.h"
#include "menus/frmopt.h"
#include "menus/frmpre.h"
#include "support.h"

namespace {

struct Editor {
    testing::Fixture fx;
    zelk::ZelkProgram p{fx.services(), true};
    zelk::frmedit& ed;
    Editor() : ed(open(p)) { fx.takeLog(); }
    static zelk::frmedit& open(zelk::ZelkProgram& p) {
        p.show<zelk::frmmenu>();
        p.get<zelk::frmmenu>().Command3.click();
        auto& e = p.get<zelk::frmedit>();
        e.Timer1.fire();
        return e;
    }
    // The platforms some tests set on the screen first become the level's.
    void key(int code, int times = 1) {
        ed.takeShownPlatforms();
        for (int i = 0; i < times; ++i)
            ed.deliverKeyDown(code, 0);
    }
    tk::Shape& platform(int k) { return ed.Shape1(k + 1); }
    void select(int k) {
        tk::MenuItem* items[] = {&ed.un, &ed.deux, &ed.trois, &ed.quatre, &ed.cinq, &ed.six};
        items[k - 1]->click();
    }
};
}  // namespace

class TestEditor : public QObject {
    Q_OBJECT
private slots:
    void opensMaximisedOnTheStartLayout() {
        Editor e;
        QCOMPARE(e.ed.windowState(), int(tk::Maximized));
        QCOMPARE(e.ed.caption(), QStringLiteral("Editeur"));
        QCOMPARE(e.ed.nomfichier, QStringLiteral("sansnom.lev"));
        QCOMPARE(e.ed.Text1.text(), QStringLiteral("sansnom.lev"));
        QVERIFY(e.ed.un.checked() && e.ed.posi.checked() && !e.ed.lh.checked());
        QCOMPARE(e.ed.Label1(2).Left, 1920 + 1095 / 2.0f - 615 / 2.0f);
    }

    void firstKeyOfAnyKindPullsPlatformsIntoTheirLimits() {
        Editor e;
        QCOMPARE(e.platform(1).Top, 8520.0f);
        e.key(65);  // 'A' does nothing of its own
        QCOMPARE(e.platform(1).Top, 8400.0f);
        QCOMPARE(e.platform(1).Left, 1920.0f);
    }

    void movedPastTheEdgeShowsUntilTheNextKey() {
        Editor e;
        e.select(2);
        e.platform(2).Left = 20;
        e.key(tk::key::Left);
        QCOMPARE(e.platform(2).Left, -30.0f);
        e.key(tk::key::Up);
        QCOMPARE(e.platform(2).Left, 0.0f);
        QCOMPARE(e.platform(2).Top, 5400.0f - 40);
        QCOMPARE(e.platform(1).Top, 8400.0f);  // only the selected one moved
    }

    void resizingStopsAtItsSmallest() {
        Editor e;
        e.ed.lh.click();
        QVERIFY(!e.ed.posi.checked());
        e.platform(1).Width = 1010;
        e.platform(1).Height = 275;
        e.platform(1).Top = 5000;
        e.key(tk::key::Left);
        QCOMPARE(e.platform(1).Width, 985.0f);
        QCOMPARE(e.platform(1).Left, 1920.0f + 25);
        e.key(tk::key::Left, 3);
        QCOMPARE(e.platform(1).Width, 985.0f);
        e.key(tk::key::Down);
        QCOMPARE(e.platform(1).Height, 255.0f);
        QCOMPARE(e.platform(1).Top, 5020.0f);
        e.key(tk::key::Down, 3);
        QCOMPARE(e.platform(1).Height, 255.0f);
        e.key(tk::key::Up);  // taller upwards: the bottom edge stays
        QCOMPARE(e.platform(1).Top + e.platform(1).Height, 5020.0f + 255);
    }

    void widestPlatformComesBackWithoutMovingItsLeftEdge() {
        Editor e;
        e.ed.lh.click();
        e.platform(1).Left = 25;
        e.platform(1).Width = 14500;
        e.key(tk::key::Right);
        QCOMPARE(e.platform(1).Width, 14525.0f);
        QCOMPARE(e.platform(1).Left, 0.0f);
        e.key(65);
        QCOMPARE(e.platform(1).Width, 14500.0f);
        QCOMPARE(e.platform(1).Left, 0.0f);
    }

    void tooWidePlatformFromAFileTakesTwoKeys() {
        Editor e;
        QCOMPARE(e.p.get<zelk::frmsaut>().width(), 15360.0f);  // the right-hand limit
        e.platform(3).Width = 16000;
        e.platform(3).Left = 0;
        e.key(65);
        QCOMPARE(e.platform(3).Left, 15360.0f - 16000);
        QCOMPARE(e.platform(3).Width, 14500.0f);
        e.key(65);
        QCOMPARE(e.platform(3).Left, 0.0f);
    }

    void labelFollowsItsPlatformWithinATick() {
        Editor e;
        e.select(4);
        e.key(tk::key::Up);
        QCOMPARE(e.platform(4).Top, 2600.0f);
        QCOMPARE(e.ed.Label1(5).Top, 2640 + 1455 / 2.0f - 375 / 2.0f);
        e.ed.Timer1.fire();
        QCOMPARE(e.ed.Label1(5).Top, 2600 + 1455 / 2.0f - 375 / 2.0f);
    }

    void savingWritesTheCurrentNameAndReplacesIt() {
        Editor e;
        e.ed.save.click();
        e.ed.save.click();
        QCOMPARE(e.fx.readFile(QStringLiteral("sansnom.lev")), QByteArray(testing::kStartLevel));
        QCOMPARE(e.fx.takeLog(),
                 QStringList(2, QStringLiteral("msgbox \"OK\" \"Fichier enregistré!\" 64 -> 1")));
    }

    void saveAsAppendsLevAndMakesItTheCurrentFile() {
        Editor e;
        e.fx.services().queueInputAnswer(QStringLiteral("mon.lev"));
        e.ed.ssave.click();
        QVERIFY(QFile::exists(e.fx.path(QStringLiteral("mon.lev.lev"))));
        e.ed.Timer1.fire();
        QVERIFY(e.ed.status.Caption.startsWith(QStringLiteral("Sauvegarder : mon.lev.lev ")));
        e.ed.save.click();
        QVERIFY(!QFile::exists(e.fx.path(QStringLiteral("sansnom.lev"))));
        QCOMPARE(
            e.fx.takeLog().first(),
            QStringLiteral("inputbox \"Nom\" \"Donner un nom a votre sauvegarde (ne pas mettre "
                           "d'extensions SVP)\" -> \"mon.lev\""));
    }

    void refusedNames_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("slash") << "../escape";
        QTest::newRow("backslash") << "a\\b";
        QTest::newRow("dot dot") << "..";
        QTest::newRow("leading dot") << ".cache";
        QTest::newRow("control") << "a\tb";
        QTest::newRow("blanks") << "   ";
        QTest::newRow("too long") << QString(300, u'x');
    }
    void refusedNames() {
        QFETCH(QString, name);
        Editor e;
        const QStringList before = QDir(e.fx.folder()).entryList(QDir::Files);
        e.fx.services().queueInputAnswer(name);
        e.ed.ssave.click();
        const QStringList log = e.fx.takeLog();
        QCOMPARE(log.size(), 2);
        QVERIFY2(log[1].contains(QStringLiteral("ne convient pas")), qPrintable(log[1]));
        QVERIFY(!log[1].contains(QStringLiteral("Fichier enregistré!")));
        QCOMPARE(QDir(e.fx.folder()).entryList(QDir::Files), before);
        QCOMPARE(e.ed.nomfichier, QStringLiteral("sansnom.lev"));
        QVERIFY(!QFile::exists(e.fx.path(QStringLiteral("../escape.lev"))));
    }

    void acceptedUnusualNames() {
        Editor e;
        for (const QString& n :
             {QStringLiteral("Mon niveau à moi"), QStringLiteral("l'été \"chaud\""),
              QStringLiteral("a..b"), QStringLiteral("fin.")}) {
            e.fx.services().queueInputAnswer(n);
            e.ed.ssave.click();
            QVERIFY2(QFile::exists(e.fx.path(n + QStringLiteral(".lev"))), qPrintable(n));
        }
    }

    void failedSaveSaysSoAndKeepsTheEarlierFile() {
        Editor e;
        QDir(e.fx.folder()).mkdir(QStringLiteral("sansnom.lev"));  // a folder in the way
        e.ed.save.click();
        const QStringList log = e.fx.takeLog();
        QCOMPARE(log.size(), 1);
        QVERIFY(log[0].contains(QStringLiteral("n'a pas été enregistré")));
        QVERIFY(log[0].endsWith(QStringLiteral(" 16 -> 1")));
        QVERIFY(QFileInfo(e.fx.path(QStringLiteral("sansnom.lev"))).isDir());
    }

    void openReplacesPlatformsNameAndOptions() {
        Editor e;
        e.fx.writeFile(QStringLiteral("b.lev"),
                       "3000,100,400,2000,3100,200,410,2100,3200,300,420,2200,3300,400,430,2300,"
                       "3400,500,440,2400,3500,600,450,2500,1,44,6,70,\"9\"\r\n");
        e.ed.lh.click();
        e.select(3);
        e.ed.ouv.click();
        auto& o = e.p.get<zelk::frmouvrir>();
        o.Command1.click();  // nothing selected: the dialog stays
        QVERIFY(e.p.loadedAs<zelk::frmouvrir>());
        o.File1.setFileName(QStringLiteral("b.lev"));
        o.Command1.click();
        QVERIFY(!e.p.loadedAs<zelk::frmouvrir>());
        QCOMPARE(e.platform(6).Top, 3500.0f);
        QCOMPARE(e.platform(6).Width, 2500.0f);
        auto& opt = e.p.get<zelk::frmopt>();
        QCOMPARE(opt.ois.value(), 1);
        QCOMPARE(opt.vitois.value(), 44);
        QCOMPARE(opt.Label2.Caption, QStringLiteral("Tres rapide"));
        QCOMPARE(opt.nb.value(), 6);
        QCOMPARE(opt.nbg.value(), 70);
        QCOMPARE(opt.nbf.text(), QStringLiteral("9"));
        QVERIFY(e.ed.lh.checked() && e.ed.trois.checked());  // selection and mode kept
        e.ed.Timer1.fire();
        e.key(tk::key::Up);  // resize platform 3 in place, then save back to the opened file
        e.ed.save.click();
        QVERIFY(e.fx.readFile(QStringLiteral("b.lev"))
                    .startsWith("3000,100,400,2000,3100,200,410,"
                                "2100,3180,300,440,2200,"));
    }

    void unreadableLevelChangesNothingAndKeepsTheDialog() {
        Editor e;
        e.fx.writeFile(QStringLiteral("bad.lev"), "1,2,3,4,5\r\n");
        e.ed.ouv.click();
        auto& o = e.p.get<zelk::frmouvrir>();
        o.File1.setFileName(QStringLiteral("bad.lev"));
        e.fx.takeLog();
        o.Command1.click();
        QVERIFY(e.fx.takeLog().first().contains(QStringLiteral("« bad.lev »")));
        QVERIFY(e.p.loadedAs<zelk::frmouvrir>());
        e.ed.Timer1.fire();
        QCOMPARE(e.ed.nomfichier, QStringLiteral("sansnom.lev"));
        QCOMPARE(e.platform(1).Top, 8520.0f);
        o.Command2.click();  // Annuler
        QVERIFY(!e.p.loadedAs<zelk::frmouvrir>());
    }

    void menuKeepsTheEditorAsItWas() {
        Editor e;
        e.select(5);
        e.key(tk::key::Right);
        e.fx.writeFile(QStringLiteral("new.lev"), testing::kStartLevel);
        e.ed.menu.click();
        QCOMPARE(e.ed.windowState(), int(tk::Minimized));
        auto& m = e.p.get<zelk::frmmenu>();
        QVERIFY(m.File1.list(0) == QStringLiteral("new.lev"));  // the list was refreshed
        m.Command3.click();
        QCOMPARE(&e.p.get<zelk::frmedit>(), &e.ed);
        QCOMPARE(e.ed.windowState(), int(tk::Maximized));
        QVERIFY(e.ed.cinq.checked());
        QCOMPARE(e.platform(5).Left, 5880.0f + 50);
    }

    void enemyOptionsComeAndGoBackToTheEditor() {
        Editor e;
        e.ed.optmech.click();
        auto& o = e.p.get<zelk::frmopt>();
        QVERIFY(o.visible());
        QCOMPARE(o.windowState(), int(tk::Normal));
        o.nbg.setValue(3);
        o.Command1.click();
        QCOMPARE(o.windowState(), int(tk::Minimized));
        e.ed.save.click();
        QVERIFY(e.fx.readFile(QStringLiteral("sansnom.lev")).endsWith(",0,10,1,3,\"2\"\r\n"));
    }

    void quitClosesEverythingButTheEndScreen() {
        Editor e;
        e.ed.quit.click();
        QCOMPARE(e.fx.takeLog(),
                 QStringList({"show frmfin", "unload frmmenu", "unload frmedit", "unload frmaut"}));
    }

    void aLevelTravelsFromTheEditorToTheGameSummaryAndPreview() {
        Editor e;
        e.select(1);
        e.key(tk::key::Right, 4);  // left 1920 + 200 (and the top pulled to 8400 by the limits)
        e.fx.services().queueInputAnswer(QStringLiteral("voyage"));
        e.ed.ssave.click();
        e.ed.menu.click();
        auto& m = e.p.get<zelk::frmmenu>();
        m.File1.setFileName(QStringLiteral("voyage.lev"));
        QCOMPARE(m.champ1, qint16(8400));
        QCOMPARE(m.champ2, qint16(2120));
        m.Command8.click();
        auto& pre = e.p.get<zelk::frmpre>();
        QCOMPARE(pre.Shape1(2).Top, 4200.0f);
        QCOMPARE(pre.Shape1(2).Left, 1060.0f);
        m.Command1.click();
        auto& g = e.p.get<zelk::frmsaut>();
        QCOMPARE(g.Shape1(2).Top, 8400.0f);
        QCOMPARE(g.Shape1(2).Left, 2120.0f);
        QCOMPARE(g.Shape1(7).Width, 3135.0f);
    }
};

QTEST_MAIN(TestEditor)
#include "test_editor.moc"
