// Editing levels with the mouse in the keys' steps, undo and redo, trying a
// level without saving it, and unsaved changes asked about before they go.
#include <QMenuBar>
#include <QtTest>
#include <random>

#include "app/program.h"
#include "editor/frmedit.h"
#include "editor/frmouvrir.h"
#include "game/frmaffpg.h"
#include "game/frmsaut.h"
#include "menus/frmfin.h"
#include "menus/frmmenu.h"
#include "menus/frmopt.h"
#include "support.h"
#include "toolkit/scriptdriver.h"

namespace {
using Action = tk::Screen::MouseAction;
const QString kQuestion = QStringLiteral(
    "msgbox \"Editeur\" \"Le niveau sansnom.lev a été modifié. Voulez-vous enregistrer les "
    "modifications ?\" 51");

// The program started through its warning and menu, with the editor shown.
struct Editor {
    testing::Fixture fx;
    zelk::ZelkProgram p{fx.services(), true};
    QString printed;
    QTextStream out{&printed};
    tk::ScriptDriver driver{p, fx.services(), out};
    zelk::frmedit& ed = (run("start\nclick avert.OKButton\nclick frmmenu.Command3\n"
                             "fire frmedit.Timer1"),
                         p.get<zelk::frmedit>());
    Editor() { fx.takeLog(); }
    void run(const QString& script) {
        for (const QString& line : script.split(u'\n')) {
            driver.execute(line);
            p.collectGarbage();
        }
    }
    QByteArray bytes() { return level::format(ed.currentLevel()); }
    void drag(float x, float y, float dx, float dy) {
        ed.deliverMouse(Action::Down, tk::LeftButton, 0, x, y);
        ed.deliverMouse(Action::Move, 0, 0, x + dx / 2, y + dy / 2);
        ed.deliverMouse(Action::Move, 0, 0, x + dx, y + dy);
        ed.deliverMouse(Action::Up, tk::LeftButton, 0, x + dx, y + dy);
    }
    // A point of platform k: its body, its number label, an edge or a corner.
    QPointF at(int k, const QString& where) {
        const tk::Shape& s = ed.Shape1(k + 1);
        const float l = s.Left + 10, r = s.Left + s.Width - 10, mx = s.Left + 100;
        const float t = s.Top + 10, b = s.Top + s.Height - 10, my = s.Top + s.Height / 2;
        const QMap<QString, QPointF> points = {
            {"body", {mx, my}},      {"label", {s.Left + s.Width / 2, my}},
            {"left", {l, my}},       {"right", {r, my}},
            {"top", {mx, t}},        {"bottom", {mx, b}},
            {"top left", {l, t}},    {"top right", {r, t}},
            {"bottom left", {l, b}}, {"bottom right", {r, b}}};
        return points[where];
    }
    void select(int k) {
        tk::MenuItem* items[] = {&ed.un, &ed.deux, &ed.trois, &ed.quatre, &ed.cinq, &ed.six};
        if (!items[k - 1]->checked()) items[k - 1]->click();
    }
};
}  // namespace

