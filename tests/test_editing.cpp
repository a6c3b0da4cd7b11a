// Editing levels with the mouse in the keys' steps, undo and redo, trying a
// level without saving it, unsaved changes asked about before they go and
// kept in a recovery copy until they are saved.
#include <QtTest>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <random>

#include "app/program.h"
#include "editor/document.h"
#include "editor/drag.h"
#include "editor/frmedit.h"
#include "editor/frmouvrir.h"
#include "game/frmaffpg.h"
#include "game/frmsaut.h"
#include "game/platforms.h"
#include "menus/frmmenu.h"
#include "menus/frmopt.h"
#include "support.h"
#include "toolkit/scriptdriver.h"

namespace {
const QString kRecovery = QString::fromLatin1(zelk::frmedit::kRecoveryFile);
// The program started through its warning and menu, with the editor shown,
// on a folder of its own or on one an earlier run left.
struct Editor {
    explicit Editor(testing::Fixture* shared = nullptr)
        : fx(shared ? *shared : own.emplace()),
          ed((run("start\nclick avert.OKButton\nclick frmmenu.Command3"), p.get<zelk::frmedit>())) {
    }
    std::optional<testing::Fixture> own;
    testing::Fixture& fx;
    zelk::ZelkProgram p{fx.services(), true};
    QString printed;
    QTextStream out{&printed};
    tk::ScriptDriver driver{p, fx.services(), out};
    zelk::frmedit& ed;
    void run(const QString& script) {
        for (const QString& line : script.split(u'\n')) {
            driver.execute(line);
            p.collectGarbage();
        }
    }
    QByteArray bytes() { return level::format(ed.currentLevel()); }
    // The level and the name "Sauvegarder" writes it to, once a tick went by.
    QByteArray state() {
        run("fire frmedit.Timer1");
        return bytes() + ed.nomfichier.toUtf8();
    }
    QList<QRectF> rects() const {
        QList<QRectF> r;
        for (int k = 2; k <= 7; ++k)
            r << QRectF(ed.Shape1(k).Left, ed.Shape1(k).Top, ed.Shape1(k).Width,
                        ed.Shape1(k).Height);
        return r;
    }
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
        keys.ed.deliverKeyDown(65, 0);  // the limits pass of any key, for both
        mouse.drag(platform, at, by);
        mouse.ed.deliverKeyDown(65, 0);
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
        // Out of the window: the left edge stops at the limit, in its steps.
        row("bottom left", {.01, .99}, {-5000, 40}, {20, 5400, 6235, 1495}, tk::PointerSizeNESW);
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

