// Drawing from caches must show what the model holds: a cached background
// layer looks exactly like the elements drawn one by one and follows them when
// they change, a picture given a new image shows it, a letterboxed window
// leaves no pixel unpainted. The measurement counts are written as documented.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include "game_support.h"
#include "support.h"
#include "toolkit/program.h"
#include "toolkit/stats.h"

namespace {

// A small scene in the game's style: sky, a hatched rounded platform, a
// picture, then a moving shape and a line drawn above them.
class Scene : public tk::Screen {
    Q_OBJECT
public:
    Scene(tk::Program& p, const char* name, bool cached) : tk::Screen(p, name, 3000, 2250) {
        setBackColor(QColor(128, 128, 255));
        platform.setRect(300, 1200, 1500, 400);
        platform.ShapeKind = tk::RoundedRectangle;
        platform.BackStyle = tk::Opaque;
        platform.BackColor = QColor(255, 255, 0);
        platform.FillColor = QColor(128, 64, 0);
        platform.FillStyle = tk::FillDownwardDiagonal;
        add(platform, "platform");
        QImage img(40, 30, QImage::Format_ARGB32);
        img.fill(QColor(0, 160, 0, 200));
        cloud.setRect(1900, 200, 765, 570);
        cloud.setImage(img, QStringLiteral("cloud"));
        add(cloud, "cloud");
        ball.setRect(1000, 900, 375, 375);
        ball.ShapeKind = tk::Circle;
        ball.FillStyle = tk::FillSolid;
        add(ball, "ball");
        line.X2 = line.Y2 = 500;
        line.BorderWidth = 4;
        add(line, "line");
        if (cached) cacheStaticLayer(cloud);
    }
    tk::Shape platform;
    tk::Picture cloud;
    tk::Shape ball;
    tk::Line line;
};

// The same scene drawn directly and through the cached layer.
struct Plain : Scene {
    static constexpr const char* kName = "plain";
    explicit Plain(tk::Program& p) : Scene(p, kName, false) {}
};
struct Cached : Scene {
    static constexpr const char* kName = "cached";
    explicit Cached(tk::Program& p) : Scene(p, kName, true) {}
};

class DisplayProgram : public tk::Program {
public:
    explicit DisplayProgram(tk::Services& s) : tk::Program(s, true) {
        registerScreen<Plain>();
        registerScreen<Cached>();
    }
    void start() override {}
};

// The window's picture at a device pixel ratio, its window sized to `size`.
QImage draw(tk::Screen& s, QSize size, int ratio, QColor under = Qt::magenta) {
    s.window()->resize(size);
    s.relayout();
    QImage img(size * ratio, QImage::Format_RGB32);
    img.setDevicePixelRatio(ratio);
    img.fill(under);
    QPainter p(&img);
    s.render(p, size);
    return img;
}

}  // namespace

