// The program on a desktop: the platform it asks for, French labels on the
// text boxes' menus whatever Qt's translations, and the icon every window
// carries.
#include <QLineEdit>
#include <QMenu>
#include <QtTest>
#include <memory>

#include "toolkit/desktop.h"

// The icons are built into the game's library.
static void initArt() {
    Q_INIT_RESOURCE(art);
}

class TestDesktop : public QObject {
    Q_OBJECT
private slots:
    void x11IsAskedForOnlyOnAWaylandDesktopThatAlsoRunsIt_data() {
        QTest::addColumn<QByteArray>("wayland");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("platform");
        QTest::addColumn<bool>("x11");
        QTest::newRow("Wayland with XWayland")
            << QByteArray("wayland-0") << QByteArray(":0") << QByteArray() << true;
        QTest::newRow("Wayland alone")
            << QByteArray("wayland-0") << QByteArray() << QByteArray() << false;
        QTest::newRow("X11 alone") << QByteArray() << QByteArray(":0") << QByteArray() << false;
        QTest::newRow("the user's choice")
            << QByteArray("wayland-0") << QByteArray(":0") << QByteArray("wayland") << false;
    }
    void x11IsAskedForOnlyOnAWaylandDesktopThatAlsoRunsIt() {
        QFETCH(QByteArray, wayland);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, platform);
        QFETCH(bool, x11);
        const QByteArray saved[] = {qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"),
                                    qgetenv("QT_QPA_PLATFORM")};
        qputenv("WAYLAND_DISPLAY", wayland);
        qputenv("DISPLAY", display);
        qputenv("QT_QPA_PLATFORM", platform);
        char name[] = "zelk";
        char* argv[] = {name, nullptr};
        tk::PlatformArguments args(1, argv);
        qputenv("WAYLAND_DISPLAY", saved[0]);
        qputenv("DISPLAY", saved[1]);
        qputenv("QT_QPA_PLATFORM", saved[2]);
        QCOMPARE(args.asksForX11(), x11);
        QStringList given;
        for (int i = 0; i < args.argc(); ++i)
            given << QString::fromLocal8Bit(args.argv()[i]);
        QCOMPARE(given, x11 ? QStringList({"zelk", "-platform", "xcb;wayland"}) : QStringList({"zelk"}));
        QCOMPARE(args.argv()[args.argc()], nullptr);
    }

    // Every entry of the standard menu gets its French label, its shortcut
    // kept; a Qt that renamed an entry would show it here.
    void textBoxMenusAreFrench() {
        QLineEdit edit(QStringLiteral("niveau"));
        edit.selectAll();
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        tk::frenchLabels(*menu);
        const QStringList french = {"&Annuler", "&Rétablir", "Co&uper",          "Cop&ier",
                                    "Co&ller",  "Supprimer", "Tout sélectionner"};
        QStringList labels;
        for (QAction* a : menu->actions()) {
            if (a->isSeparator()) continue;
            const QString label = a->text().section(u'\t', 0, 0);
            QVERIFY2(french.contains(label), qPrintable(a->text()));
            labels << label;
        }
        QCOMPARE(labels.size(), french.size());
        for (QAction* a : menu->actions())
            if (a->objectName() == QLatin1String("edit-copy"))
                QVERIFY2(a->text().endsWith(
                             QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText)),
                         qPrintable(a->text()));
    }

    void everyWindowCarriesTheIconInEverySize() {
        initArt();
        tk::presentToDesktop(QStringLiteral("zelk"), QStringLiteral("org.zelk.Zelk"),
                             QStringLiteral(":/icons/zelk"));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("org.zelk.Zelk"));
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("zelk"));
        QWidget window;
        QCOMPARE(window.windowIcon().availableSizes(), QList<QSize>({{16, 16},
                                                                     {22, 22},
                                                                     {24, 24},
                                                                     {32, 32},
                                                                     {48, 48},
                                                                     {64, 64},
                                                                     {128, 128},
                                                                     {256, 256}}));
    }

    void qtsOwnTextsAreFrench() {
        if (!tk::loadFrenchTranslations()) QSKIP("Qt's translations are not installed");
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 QStringLiteral("Annuler"));
    }
};

QTEST_MAIN(TestDesktop)
#include "test_desktop.moc"