    // A seeded storm of what an author does, checked after every step: a
    // dragged platform is within the limits, its size or other edges kept;
    // only the file a save named (the status line's, or the new current one
    // of "Sauvegerder sous...") changes, and every reader takes it; the mark
    // and the recovery copy are there exactly while the level or its file
    // differ from the ones last saved or opened. A stop at any step, during
    // a question too, keeps the copy for the next run, unless it names one of
    // the program's own files. At the end undo and redo by the keys go back
    // to the start and on to the end, names included.
    void aStormOfEditsKeepsEveryPromise_data() {
        QTest::addColumn<int>("seed");
        for (int seed = 1; seed <= 3; ++seed)
            QTest::addRow("seed %d", seed) << seed;
    }
    void aStormOfEditsKeepsEveryPromise() {
        QFETCH(int, seed);
        testing::Fixture fx;
        fx.writeFile(QStringLiteral("a.lev"), testing::kStartLevel);
        fx.writeFile(QStringLiteral("b.lev"),
                     "3000,100,400,2000,3100,200,410,2100,3200,300,420,2200,3300,400,430,2300,"
                     "3400,500,440,2400,3500,600,450,2500,1,44,6,70,\"9\"\r\n");
        const QStringList own{QStringLiteral(".records"), QStringLiteral(".niveaux-fournis")};
        fx.writeFile(own[0], "1");
        fx.writeFile(own[1], "2");
        auto e = std::make_unique<Editor>(&fx);
        std::mt19937 rnd(static_cast<unsigned>(seed));
        auto pick = [&rnd](int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); };
        const float right = e->p.get<zelk::frmsaut>().width();
        auto within = [right](const QRectF& r) {
            return r.left() >= 0 && r.right() <= right && r.top() >= 2000 && r.top() <= 8400 &&
                   r.width() <= 14500 && r.height() <= 8000;
        };
        auto readable = [&fx](const QString& name) {
            level::Record rec;
            level::Error err;
            level::Level l;
            level::Summary sum;
            std::array<double, 4 * level::kPlatformCount> preview;
            return level::read(fx.path(name), rec, err) &&
                   level::decodeForGame(rec, name, l, err) &&
                   level::decodeForEditor(rec, name, l, err) &&
                   level::decodeSummary(rec, name, sum, err) &&
                   level::decodePreview(rec, name, preview, err);
        };
        auto wrote = [&fx] {
            return fx.services().log().join(u'\n').contains(QStringLiteral("Fichier enregistré!"));
        };
        auto files = [&fx] {  // every file of the folder but the editor's own two
            std::map<QString, QByteArray> all;
            for (const QString& n : QDir(fx.folder()).entryList(QDir::Files | QDir::Hidden))
                if (n != kRecovery && n != QLatin1String(".recents")) all[n] = fx.readFile(n);
            return all;
        };
        const QByteArray start = e->state();
        QByteArray saved = start;  // the level and file last saved or opened
        for (int i = 0; i < 500; ++i) {
            const auto before = files();
            const QString shown = e->ed.nomfichier;
            QString target;       // the name given to "Sauvegerder sous..."
            bool opened = false;  // another level, or a new one, is in the editor
            bool stopped = false;
            fx.takeLog();
            // Saves are rarer: each waits for the disk.
            const int kind = QList{0, 1, 2, 3, 4, 5, 6, 7,  8,  9, 10, 11, 12, 13, 0,
                                   1, 2, 3, 4, 5, 6, 8, 10, 11, 0, 3,  5,  14, 14, 15}[pick(30)];
            try {
                if (kind <= 2) {  // a drag, far past the window's edges
                    const QList<QRectF> was = e->rects();
                    const QRectF& r = was[pick(6)];
                    e->mouse(
                        "down", tk::LeftButton,
                        r.topLeft() + QPointF(pick(101) * r.width(), pick(101) * r.height()) / 100);
                    for (int n = pick(4); n >= 0; --n)
                        e->mouse("move", 0, QPointF(pick(100000) - 40000, pick(90000) - 40000));
                    const bool escaped = pick(8) == 0;
                    if (escaped) e->run("key frmedit 27");
                    if (pick(20) == 0) e->run("stop");  // the button still down
                    e->mouse("up", tk::LeftButton, {});
                    for (int k = 0; k < 6; ++k) {
                        const QRectF &from = was[k], now = e->rects()[k];
                        if (now == from) continue;
                        QVERIFY(within(now) && !escaped);
                        if (within(from)) {
                            QVERIFY(now.size() == from.size() ||
                                    ((now.left() == from.left() || now.right() == from.right()) &&
                                     (now.top() == from.top() || now.bottom() == from.bottom()) &&
                                     now.width() >= std::min(from.width(), 1000.) &&
                                     now.height() >= std::min(from.height(), 255.)));
                        }
                    }
                } else if (kind == 3) {  // a run of one arrow key
                    if (pick(3) == 0)
                        e->run(QStringLiteral("click frmedit.%1").arg(pick(2) ? "lh" : "posi"));
                    const QString key = QStringLiteral("key frmedit %1\n").arg(37 + pick(4));
                    e->run(key.repeated(1 + pick(40)).chopped(1));
                } else if (kind == 4) {
                    e->run(QStringList{"key frmedit 16 shift", "key frmedit 17 ctrl",
                                       "key frmedit 18 alt"}[pick(3)]);
                } else if (kind <= 6) {  // undo and redo, by the keys or the menu
                    e->run(QStringList{"key frmedit 17 ctrl\nkey frmedit 90 ctrl",
                                       "key frmedit 17 ctrl\nkey frmedit 89 ctrl",
                                       "key frmedit 17 ctrl\nkey frmedit 16 ctrl shift\nkey "
                                       "frmedit 90 ctrl shift",
                                       "click frmedit.annuler", "click frmedit.retablir"}[pick(5)]);
                } else if (kind == 7) {
                    e->run("click frmedit.save");
                } else if (kind == 8) {  // "Sauvegerder sous...": new, existing, hidden, none
                    const QString name = QStringList{"a", "c", "", "b", ".records"}[pick(5)];
                    target = name + QStringLiteral(".lev");
                    const QByteArray was = e->state();
                    if (QFileInfo::exists(fx.path(target)))
                        fx.services().queueMsgBoxAnswer(pick(2) ? tk::mb::Yes : tk::mb::No);
                    e->run(QStringLiteral("answer input \"%1\"\nclick frmedit.ssave").arg(name));
                    QCOMPARE(e->state(), wrote() ? e->bytes() + target.toUtf8() : was);
                } else if (kind == 9) {  // "Ouvrir...", with any answer to the question
                    if (e->ed.modified())
                        fx.services().queueMsgBoxAnswer(
                            QList{tk::mb::Yes, tk::mb::No, tk::mb::Cancel}[pick(3)]);
                    e->run("click frmedit.ouv");
                    opened = e->p.loadedAs<zelk::frmouvrir>();
                    if (opened)
                        e->run(QStringLiteral(
                                   "select frmouvrir.File1 \"%1.lev\"\nclick frmouvrir.Command1")
                                   .arg(pick(2) ? "a" : "b"));
                } else if (kind == 10) {  // the enemy options, left by OK or the close box
                    e->run(QStringLiteral("click frmedit.optmech\nset frmopt.nbg.Value %1\n%2")
                               .arg(pick(101))
                               .arg(pick(2) ? "click frmopt.Command1" : "close frmopt"));
                    QCOMPARE(e->ed.currentLevel(), e->ed.history().current().level);
                } else if (kind == 11) {
                    e->run("click frmedit.menu\nclick frmmenu.Command3");
                } else if (kind == 12) {  // "Nouveau": the start, unless the author goes back
                    const int answer = QList{tk::mb::Yes, tk::mb::No, tk::mb::Cancel}[pick(3)];
                    const bool asked = e->ed.modified();
                    if (asked) fx.services().queueMsgBoxAnswer(answer);
                    e->run("click frmedit.nouveau");
                    opened = !asked || answer != tk::mb::Cancel;
                    if (opened) QCOMPARE(e->state(), start);
                } else if (kind == 13) {  // Ctrl+S as a keyboard sends it
                    e->run("key frmedit 17 ctrl\nkey frmedit 83 ctrl");
                } else if (kind == 14 && e->ed.recent1.visible()) {  // a recent level
                    const QString name =
                        e->ed.recentLevels().value(pick(int(e->ed.recentLevels().size())));
                    if (e->ed.modified()) fx.services().queueMsgBoxAnswer(tk::mb::No);
                    e->run(QStringLiteral("click frmedit.recent%1")
                               .arg(e->ed.recentLevels().indexOf(name) + 1));
                    QCOMPARE(e->bytes(), fx.readFile(name));
                    opened = true;
                } else if (kind == 15) {  // the system's stop, now or at the next question
                    if (pick(2)) e->run("stop");
                    e->run(QStringLiteral("answer stop\nclick frmedit.%1")
                               .arg(e->ed.modified() && pick(2) ? "ouv" : "ssave"));
                }
            } catch (const tk::ProgramEnded&) {
                stopped = true;
                const bool changed = e->ed.modified();
                const QByteArray kept = e->bytes() + e->ed.nomfichier.toUtf8();
                QCOMPARE(fx.readFile(kRecovery), changed ? kept + "\r\n" : QByteArray());
                // A copy naming one of the program's own files is damaged.
                const bool damaged = changed && pick(4) == 0;
                if (damaged) fx.writeFile(kRecovery, e->bytes() + own[pick(2)].toUtf8());
                const int answer = pick(2) ? tk::mb::Yes : tk::mb::No;
                e.reset();
                if (changed && pick(3) == 0) {  // stopped again, at the offer: the copy stays
                    fx.services().stopAtNextDialog();
                    QVERIFY_THROWS_EXCEPTION(tk::ProgramEnded, Editor{&fx});
                }
                if (QFileInfo::exists(fx.path(kRecovery))) fx.services().queueMsgBoxAnswer(answer);
                e = std::make_unique<Editor>(&fx);
                QCOMPARE(e->state(), changed && !damaged && answer == tk::mb::Yes ? kept : start);
                saved = start;
            }
            // Only a save changed a file, the one it named, and each reads back.
            const auto after = files();
            for (const auto& [name, bytes] : after) {
                if (before.count(name) && before.at(name) == bytes) continue;
                QVERIFY2(wrote() && (name == shown || name == target) && readable(name),
                         qPrintable(name));
            }
            e->run("fire frmedit.Timer1");
            if ((wrote() || opened) && !stopped) saved = e->state();
            if (e->ed.modified() != (e->state() != saved))
                qDebug() << i << kind << stopped << e->state() << saved << fx.services().log();
            QCOMPARE(e->ed.modified(), e->state() != saved);
            // What is selected, where it is and which file a save writes are shown.
            const tk::Shape& sel = e->ed.Shape1(e->ed.selected());
            QVERIFY(e->ed.status.Caption.startsWith(
                QStringLiteral("Sauvegarder : %1     Plate-forme %2     Mode : %3     Left %4   ")
                    .arg(e->ed.nomfichier)
                    .arg(e->ed.selected() - 1)
                    .arg(e->ed.lh.checked() ? "Largeur/Hauteur" : "Position")
                    .arg(level::str(sel.Left))));
            const tk::Shape& f = e->ed.frame;
            QCOMPARE(QRectF(f.Left, f.Top, f.Width, f.Height).adjusted(45, 45, -45, -45),
                     QRectF(sel.Left, sel.Top, sel.Width, sel.Height));
            // The screen shows the document's level and its file, nothing of its own.
            level::Level onScreen = e->ed.currentLevel();
            zelk::storePlatforms(e->ed.Shape1, onScreen);
            QCOMPARE(onScreen, e->ed.currentLevel());
            QCOMPARE(e->ed.Text1.text(), e->ed.nomfichier);
            QCOMPARE(fx.readFile(kRecovery), e->ed.modified() ? e->state() + "\r\n" : QByteArray());
        }
        QCOMPARE(fx.readFile(own[0]) + fx.readFile(own[1]), QByteArray("12"));
        // The storm may end on an undo: the end is its last step.
        while (e->ed.retablir.enabled())
            e->run("click frmedit.retablir");
        const zelk::History::Step end = e->ed.history().current();
        for (int n = 0; e->ed.annuler.enabled() && n < 1000; ++n)
            e->run("key frmedit 17 ctrl\nkey frmedit 90 ctrl\nfire frmedit.Timer1");
        QCOMPARE(e->state(), start);
        QCOMPARE(e->ed.modified(), start != saved);
        for (int n = 0; e->ed.retablir.enabled() && n < 1000; ++n)
            e->run(
                n % 2
                    ? "key frmedit 17 ctrl\nkey frmedit 89 ctrl"
                    : "key frmedit 17 ctrl\nkey frmedit 16 ctrl shift\nkey frmedit 90 ctrl shift");
        QCOMPARE(e->ed.currentLevel(), end.level);
        QCOMPARE(e->ed.nomfichier, end.name);
    }