class TestDisplay : public QObject {
    Q_OBJECT
private slots:
    void cachedLayerLooksLikeTheElements_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("ratio");
        QTest::newRow("layout size") << QSize(200, 150) << 1;
        QTest::newRow("HiDPI") << QSize(200, 150) << 2;
        QTest::newRow("enlarged") << QSize(300, 225) << 1;
        QTest::newRow("letterboxed") << QSize(333, 180) << 1;
        QTest::newRow("letterboxed, HiDPI") << QSize(251, 260) << 2;
    }
    void cachedLayerLooksLikeTheElements() {
        QFETCH(QSize, size);
        QFETCH(int, ratio);
        testing::Fixture fx;
        DisplayProgram program(fx.services());
        tk::Screen& plain = program.get<Plain>();
        tk::Screen& cached = program.get<Cached>();
        const QImage expected = draw(plain, size, ratio);
        QCOMPARE(draw(cached, size, ratio), expected);
        QCOMPARE(draw(cached, size, ratio), expected);  // drawn again from the cache
    }

    void cachedLayerFollowsItsElements() {
        testing::Fixture fx;
        DisplayProgram program(fx.services());
        Scene& plain = program.get<Plain>();
        Scene& cached = program.get<Cached>();
        const QSize size(200, 150);
        draw(cached, size, 1);
        for (Scene* s : {&plain, &cached}) {
            s->platform.Left += 900;
            s->platform.FillStyle = tk::FillCross;
            s->cloud.Visible = false;
            s->setBackColor(QColor(0, 0, 128));
        }
        QCOMPARE(draw(cached, size, 1), draw(plain, size, 1));
        QImage img(10, 10, QImage::Format_RGB32);
        img.fill(Qt::red);
        cached.cloud.setImage(img, QStringLiteral("red"));
        cached.cloud.Visible = true;
        const QImage shown = draw(cached, size, 1);
        QCOMPARE(shown.pixelColor(150, 25), QColor(Qt::red));
    }

    void pictureShowsItsNewImage() {
        testing::Fixture fx;
        DisplayProgram program(fx.services());
        auto& s = program.get<Plain>();
        const QPoint inside(150, 25);  // the cloud's middle, pixels
        for (QColor c : {QColor(Qt::red), QColor(Qt::blue), QColor(Qt::red)}) {
            QImage img(40, 30, QImage::Format_RGB32);
            img.fill(c);
            s.cloud.setImage(img, c.name());
            QCOMPARE(draw(s, QSize(200, 150), 1).pixelColor(inside), c);
        }
    }

    void letterboxedWindowLeavesNoPixelUnpainted_data() {
        QTest::addColumn<QSize>("size");
        QTest::newRow("wide") << QSize(1201, 611);
        QTest::newRow("tall") << QSize(307, 700);
        QTest::newRow("odd") << QSize(263, 197);
    }
    void letterboxedWindowLeavesNoPixelUnpainted() {
        QFETCH(QSize, size);
        testing::Fixture fx;
        DisplayProgram program(fx.services());
        for (tk::Screen* screen : {static_cast<tk::Screen*>(&program.get<Plain>()),
                                   static_cast<tk::Screen*>(&program.get<Cached>())}) {
            const QImage img = draw(*screen, size, 1);
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (img.pixelColor(x, y) == QColor(Qt::magenta))
                        QFAIL(qPrintable(QStringLiteral("%1: pixel %2,%3 left unpainted")
                                             .arg(screen->name())
                                             .arg(x)
                                             .arg(y)));
        }
    }

    // However far an element reaches, what shows of it is drawn as if it
    // ended just outside the window, and drawing it costs what the window
    // shows (a platform reaching 10^12 twips used to hang the screen).
    void farReachingElementsDrawWhatShows_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRectF>("near");  // line: from top-left to bottom-right
        QTest::addColumn<QRectF>("far");
        const qreal huge = 1e12;
        QTest::newRow("platform across the window")
            << "platform" << QRectF(-2000, 800, 7000, 600) << QRectF(-huge, 800, 2 * huge, 600);
        QTest::newRow("platform covering all") << "platform" << QRectF(-500, -500, 4000, 3250)
                                               << QRectF(-huge, -huge, 2 * huge, 2 * huge);
        QTest::newRow("platform far away")
            << "platform" << QRectF(5000, 800, 10, 10) << QRectF(huge, 800, huge, 600);
        QTest::newRow("line across the window")
            << "line" << QRectF(-100, 1000, 3200, 0) << QRectF(-huge, 1000, 2 * huge, 0);
        QTest::newRow("line far away")
            << "line" << QRectF(5000, 1000, 10, 10) << QRectF(huge, huge, huge, 500);
        QTest::newRow("picture covering all") << "cloud" << QRectF(-3000, -2250, 9000, 6750)
                                              << QRectF(-huge, -huge, 2 * huge, 2 * huge);
        QTest::newRow("picture far away")
            << "cloud" << QRectF(5000, 800, 10, 10) << QRectF(huge, 800, huge, 600);
    }
    void farReachingElementsDrawWhatShows() {
        QFETCH(QString, kind);
        QFETCH(QRectF, near);
        QFETCH(QRectF, far);
        testing::Fixture fx;
        DisplayProgram program(fx.services());
        Scene& s = program.get<Plain>();
        tk::Element& e = kind == u"platform" ? static_cast<tk::Element&>(s.platform)
                         : kind == u"line"   ? static_cast<tk::Element&>(s.line)
                                             : static_cast<tk::Element&>(s.cloud);
        auto place = [&](const QRectF& r) {
            e.setRect(float(r.left()), float(r.top()), float(r.width()), float(r.height()));
            if (&e != &s.line) return;
            s.line.X1 = float(r.left());
            s.line.Y1 = float(r.top());
            s.line.X2 = float(r.right());
            s.line.Y2 = float(r.bottom());
        };
        place(near);
        const QImage expected = draw(s, QSize(200, 150), 2);
        place(far);
        QCOMPARE(draw(s, QSize(200, 150), 2), expected);
    }

    // A busy level (bird, seven green frogs, up to fifteen grey frogs, vials,
    // jumps, gauges and counters) drawn tick after tick with only the regions
    // that changed over the last picture looks as if drawn whole each time.
    void regionRepaintsMatchWholeRepaints_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("ratio");
        QTest::newRow("layout size") << QSize(1014, 734) << 1;
        QTest::newRow("letterboxed, HiDPI") << QSize(1200, 1000) << 2;
    }
    void regionRepaintsMatchWholeRepaints() {
        QFETCH(QSize, size);
        QFETCH(int, ratio);
        testing::Game g;
        g.aut().maxgb.setValue(15);
        g.play(testing::levelLine(1, 17, 7, 100, "10"));
        zelk::frmsaut& s = *g.game();
        s.energie = 1e9;  // the level never ends while it is drawn
        s.deliverKeyPress(27);
        QImage shown = draw(s, size, ratio);
        s.takeChanges();
        for (int t = 0; t < 400; ++t) {
            s.Timer1.fire();
            if (t % 2 == 0) s.Timer3.fire();
            if (t % 40 == 0) s.Timer2.fire();
            if (t % 60 == 0) s.deliverMouse(tk::Screen::MouseAction::Down, tk::LeftButton, 0, 0, 0);
            if (t % 60 == 20) s.deliverMouse(tk::Screen::MouseAction::Up, tk::LeftButton, 0, 0, 0);
            if (t % 60 == 25)
                s.deliverMouse(tk::Screen::MouseAction::Down, tk::RightButton, 0, 0, 0);
            if (t % 90 == 45) s.deliverKeyPress(13);
            s.sourisx = t % 200 < 100 ? 2000 : 13000;
            const QRegion changed = s.takeChanges();
            if (!changed.isEmpty()) {
                QPainter p(&shown);
                s.render(p, size, changed);
            }
            QImage whole(size * ratio, QImage::Format_RGB32);
            whole.setDevicePixelRatio(ratio);
            QPainter p(&whole);
            s.render(p, size);
            p.end();
            if (shown != whole) QFAIL(qPrintable(QStringLiteral("tick %1 differs").arg(t)));
        }
        QVERIFY(s.nbgris >= 5);  // the field did fill up
    }

    void statsFileHoldsTheCounts() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("stats"));
        {
            tk::Stats stats(path);
            for (int k = 0; k < 5; ++k)
                stats.timerFired(QStringLiteral("frmsaut"), QStringLiteral("Timer1"), k >= 3);
            stats.timerDropped(QStringLiteral("frmsaut"), QStringLiteral("Timer1"), 7);
            stats.frameDrawn(QStringLiteral("frmsaut"), 100, false);
            stats.frameDrawn(QStringLiteral("frmmenu"), 7, false);
            stats.frameDrawn(QStringLiteral("frmsaut"), 20, true);
        }  // written once more at the end
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 11);
        QVERIFY(lines[0].startsWith(QLatin1String("uptime_ms ")));
        QVERIFY(lines[1].startsWith(QLatin1String("first_frame_unix_us ")));
        QVERIFY(lines[1].split(u' ')[1].toLongLong() > 1'600'000'000'000'000LL);
        QCOMPARE(lines[2], QStringLiteral("timer frmsaut.Timer1 5 2 7"));
        QCOMPARE(lines.mid(3, 3), QStringList({QStringLiteral("frames frmmenu 1"),
                                               QStringLiteral("repeats frmmenu 0"),
                                               QStringLiteral("pixels frmmenu 7")}));
        QCOMPARE(lines.mid(7, 3), QStringList({QStringLiteral("frames frmsaut 2"),
                                               QStringLiteral("repeats frmsaut 1"),
                                               QStringLiteral("pixels frmsaut 120")}));
        // One interval between two frames, whatever its length.
        const QStringList intervals = lines[10].split(u' ');
        QCOMPARE(intervals.mid(0, 3),
                 QStringList({QStringLiteral("intervals"), QStringLiteral("frmsaut"),
                              QStringLiteral("250")}));
        QCOMPARE(intervals.size(), 4);
        QVERIFY(intervals[3].endsWith(QLatin1String(":1")));
        QVERIFY(!QFile::exists(path + QStringLiteral(".new")));
    }
};

QTEST_MAIN(TestDisplay)
#include "test_display.moc"
