// The screen toolkit: screens load when touched and unload safely, element
// arrays keep their bases, values written from code raise their events, mouse
// events go where the element kind sends them, timers fire only when enabled.
#include <QLabel>
#include <QtTest>

#include "support.h"
#include "toolkit/program.h"
#include "toolkit/qtservices.h"

namespace {

class Probe : public tk::Screen {
    Q_OBJECT
    Q_PROPERTY(qint16 loads MEMBER loads)
public:
    static constexpr const char* kName = "probe";
    explicit Probe(tk::Program& p)
        : tk::Screen(p, kName, 3000, 2000),
          mech1(*this, "mech1"),
          bar(*this, "bar", {0, 0, 1000, 255}, 0, 10, 5),
          check(*this, "check", {0, 300, 1000, 255}, QStringLiteral("c")),
          a(*this, "a", {0, 600, 500, 255}, QStringLiteral("a")),
          b(*this, "b", {600, 600, 500, 255}, QStringLiteral("b")),
          ok(*this, "ok", {0, 900, 500, 300}, QStringLiteral("OK")),
          tick(*this, "tick", 10, false) {
        ground.setRect(0, 1500, 3000, 500);
        add(ground, "ground");
        mech1.add(0).setRect(100, 100, 200, 200);
        cloud.setRect(1000, 100, 500, 300);
        add(cloud, "cloud");
        caption.setRect(2000, 100, 500, 300);
        add(caption, "caption");
        for (tk::Element* e :
             {static_cast<tk::Element*>(&mech1(0)), static_cast<tk::Element*>(&cloud)}) {
            e->MouseDown = [this](int button, int, float, float) {
                log << QStringLiteral("pic down %1").arg(button);
            };
            e->MouseUp = [this](int button, int, float, float) {
                log << QStringLiteral("pic up %1").arg(button);
            };
        }
        cloud.Click = [this] { log << QStringLiteral("click"); };
        bar.Change = [this] { log << QStringLiteral("change %1").arg(bar.value()); };
        check.Click = [this] { log << QStringLiteral("check %1").arg(check.value()); };
        tick.Tick = [this] { log << QStringLiteral("tick"); };
        ok.Default = true;
        ok.Click = [this] { log << QStringLiteral("ok"); };
    }
    void Form_Load() override { ++loads; }
    void Form_MouseDown(int button, int, float x, float y) override {
        log << QStringLiteral("screen down %1 %2 %3").arg(button).arg(x).arg(y);
    }
    void Form_MouseUp(int button, int, float, float) override {
        log << QStringLiteral("screen up %1").arg(button);
    }
    void Form_MouseMove(int, int, float x, float) override {
        log << QStringLiteral("move %1").arg(x);
    }
    void Form_KeyDown(int key, int) override { log << QStringLiteral("key %1").arg(key); }

    qint16 loads = 0;
    QStringList log;
    tk::Shape ground;
    tk::ElementArray<tk::Picture> mech1;
    tk::Picture cloud;
    tk::Label caption;
    tk::HScrollBar bar;
    tk::CheckBox check;
    tk::OptionButton a, b;
    tk::CommandButton ok;
    tk::Timer tick;
};

// A screen that unloads itself from its own handler, then keeps using itself.
class SelfUnload : public tk::Screen {
    Q_OBJECT
public:
    static constexpr const char* kName = "self";
    explicit SelfUnload(tk::Program& p)
        : tk::Screen(p, kName, 1000, 1000),
          go(*this, "go", {0, 0, 500, 300}, QStringLiteral("go")) {
        go.Click = [this] {
            program().unload<SelfUnload>();
            setCaption(QStringLiteral("still alive"));  // must not touch freed memory
        };
    }
    tk::CommandButton go;
};

class TestProgram : public tk::Program {
public:
    explicit TestProgram(tk::Services& s) : tk::Program(s, true) {
        registerScreen<Probe>();
        registerScreen<SelfUnload>();
    }
    void start() override { show<Probe>(); }
    QString title() const override { return QStringLiteral("Zelk"); }
};

}  // namespace

class TestToolkit : public QObject {
    Q_OBJECT
private slots:
    void screensLoadHiddenWhenTouchedAndAfreshAfterUnload() {
        testing::Fixture fx;
        TestProgram p(fx.services());
        QVERIFY(!p.loadedAs<Probe>());
        Probe& s = p.get<Probe>();
        QCOMPARE(s.loads, qint16(1));
        QVERIFY(!s.visible());
        QCOMPARE(&p.get<Probe>(), &s);  // touched again: the same screen, no second load
        s.bar.setValue(7);
        p.unload<Probe>();
        QVERIFY(!p.loadedAs<Probe>());
        p.collectGarbage();
        QCOMPARE(p.get<Probe>().bar.value(), 5);  // the layout's value again
        QCOMPARE(fx.takeLog(), QStringList({QStringLiteral("unload probe")}));
    }