    // The document driven alone, as the screen drives it: the mark and the
    // recovery copy follow the level and its name, every save reads back,
    // the copy is offered back as it stands, and undo to the start gives the
    // start's bytes.
    void theDocumentAloneKeepsTheSamePromises() {
        testing::Fixture fx;
        QDir(fx.folder()).mkdir(QStringLiteral("dossier.lev"));  // a save there fails
        level::Record rec;
        level::Error err;
        zelk::History::Step now{{}, QStringLiteral("sansnom.lev")};
        QVERIFY(level::parse(testing::kStartLevel, now.name, rec, err) &&
                level::decodeForEditor(rec, now.name, now.level, err));
        QByteArray start = level::format(now.level);
        const QStringList names{now.name, QStringLiteral("a.lev"), QStringLiteral("dossier.lev")};
        auto doc = std::make_unique<zelk::Document>(fx.services());
        doc->start(now);
        zelk::History::Step saved = now;
        std::mt19937 rnd(5);
        auto pick = [&rnd](int n) { return static_cast<int>(rnd() % static_cast<unsigned>(n)); };
        for (int i = 0; i < 600; ++i) {
            const int kind = pick(7);
            if (kind <= 1) {  // a key's step, sometimes one of a run
                now.level.geometry[pick(24)] += 10.f * static_cast<float>(pick(3) - 1);
                doc->commit(now, {pick(2) ? 37 : 0, false, 2});
            } else if (kind == 2) {
                now.name = names[pick(3)];
                doc->commit(now);
            } else if (kind == 3) {  // a limits pass
                now.level.geometry[pick(24)] += 5;
                doc->replace(now);
                doc->passedLimits();
            } else if (kind == 4) {
                if (!doc->unrecorded()) doc->commit(now);
                now = doc->travel(pick(2));
            } else if (kind == 5) {
                doc->commit(now);
                if (doc->write(now.name)) {
                    doc->markSaved();
                    saved = now;
                    level::Level back;
                    QVERIFY(level::read(fx.path(now.name), rec, err) &&
                            level::decodeForEditor(rec, now.name, back, err) &&
                            level::decodeForGame(rec, now.name, back, err));
                    QCOMPARE(level::format(back), level::format(now.level));
                }
            } else if (pick(4) == 0) {
                doc->opened(now);
                saved = now;
            } else {  // a stop, and the next run offered the copy
                const bool changed = doc->modified();
                doc->stopping();
                doc->keepForNextRun();
                doc = std::make_unique<zelk::Document>(fx.services());
                doc->start(saved);
                if (changed) fx.services().queueMsgBoxAnswer(tk::mb::Yes);
                const std::optional<zelk::History::Step> found = doc->offerRecovery();
                QCOMPARE(found.has_value(), changed);
                if (found) QCOMPARE(*found, now);
                now = found ? *found : saved;
                doc->commit(now);
                start = level::format(saved.level);
            }
            QCOMPARE(doc->step(), now);  // the level being edited is the one driven
            doc->keepOrDropRecovery();
            QCOMPARE(doc->modified(), !(now == saved));
            QCOMPARE(fx.readFile(kRecovery),
                     doc->modified() ? level::format(now.level) + now.name.toUtf8() + "\r\n"
                                     : QByteArray());
        }
        while (doc->history().canUndo())
            now = doc->travel(true);
        QCOMPARE(level::format(now.level), start);
    }