class TestEditing : public QObject {
    Q_OBJECT
private slots:
    void aDragGivesWhatTheArrowKeysGive_data() {
        QTest::addColumn<int>("platform");
        QTest::addColumn<bool>("resize");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QString>("grab");
        QTest::addColumn<QPointF>("by");
        QTest::newRow("right") << 1 << false << 39 << 5 << "body" << QPointF(250, 0);
        QTest::newRow("left, by the label") << 2 << false << 37 << 3 << "label" << QPointF(-160, 0);
        QTest::newRow("up, rounded") << 3 << false << 38 << 4 << "body" << QPointF(7, -170);
        QTest::newRow("down") << 4 << false << 40 << 2 << "body" << QPointF(0, 90);
        QTest::newRow("past the left") << 4 << false << 37 << 50 << "body" << QPointF(-2500, 0);
        QTest::newRow("past the top") << 3 << false << 38 << 40 << "label" << QPointF(0, -1600);
        QTest::newRow("narrower") << 2 << true << 37 << 3 << "left" << QPointF(75, 0);
        QTest::newRow("wider") << 2 << true << 39 << 4 << "left" << QPointF(-100, 0);
        QTest::newRow("taller") << 5 << true << 38 << 5 << "top" << QPointF(0, -100);
        QTest::newRow("lower") << 6 << true << 40 << 3 << "top" << QPointF(0, 60);
    }
    void aDragGivesWhatTheArrowKeysGive() {
        QFETCH(int, platform);
        QFETCH(bool, resize);
        QFETCH(int, key);
        QFETCH(int, presses);
        QFETCH(QString, grab);
        QFETCH(QPointF, by);
        Editor keys, mouse;
        keys.select(platform);
        if (resize) keys.ed.lh.click();
        for (int i = 0; i < presses; ++i)
            keys.ed.deliverKeyDown(key, 0);
        keys.ed.deliverKeyDown(65, 0);  // the limits pass, as after a drag
        const QPointF from = mouse.at(platform, grab);
        mouse.drag(from.x(), from.y(), by.x(), by.y());
        QCOMPARE(mouse.bytes(), keys.bytes());
        QCOMPARE(mouse.ed.selected(), platform + 1);
        QVERIFY(mouse.ed.posi.checked());
    }

    // Platform 2 is 3135 x 1455 at (3120, 5400); the edges not dragged stay.
    void resizingFromEachEdgeKeepsTheSmallestSize_data() {
        QTest::addColumn<QString>("grab");
        QTest::addColumn<QPointF>("by");
        QTest::addColumn<QRectF>("after");
        QTest::addColumn<int>("pointer");
        QTest::newRow("left") << "left" << QPointF(5000, 0) << QRectF(5245, 5400, 1010, 1455) << 9;
        QTest::newRow("right") << "right" << QPointF(-5000, 0) << QRectF(3120, 5400, 1035, 1455)
                               << 9;
        QTest::newRow("top") << "top" << QPointF(0, 5000) << QRectF(3120, 6600, 3135, 255) << 7;
        QTest::newRow("bottom") << "bottom" << QPointF(0, -5000) << QRectF(3120, 5400, 3135, 255)
                                << 7;
        QTest::newRow("top left") << "top left" << QPointF(-100, -60)
                                  << QRectF(3020, 5340, 3235, 1515) << 8;
        QTest::newRow("bottom right")
            << "bottom right" << QPointF(120, 90) << QRectF(3120, 5400, 3235, 1535) << 8;
        QTest::newRow("top right")
            << "top right" << QPointF(60, 5000) << QRectF(3120, 6600, 3185, 255) << 6;
        // Out of the window and back within the limits on release.
        QTest::newRow("bottom left")
            << "bottom left" << QPointF(-5000, 40) << QRectF(0, 5400, 8135, 1495) << 6;
        QTest::newRow("body") << "body" << QPointF(-120, 0) << QRectF(3020, 5400, 3135, 1455) << 5;
    }
    void resizingFromEachEdgeKeepsTheSmallestSize() {
        QFETCH(QString, grab);
        QFETCH(QPointF, by);
        QFETCH(QRectF, after);
        QFETCH(int, pointer);
        Editor e;
        const QPointF from = e.at(2, grab);
        e.ed.deliverMouse(Action::Move, 0, 0, from.x(), from.y());
        QCOMPARE(e.ed.mousePointer(), pointer);
        e.drag(from.x(), from.y(), by.x(), by.y());
        const tk::Shape& s = e.ed.Shape1(3);
        QCOMPARE(QRectF(s.Left, s.Top, s.Width, s.Height), after);
    }