    void unloadFromOwnHandlerIsDeferred() {
        testing::Fixture fx;
        TestProgram p(fx.services());
        SelfUnload& s = p.get<SelfUnload>();
        s.go.click();
        QVERIFY(!p.loadedAs<SelfUnload>());
        p.collectGarbage();
        QCOMPARE(p.loadedCount(), 0);
    }

    void elementArraysKeepTheirBaseAndCopyHidden() {
        testing::Fixture fx;
        TestProgram p(fx.services());
        Probe& s = p.get<Probe>();
        QCOMPARE(s.mech1.lbound(), 0);
        s.mech1(0).Tag = QStringLiteral("3");
        tk::Picture& f = s.mech1.load(1);
        QVERIFY(!f.Visible);
        QCOMPARE(f.Width, 200.0f);
        QCOMPARE(f.Tag, QStringLiteral("3"));
        QCOMPARE(s.mech1.ubound(), 1);
        QVERIFY_THROWS_EXCEPTION(level::RuntimeError, s.mech1(2));
        QVERIFY_THROWS_EXCEPTION(level::RuntimeError, s.mech1.load(1));
        // The copy routes the mouse like the original.
        f.Visible = true;
        f.Left = 2500;
        s.deliverMouse(tk::Screen::MouseAction::Down, 1, 0, 2550, 150);
        QCOMPARE(s.log.last(), QStringLiteral("pic down 1"));
    }

    void valuesWrittenFromCodeRaiseTheirEvents() {
        testing::Fixture fx;
        TestProgram p(fx.services());
        Probe& s = p.get<Probe>();
        s.bar.setValue(5);  // unchanged: no event
        s.bar.setValue(9);
        s.check.setValue(1);
        s.check.setValue(1);
        s.b.setValue(true);
        s.a.setValue(true);
        QCOMPARE(s.log, QStringList({QStringLiteral("change 9"), QStringLiteral("check 1")}));
        QVERIFY(s.a.value());
        QVERIFY(!s.b.value());  // one group per screen
        QVERIFY_THROWS_EXCEPTION(level::RuntimeError, s.bar.setValue(11));
    }

    void runtimeErrorsInHandlersAreReportedNotFatal() {
        testing::Fixture fx;
        TestProgram p(fx.services());
        Probe& s = p.get<Probe>();
        s.check.Click = [&s] { s.bar.setValue(99); };
        s.check.setValue(1);
        const QStringList log = fx.takeLog();
        QCOMPARE(log.size(), 1);
        QVERIFY(log[0].startsWith(QStringLiteral("msgbox \"Zelk\"")));
        QVERIFY(log[0].contains(QStringLiteral(" 16 -> 1")));
    }

    void mouseGoesWhereTheElementKindSendsIt() {
        testing::Fixture fx;
        TestProgram p(fx.services());
        Probe& s = p.get<Probe>();
        using A = tk::Screen::MouseAction;
        s.deliverMouse(A::Down, 1, 0, 500, 1600);  // over a shape: the screen
        s.deliverMouse(A::Up, 1, 0, 500, 1600);
        s.deliverMouse(A::Down, 2, 0, 1100, 200);  // over a picture: its handler
        s.deliverMouse(A::Up, 2, 0, 1100, 200);
        s.deliverMouse(A::Down, 1, 0, 2100, 200);  // over a label: swallowed
        s.deliverMouse(A::Up, 1, 0, 2100, 200);
        s.deliverMouse(A::Move, 0, 0, 1100, 200);  // moves over a picture do not reach the screen
        s.deliverMouse(A::Move, 0, 0, 700, 1000);
        QCOMPARE(s.log, QStringList({"screen down 1 500 1600", "screen up 1", "pic down 2",
                                     "pic up 2", "click", "move 700"}));
    }

