// Editing levels with the mouse in the keys' steps, undo and redo, trying a
// level without saving it, and unsaved changes asked about before they go.
#include <QtTest>
#include <random>

#include "app/program.h"
#include "editor/frmedit.h"
#include "editor/frmouvrir.h"
#include "game/frmsaut.h"
#include "menus/frmmenu.h"
#include "menus/frmopt.h"
#include "support.h"
#include "toolkit/scriptdriver.h"

namespace {
// The program started through its warning and menu, with the editor shown.
struct Editor {
    testing::Fixture fx;
    zelk::ZelkProgram p{fx.services(), true};
    QString printed;
    QTextStream out{&printed};
    tk::ScriptDriver driver{p, fx.services(), out};
    zelk::frmedit& ed =
        (run("start\nclick avert.OKButton\nclick frmmenu.Command3"), p.get<zelk::frmedit>());
    void run(const QString& script) {
        for (const QString& line : script.split(u'\n')) {
            driver.execute(line);
            p.collectGarbage();
        }
    }
    QByteArray bytes() { return level::format(ed.currentLevel()); }
    // The mouse over the editor, where the user's would go (twips).
    void mouse(const char* action, int button, QPointF at) {
        run(QStringLiteral("mouse frmedit at %1 %2 %3 %4")
                .arg(QLatin1String(action))
                .arg(button)
                .arg(at.x(), 0, 'f', 2)
                .arg(at.y(), 0, 'f', 2));
    }
    // Drags platform k from a point given in fractions of its size.
    void drag(int k, QPointF at, QPointF by) {
        const tk::Shape& s = ed.Shape1(k + 1);
        const QPointF from(s.Left + at.x() * s.Width, s.Top + at.y() * s.Height);
        mouse("down", tk::LeftButton, from);
        mouse("move", 0, from + by / 2);
        mouse("move", 0, from + by);
        mouse("up", tk::LeftButton, from + by);
    }
};
}  // namespace

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void aDragGivesWhatTheArrowKeysGive_data() {
        QTest::addColumn<int>("platform");
        QTest::addColumn<int>("key");  // with 100 for the resize mode
        QTest::addColumn<int>("presses");
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<QPointF>("by");
        auto row = [](const char* name, int platform, int key, int presses, QPointF at,
                      QPointF by) {
            QTest::newRow(name) << platform << key << presses << at << by;
        };
        row("right", 1, 39, 5, {.1, .5}, {250, 0});
        row("left, rounded, by the label", 2, 37, 3, {.5, .5}, {-160, 7});
        row("past the left", 4, 37, 50, {.1, .5}, {-2500, 0});
        row("narrower", 2, 137, 3, {.01, .5}, {75, 0});
        row("wider", 2, 139, 4, {.01, .5}, {-100, 0});
        row("taller", 5, 138, 5, {.1, .01}, {3, -100});
    }
    void aDragGivesWhatTheArrowKeysGive() {
        QFETCH(int, platform);
        QFETCH(int, key);
        QFETCH(int, presses);
        QFETCH(QPointF, at);
        QFETCH(QPointF, by);
        Editor keys, mouse;
        const char* items[] = {"un", "deux", "trois", "quatre", "cinq", "six"};
        keys.run(QStringLiteral("click frmedit.%1\nclick frmedit.%2")
                     .arg(items[platform - 1], key > 100 ? "lh" : "posi"));
        for (int i = 0; i < presses; ++i)
            keys.ed.deliverKeyDown(key % 100, 0);
        keys.ed.deliverKeyDown(65, 0);  // the limits pass, as at the end of a drag
        mouse.drag(platform, at, by);
        QCOMPARE(mouse.bytes(), keys.bytes());
        QCOMPARE(mouse.ed.selected(), platform + 1);
    }

    // Platform 2 is 3135 x 1455 at (3120, 5400); the edges not dragged stay.
    void resizingFromEachEdgeKeepsTheSmallestSize_data() {
        QTest::addColumn<QPointF>("at");
        QTest::addColumn<QPointF>("by");
        QTest::addColumn<QRectF>("after");
        QTest::addColumn<int>("pointer");
        auto row = [](const char* name, QPointF at, QPointF by, QRectF after, int pointer) {
            QTest::newRow(name) << at << by << after << pointer;
        };
        row("left", {.01, .5}, {5000, 0}, {5245, 5400, 1010, 1455}, tk::PointerSizeWE);
        row("right", {.99, .5}, {-5000, 0}, {3120, 5400, 1035, 1455}, tk::PointerSizeWE);
        row("top", {.1, .01}, {0, 5000}, {3120, 6600, 3135, 255}, tk::PointerSizeNS);
        row("bottom", {.1, .99}, {0, -5000}, {3120, 5400, 3135, 255}, tk::PointerSizeNS);
        row("top left", {.01, .01}, {-100, -60}, {3020, 5340, 3235, 1515}, tk::PointerSizeNWSE);
        row("bottom right", {.99, .99}, {120, 90}, {3120, 5400, 3235, 1535}, tk::PointerSizeNWSE);
        row("top right", {.99, .01}, {60, 5000}, {3120, 6600, 3185, 255}, tk::PointerSizeNESW);
        // Out of the window, and within the limits again on release.
        row("bottom left", {.01, .99}, {-5000, 40}, {0, 5400, 8135, 1495}, tk::PointerSizeNESW);
    }
    void resizingFromEachEdgeKeepsTheSmallestSize() {
        QFETCH(QPointF, at);
        QFETCH(QPointF, by);
        QFETCH(QRectF, after);
        QFETCH(int, pointer);
        Editor e;
        e.drag(2, at, by);
        const tk::Shape& s = e.ed.Shape1(3);
        QCOMPARE(QRectF(s.Left, s.Top, s.Width, s.Height), after);
        QCOMPARE(e.ed.mousePointer(), pointer);
    }

    // Random edits of every kind, undone to the start and redone to the end
    // with the shortcuts, each step checked against a model: one step per
    // drag, open and options change, one per run of an arrow key, none for a
    // drag put back with Escape.
    void undoAndRedoWalkEveryStepOfRandomEdits() {
        Editor e;
        e.fx.writeFile(QStringLiteral("a.lev"), testing::kStartLevel);
        e.fx.writeFile(QStringLiteral("b.lev"),
                       "3000,100,400,2000,3100,200,410,2100,3200,300,420,2200,3300,400,430,2300,"
                       "3400,500,440,2400,3500,600,450,2500,1,44,6,70,\"9\"\r\n");
        std::mt19937 rnd(16);
        auto pick = [&rnd](int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); };
        QList<QByteArray> steps{e.bytes()};
        int lastRun = 0;
        bool runHasStep = false;
        for (int i = 0; i < 400; ++i) {
            int run = 0;
            const int kind = pick(6);
            if (kind <= 1) {
                e.drag(1 + pick(6), QPointF(pick(101) / 100.0, pick(101) / 100.0),
                       QPointF(pick(3000) - 1500, pick(2000) - 1000));
            } else if (kind == 2) {  // a burst of one arrow key
                tk::MenuItem& item = pick(2) ? e.ed.un : e.ed.deux;
                if (!item.checked()) item.click();  // a menu command ends a run
                if (pick(4) == 0) (e.ed.lh.checked() ? e.ed.posi : e.ed.lh).click();
                const int key = 37 + pick(4);
                for (int n = 1 + pick(4); n > 0; --n)
                    e.ed.deliverKeyDown(key, 0);
                run = key * 100 + e.ed.lh.checked() * 10 + e.ed.selected();
            } else if (kind == 3) {
                if (e.ed.modified()) e.fx.services().queueMsgBoxAnswer(tk::mb::No);
                e.run(pick(2) ? "click frmedit.ouv\nselect frmouvrir.File1 \"a.lev\""
                              : "click frmedit.ouv\nselect frmouvrir.File1 \"b.lev\"");
                e.run("click frmouvrir.Command1");
            } else if (kind == 4) {  // put back with Escape; arrows wait for the button
                const tk::Shape& s = e.ed.Shape1(2 + pick(6));
                e.mouse("down", tk::LeftButton, {s.Left + s.Width / 2, s.Top + s.Height / 2});
                e.mouse("move", 0, QPointF(pick(20000), pick(12000)));
                e.run("key frmedit 37\nkey frmedit 27");
                e.mouse("up", tk::LeftButton, {});
                QCOMPARE(e.bytes(), steps.last());
            } else {
                e.run(QStringLiteral("click frmedit.optmech\nset frmopt.nbg.Value %1\n"
                                     "select frmopt.nbf \"%2\"\nclick frmopt.Command1")
                          .arg(pick(101))
                          .arg(1 + pick(10)));
            }
            const QByteArray now = e.bytes();
            if (run == 0 || run != lastRun) runHasStep = false;
            if (now != steps.last() && runHasStep) {
                steps.last() = now;
            } else if (now != steps.last()) {
                steps << now;
                runHasStep = run != 0;
            }
            lastRun = run;
            if (i == 250) e.run("click frmedit.save");
        }
        e.run("click frmedit.save");
        const QByteArray file = e.fx.readFile(QStringLiteral("sansnom.lev"));
        QCOMPARE(file, steps.last());
        for (qsizetype k = steps.size() - 1; k > 0; --k) {
            e.run("key frmedit 90 ctrl");
            QCOMPARE(e.bytes(), steps[k - 1]);
            QCOMPARE(e.ed.modified(), steps[k - 1] != file);
        }
        for (qsizetype k = 1; k < steps.size(); ++k) {
            e.run(k % 2 ? "key frmedit 89 ctrl" : "key frmedit 90 ctrl shift");
            QCOMPARE(e.bytes(), steps[k]);
        }
        e.run("click frmedit.save");
        QCOMPARE(e.fx.readFile(QStringLiteral("sansnom.lev")), file);
    }

    void tryingPlaysTheLevelAsJouerPlaysTheSavedFile() {
        Editor e;
        e.drag(2, QPointF(.1, .5), QPointF(500, -400));
        e.run(
            "key frmedit 38\nclick frmedit.optmech\nset frmopt.nbg.Value 40\n"
            "set frmopt.ois.Value 1\nclick frmopt.Command1");
        const QStringList files = QDir(e.fx.folder()).entryList(QDir::Files);
        const QByteArray level = e.bytes();
        auto play = [&e](const char* start) {
            e.fx.services().rng().reseed(77);
            e.run(QString::fromLatin1(start) + QStringLiteral("\nkey frmsaut 27"));
            for (int t = 0; t < 400; ++t) {
                if (t % 40 == 0) e.run(QStringLiteral("mouse frmsaut move 0 %1 5000").arg(t * 37));
                if (t % 100 == 10) e.run("mouse frmsaut down 1 0 0\nmouse frmsaut up 1 0 0");
                if (t % 100 == 20) e.run("mouse frmsaut down 2 0 0\nmouse frmsaut up 2 0 0");
                e.run(t % 222 ? "fire frmsaut.Timer3\nfire frmsaut.Timer1"
                              : "fire frmsaut.Timer2\nfire frmsaut.Timer1");
                if (t % 20 == 0) e.run("dump frmsaut");
            }
            return std::exchange(e.printed, QString());
        };
        e.fx.takeLog();
        const QString tried = play("key frmedit 116");
        QVERIFY(e.fx.takeLog().first().startsWith(QStringLiteral("msgbox \"Avertissement!\"")));
        QCOMPARE(QDir(e.fx.folder()).entryList(QDir::Files), files);
        QCOMPARE(e.bytes(), level);
        e.run("click frmedit.save\nclick frmedit.menu\nselect frmmenu.File1 \"sansnom.lev\"");
        QCOMPARE(play("click frmmenu.Command1"), tried);

        // Won at the first tick: the result screen leads back to the editor.
        e.run(
            "set frmopt.nbg.Value 0\nset frmopt.nb.Value 0\nkey frmedit 116\nkey frmsaut 27\n"
            "fire frmsaut.Timer1");
        e.fx.takeLog();
        e.run("click frmaffpg.menu");
        QCOMPARE(e.fx.takeLog(),
                 QStringList({"show frmedit", "unload frmsaut", "unload frmaffpg"}));
        QCOMPARE(e.ed.windowState(), int(tk::Maximized));
    }

    void unsavedChangesAreAskedAboutOnEveryWayOut_data() {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("answer");  // 0: nothing changed; -1: Oui, but the save fails
        for (const char* way : {"quit", "open", "QUITTER", "close box", "end"}) {
            for (int answer : {0, tk::mb::Yes, tk::mb::No, tk::mb::Cancel})
                QTest::addRow("%s %d", way, answer) << QString::fromLatin1(way) << answer;
        }
        QTest::newRow("quit, save fails") << "quit" << -1;
    }
    void unsavedChangesAreAskedAboutOnEveryWayOut() {
        QFETCH(QString, way);
        QFETCH(int, answer);
        Editor e;
        const QPointF origin = e.ed.origin();
        if (answer != 0) e.run("key frmedit 39");
        QCOMPARE(e.ed.menuNote().isEmpty(), answer == 0);
        QCOMPARE(e.ed.origin(), origin);  // the mark moves nothing
        if (answer == -1) QDir(e.fx.folder()).mkdir(QStringLiteral("sansnom.lev"));
        e.fx.services().queueMsgBoxAnswer(answer == -1 ? tk::mb::Yes : answer);
        if (way == "QUITTER") e.run("click frmedit.menu");  // the editor minimised
        e.fx.takeLog();
        bool ended = false;
        try {
            if (way == "close box") e.p.closedByUser(e.ed);
            if (way == "end") e.p.end();
            e.run(way == "quit"   ? "click frmedit.quit"
                  : way == "open" ? "click frmedit.ouv"
                                  : (way == "QUITTER" ? "click frmmenu.Command4" : ""));
        } catch (const tk::ProgramEnded&) {
            ended = true;
        }
        const QStringList log = e.fx.takeLog();
        QCOMPARE(!log.isEmpty() && log[0].startsWith(QStringLiteral(
                                       "msgbox \"Editeur\" \"Le niveau sansnom.lev a été modifié. "
                                       "Voulez-vous enregistrer les modifications ?\" 51")),
                 answer != 0);
        const bool wentOn = way == "open"      ? e.p.loadedAs<zelk::frmouvrir>() != nullptr
                            : way == "QUITTER" ? !e.p.loadedAs<zelk::frmmenu>()
                            : way == "end"     ? ended
                                               : !e.p.loadedAs<zelk::frmedit>();
        QCOMPARE(wentOn, answer != tk::mb::Cancel && answer != -1);
        QCOMPARE(QFileInfo(e.fx.path(QStringLiteral("sansnom.lev"))).isFile(),
                 answer == tk::mb::Yes);
        if (!wentOn) QVERIFY(e.ed.visible() && e.ed.windowState() == tk::Maximized);
    }
};

QTEST_MAIN(TestEditing)
#include "test_editing.moc"