    // A drag within the limits stays within them wherever the pointer goes,
    // keeps the edges not grabbed and the smallest size, goes in steps, and
    // the pointer back where it went down gives the start.
    void aDragKeepsTheLimitsAndComesBack() {
        constexpr float kRight = 19200;
        auto within = [](const zelk::Rect& r) {
            return r.left >= 0 && r.left + r.width <= kRight && r.top >= zelk::kTopLimit &&
                   r.top <= zelk::kBottomLimit && r.width <= zelk::kMaxWidth &&
                   r.height <= zelk::kMaxHeight;
        };
        std::mt19937 rnd(9);
        auto pick = [&rnd](int n) { return static_cast<float>(rnd() % static_cast<unsigned>(n)); };
        for (int i = 0; i < 3000; ++i) {
            const float w = 1000 + 5 * pick(2700), h = 255 + 5 * pick(1550);
            const zelk::Rect s{5 * pick(static_cast<int>((kRight - w) / 5) + 1),
                               2000 + 5 * pick(1281), w, h};
            const float x = s.left + pick(101) * w / 100, y = s.top + pick(101) * h / 100;
            const zelk::Grab g{zelk::edgesAt(s, x, y), x, y, s};
            zelk::Rect r = s;
            for (int n = 0; n < 3; ++n) {
                r = zelk::dragged(g, pick(60000) - 20000, pick(30000) - 10000, kRight, r);
                QVERIFY(within(r) && r.width >= zelk::kMinWidth && r.height >= zelk::kMinHeight);
                QVERIFY(std::fmod(r.left - s.left, 25) == 0 && std::fmod(r.width - w, 25) == 0 &&
                        std::fmod(r.top - s.top, 20) == 0 && std::fmod(r.height - h, 20) == 0);
                QVERIFY(within(zelk::fitted(
                    {r.left * 3 - 20000, r.top * 2 - 6000, r.width * 1.2f, r.height * 1.2f},
                    kRight)));
                const bool moved = g.edges == 0;
                QVERIFY(moved ? r.width == w && r.height == h
                              : (g.edges & zelk::kLeftSide ? r.left + r.width == s.left + w
                                                           : r.left == s.left) &&
                                    (g.edges & zelk::kTopSide ? r.top + r.height == s.top + h
                                                              : r.top == s.top));
            }
            QCOMPARE(zelk::dragged(g, x, y, kRight, r), s);
        }
    }