    // While a button is held, each event still goes to what is under the
    // pointer; a click needs the press and the release on the same element.
    void heldButtonsDoNotCaptureTheMouse_data() {
        QTest::addColumn<QStringList>("events");  // action button x y
        QTest::addColumn<QStringList>("heard");
        QTest::newRow("picture to ground")
            << QStringList{"d 1 1100 200", "m 1 500 1000", "u 1 500 1600"}
            << QStringList{"pic down 1", "move 500", "screen up 1"};
        QTest::newRow("picture to label: the screen ends the press")
            << QStringList{"d 4 1100 200", "u 4 2100 200"}
            << QStringList{"pic down 4", "screen up 4"};
        QTest::newRow("label to label: nothing")
            << QStringList{"d 1 2100 200", "u 1 2100 200"} << QStringList{};
        QTest::newRow("out and back: a click")
            << QStringList{"d 1 1100 200", "m 1 500 1000", "u 1 1100 200"}
            << QStringList{"pic down 1", "move 500", "pic up 1", "click"};
    }
    void heldButtonsDoNotCaptureTheMouse() {
        QFETCH(QStringList, events);
        QFETCH(QStringList, heard);
        testing::Fixture fx;
        TestProgram p(fx.services());
        Probe& s = p.get<Probe>();
        for (const QString& ev : events) {
            const QStringList w = ev.split(u' ');
            using A = tk::Screen::MouseAction;
            const A a = w[0] == u"d" ? A::Down : w[0] == u"u" ? A::Up : A::Move;
            s.deliverMouse(a, w[1].toInt(), 0, w[2].toFloat(), w[3].toFloat());
        }
        QCOMPARE(s.log, heard);
    }

    // File names and fields reach the boxes' texts: never read as markup.
    void boxesShowTheirTextsAsPlainText() {
        const QString text = QStringLiteral("<h1>GROS<hr><font color=red size=7>ROUGE.lev");
        tk::QtServices services(tk::Folders{});
        for (bool input : {false, true}) {
            int plain = 0, rich = 0;
            QTimer::singleShot(0, [&] {
                QWidget* box = QApplication::activeModalWidget();
                for (const QLabel* l : box ? box->findChildren<QLabel*>() : QList<QLabel*>())
                    if (l->text() == text) ++(l->textFormat() == Qt::PlainText ? plain : rich);
                if (box) box->close();
            });
            if (input) services.inputBox(text, QStringLiteral("Nom"), QString());
            if (!input) services.msgBox(text, tk::mb::OkOnly, QStringLiteral("Niveau"));
            QCOMPARE(plain, 1);
            QCOMPARE(rich, 0);
        }
    }

    void enterPressesTheDefaultButtonInsteadOfTheKeyHandler() {
        testing::Fixture fx;
        TestProgram p(fx.services());
        Probe& s = p.get<Probe>();
        s.deliverKeyDown(13, 0);
        s.deliverKeyDown(37, 0);
        QCOMPARE(s.log, QStringList({QStringLiteral("ok"), QStringLiteral("key 37")}));
    }

    void timersFireOnlyWhenEnabledNeverByThemselvesNorUnloaded() {
        testing::Fixture fx;
        TestProgram p(fx.services());
        Probe& s = p.get<Probe>();
        s.tick.fire();
        s.tick.setEnabled(true);
        QTest::qWait(50);  // frozen time: nothing fires
        s.tick.fire();
        QCOMPARE(s.log, QStringList({QStringLiteral("tick")}));
        // Unloaded, awaiting its destruction: its timers are dead.
        p.unload<Probe>();
        s.tick.fire();
        QCOMPARE(s.log, QStringList({QStringLiteral("tick")}));
    }

    void screenWidthIsTheOuterSize() {
        testing::Fixture fx;
        TestProgram p(fx.services());
        Probe& s = p.get<Probe>();
        QCOMPARE(s.width(), 3000.0f + tk::kFrameWidth);
        s.setWidth(7680);
        QCOMPARE(s.width(), 7680.0f);
        QCOMPARE(s.scaleWidth(), 7680.0f - tk::kFrameWidth);
    }

    void changedModelsAreRedrawnAndUnchangedOnesAreNot() {
        testing::Fixture fx;
        TestProgram p(fx.services());
        Probe& s = p.get<Probe>();
        const size_t d0 = s.drawDigest();
        QCOMPARE(s.drawDigest(), d0);
        s.mech1(0).Left += 2;
        QVERIFY(s.drawDigest() != d0);
        s.mech1(0).Left -= 2;
        QCOMPARE(s.drawDigest(), d0);
        s.caption.Caption = QStringLiteral("x");
        QVERIFY(s.drawDigest() != d0);
    }
};

QTEST_MAIN(TestToolkit)
#include "test_toolkit.moc"