    void escapePutsTheDraggedPlatformBack() {
        Editor e;
        const QByteArray before = e.bytes();
        e.ed.deliverMouse(Action::Down, tk::LeftButton, 0, 3300, 6000);
        e.ed.deliverMouse(Action::Move, 0, 0, 9000, 9000);
        e.run("key frmedit 37\nkey frmedit 27");  // arrows wait for the button
        e.ed.deliverMouse(Action::Up, tk::LeftButton, 0, 9000, 9000);
        QCOMPARE(e.bytes(), before);
        QVERIFY(!e.ed.modified() && !e.ed.annuler.enabled());
    }

    // Random edits of every kind, undone to the start and redone to the end,
    // each step checked against a model: one step per drag, open and options
    // change, one per run of an arrow key; the saved level compared by value.
    void undoAndRedoWalkEveryStepOfRandomEdits() {
        Editor e;
        e.fx.writeFile(QStringLiteral("a.lev"), testing::kStartLevel);
        e.fx.writeFile(QStringLiteral("b.lev"),
                       "3000,100,400,2000,3100,200,410,2100,3200,300,420,2200,3300,400,430,2300,"
                       "3400,500,440,2400,3500,600,450,2500,1,44,6,70,\"9\"\r\n");
        std::mt19937 rnd(16);
        auto pick = [&rnd](int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); };
        const char* grabs[] = {"body", "label", "left", "top", "right", "bottom", "top left"};
        QList<QByteArray> steps{e.bytes()};
        int lastRun = 0;
        bool runHasStep = false;
        for (int i = 0; i < 400; ++i) {
            int run = 0;
            const int kind = pick(6);
            if (kind <= 1) {
                const QPointF from = e.at(1 + pick(6), QString::fromLatin1(grabs[pick(7)]));
                e.drag(from.x(), from.y(), pick(3000) - 1500, pick(2000) - 1000);
            } else if (kind <= 3) {  // a burst of one arrow key
                e.select(1 + pick(2));
                if (pick(4) == 0) (e.ed.lh.checked() ? e.ed.posi : e.ed.lh).click();
                const int key = 37 + pick(4);
                for (int n = 1 + pick(4); n > 0; --n)
                    e.ed.deliverKeyDown(key, 0);
                run = key * 100 + e.ed.lh.checked() * 10 + e.ed.selected();
            } else if (kind == 4) {
                if (e.ed.modified()) e.fx.services().queueMsgBoxAnswer(tk::mb::No);
                e.ed.ouv.click();
                e.p.get<zelk::frmouvrir>().File1.setFileName(pick(2) ? "a.lev" : "b.lev");
                e.p.get<zelk::frmouvrir>().Command1.click();
            } else {
                e.ed.optmech.click();
                auto& o = e.p.get<zelk::frmopt>();
                o.ois.setValue(pick(2));
                o.nbg.setValue(pick(101));
                o.nbf.setText(QString::number(1 + pick(10)));
                o.Command1.click();
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
        const QByteArray file = e.fx.readFile(e.ed.nomfichier);
        QCOMPARE(file, steps.last());
        for (qsizetype k = steps.size() - 1; k > 0; --k) {
            e.ed.deliverKeyDown(90, tk::CtrlKey);
            QCOMPARE(e.bytes(), steps[k - 1]);
            QCOMPARE(e.ed.modified(), steps[k - 1] != file);
        }
        QVERIFY(!e.ed.annuler.enabled());
        for (qsizetype k = 1; k < steps.size(); ++k) {
            e.ed.deliverKeyDown(k % 2 ? 89 : 90, tk::CtrlKey | (k % 2 ? 0 : tk::ShiftKey));
            QCOMPARE(e.bytes(), steps[k]);
        }
        e.run("click frmedit.save");
        QCOMPARE(e.fx.readFile(e.ed.nomfichier), file);
    }

    void historyKeepsAThousandSteps() {
        zelk::History h;
        level::Level l;
        h.reset(l);
        for (int i = 1; i <= 1200; ++i) {
            l.geometry[0] = static_cast<float>(i);
            h.record(l);
        }
        QCOMPARE(h.undoable(), zelk::History::kSteps);
        while (h.canUndo())
            h.undo();
        QCOMPARE(h.current().geometry[0], 200.0f);
    }

    void aShortcutUndoesOnceAndTheMarkMovesNothing() {
        Editor e;
        const QPointF origin = e.ed.origin();
        const int bar = e.ed.menuBar()->sizeHint().height();
        e.run("key frmedit 39\nkey frmedit 37\nkey frmedit 39\nkey frmedit 90 ctrl");
        QCOMPARE(e.ed.history().undoable(), size_t(2));
        QCOMPARE(e.ed.menuNote(), QStringLiteral("● Modifications non enregistrées"));
        QCOMPARE(e.ed.menuBar()->sizeHint().height(), bar);
        QCOMPARE(e.ed.origin(), origin);
        e.run("key frmedit 90 ctrl shift\nkey frmedit 90 ctrl\nkey frmedit 89 ctrl");
        QCOMPARE(e.ed.history().undoable(), size_t(3));
        QCOMPARE(e.fx.takeLog(), QStringList());
    }

    void tryingPlaysTheLevelAsJouerPlaysTheSavedFile() {
        Editor e;
        e.drag(3300, 6000, 500, -400);
        e.run(
            "key frmedit 38\nclick frmedit.optmech\nset frmopt.nbg.Value 40\n"
            "set frmopt.ois.Value 1\nclick frmopt.Command1");
        const QStringList files = QDir(e.fx.folder()).entryList(QDir::Files);
        const QByteArray level = e.bytes();
        auto play = [&e](const QString& start) {
            e.fx.services().rng().reseed(77);
            e.run(start + QStringLiteral("\nkey frmsaut 27"));
            QString trace;
            for (int t = 0; t < 400; ++t) {
                if (t % 40 == 0) e.run(QStringLiteral("mouse frmsaut move 0 %1 5000").arg(t * 37));
                if (t % 100 == 10) e.run("mouse frmsaut down 1 0 0\nmouse frmsaut up 1 0 0");
                if (t % 100 == 20) e.run("mouse frmsaut down 2 0 0\nmouse frmsaut up 2 0 0");
                e.run(t % 222 == 0 ? "fire frmsaut.Timer2\nfire frmsaut.Timer1"
                                   : "fire frmsaut.Timer3\nfire frmsaut.Timer1");
                if (t % 20 == 0) e.run("dump frmsaut");
            }
            trace.swap(e.printed);
            return trace;
        };
        e.fx.takeLog();
        const QString tried = play("key frmedit 116");
        QVERIFY(e.fx.takeLog().first().startsWith(QStringLiteral("msgbox \"Avertissement!\"")));
        QCOMPARE(QDir(e.fx.folder()).entryList(QDir::Files), files);
        QCOMPARE(e.bytes(), level);
        QVERIFY(e.p.get<zelk::frmsaut>().tried);
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
        QTest::addColumn<int>("answer");  // 0: nothing changed
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
        if (answer != 0) e.run("key frmedit 39");
        if (answer == -1) QDir(e.fx.folder()).mkdir(QStringLiteral("sansnom.lev"));
        e.fx.services().queueMsgBoxAnswer(answer == -1 ? tk::mb::Yes : answer);
        if (way == "QUITTER") e.run("click frmedit.menu");
        e.fx.takeLog();
        bool ended = false;
        try {
            if (way == "quit") e.run("click frmedit.quit");
            if (way == "open") e.run("click frmedit.ouv");
            if (way == "QUITTER") e.run("click frmmenu.Command4");
            if (way == "close box") e.p.closedByUser(e.ed);
            if (way == "end") e.p.end();
        } catch (const tk::ProgramEnded&) {
            ended = true;
        }
        const QStringList log = e.fx.takeLog();
        QCOMPARE(!log.isEmpty() && log[0].startsWith(kQuestion), answer != 0);
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