    // A recovery copy that is a folder is neither read nor removed: the
    // editor says so, naming it, and says once that changes are not kept.
    void aRecoveryCopyInTheWayIsSaidSo() {
        testing::Fixture fx;
        QDir(fx.folder()).mkdir(kRecovery);
        Editor e(&fx);
        e.run("key frmedit 39\nkey frmedit 39");
        const QStringList boxes = fx.takeLog().filter(QStringLiteral("msgbox"));
        QCOMPARE(boxes.size(), 2);
        QVERIFY(
            boxes[0].contains(fx.path(kRecovery) + ") est illisible et n'a pas pu être supprimé"));
        QVERIFY(boxes[1].contains(QStringLiteral("ne seront pas gardées")));
    }

    // The recent levels outlive the editor, and so the run: the next one
    // lists them from the level folder, less those gone from it.
    void recentLevelsAreKept() {
        Editor e;
        for (const char* name : {"a.lev", "b.lev", "c.lev"}) {
            e.fx.writeFile(QString::fromLatin1(name), e.bytes());
            e.run(QStringLiteral("click frmedit.ouv\nselect frmouvrir.File1 %1\n"
                                 "click frmouvrir.Command1")
                      .arg(QLatin1String(name)));
        }
        QFile::remove(e.fx.path(QStringLiteral("b.lev")));
        e.run("click frmedit.menu\nunload frmedit\nclick frmmenu.Command3");
        QCOMPARE(e.p.get<zelk::frmedit>().recentLevels(),
                 (QStringList{QStringLiteral("c.lev"), QStringLiteral("a.lev")}));
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
        // No next level after a try; "Rejouer" is the level as tried, no warning.
        QVERIFY(!e.p.get<zelk::frmaffpg>().suivant.enabled());
        e.fx.takeLog();
        e.run("key frmaffpg 13\nkey frmaffpg 82");
        QCOMPARE(e.fx.takeLog(),
                 QStringList({"unload frmaffpg", "unload frmsaut", "show frmsaut"}));
        e.run("key frmsaut 27\nfire frmsaut.Timer1");
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
