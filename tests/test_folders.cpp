// The program folder split in two: where the data and the levels are found,
// the level folder seeded once and never against the player's changes, and a
// folder that cannot be made said in French. tests/e2e/test_install.sh plays
// the installed game on its level folder.
#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>

#include "app/levelfolder.h"
#include "app/program.h"
#include "menus/frmmenu.h"
#include "support.h"

namespace {

// Fails the creation of every file whose name holds a text, as a full disk.
class FullDisk : public level::Files {
public:
    QString nameHas;

protected:
    int fault(Step step, const QString& path) override {
        const bool hit = !nameHas.isEmpty() && QFileInfo(path).fileName().contains(nameHas);
        return step == Step::Create && hit ? ENOSPC : 0;
    }
};

QStringList levelsIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.lev")}, QDir::Files, QDir::Name);
}

}  // namespace

class TestFolders : public QObject {
    Q_OBJECT
private slots:
    void foldersFollowTheLayout_data() {
        QTest::addColumn<QString>("exe");
        QTest::addColumn<QString>("share");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("levels");
        QTest::newRow("build tree") << "zelk"
                                    << "" << false << "zelk"
                                    << "zelk";
        QTest::newRow("installed") << "usr/bin"
                                   << "usr/share/zelk" << false << "usr/share/zelk"
                                   << "home/zelk";
        QTest::newRow("read-only folder") << "zelk"
                                          << "" << true << "zelk"
                                          << "home/zelk";
    }
    void foldersFollowTheLayout() {
        QFETCH(QString, exe);
        QFETCH(QString, share);
        QFETCH(bool, readOnly);
        QFETCH(QString, data);
        QFETCH(QString, levels);
        if (readOnly && ::geteuid() == 0) QSKIP("root writes in any folder");
        testing::Folder fx;
        QDir(fx.folder()).mkpath(exe);
        if (!share.isEmpty()) QDir(fx.folder()).mkpath(share);
        if (readOnly) ::chmod(QFile::encodeName(fx.path(exe)).constData(), 0555);
        const tk::Folders f = tk::locateFolders(fx.path(exe), fx.path(QStringLiteral("home")),
                                                fx.path(QStringLiteral("cfg")),
                                                QString::fromLatin1(zelk::kFolderName));
        ::chmod(QFile::encodeName(fx.path(exe)).constData(), 0755);
        QCOMPARE(f.data, fx.path(data));
        QCOMPARE(f.levels, fx.path(levels));
        QCOMPARE(f.settings,
                 data == levels ? QString() : fx.path(QStringLiteral("cfg/zelk/zelk.conf")));
    }

    // The XDG rules: relative values ignored, no HOME no folder, names as bytes.
    void dataHomeFollowsTheRules() {
        QCOMPARE(tk::dataHome("/d/x", "/h"), QStringLiteral("/d/x"));
        QCOMPARE(tk::dataHome("d/x", "/h"), QStringLiteral("/h/.local/share"));
        QCOMPARE(tk::dataHome("", "h"), QString());
        testing::Folder fx;
        const QByteArray bytes = QFile::encodeName(fx.folder()) + "/donn\xe9" + "es";
        QByteArray target(4096, 0);
        target.truncate(::readlink(QFile::encodeName(tk::dataHome(bytes, "/h")).constData(),
                                   target.data(), 4096));
        QCOMPARE(target, bytes);
    }

    // First start, the player's changes, a sample shipped later, and a
    // player's level that has a new sample's name.
    void levelFolderIsSeededOnceAndKeepsThePlayersChanges() {
        testing::Folder fx;
        const tk::Folders f{fx.path(QStringLiteral("data")), fx.path(QStringLiteral("home/zelk"))};
        QDir(fx.folder()).mkdir(QStringLiteral("data"));
        fx.writeFile(QStringLiteral("data/niveau1.lev"), "un");
        fx.writeFile(QStringLiteral("data/niveau2.lev"), "deux");
        fx.writeFile(QStringLiteral("data/sol.gif"), "image");
        level::Files files;
        QString why;
        QVERIFY(zelk::seedLevelFolder(f, files, why));
        QCOMPARE(levelsIn(f.levels), QStringList({"niveau1.lev", "niveau2.lev"}));
        QCOMPARE(fx.readFile(QStringLiteral("home/zelk/niveau2.lev")), QByteArray("deux"));
        QVERIFY(!QFile::exists(fx.path(QStringLiteral("home/zelk/sol.gif"))));

        fx.writeFile(QStringLiteral("home/zelk/niveau1.lev"), "changé");
        QVERIFY(QFile::remove(fx.path(QStringLiteral("home/zelk/niveau2.lev"))));
        fx.writeFile(QStringLiteral("data/niveau3.lev"), "trois");
        fx.writeFile(QStringLiteral("data/niveau4.lev"), "quatre");
        fx.writeFile(QStringLiteral("home/zelk/niveau4.lev"), "le mien");
        // The samples offered under their first names are not offered again
        // under their new ones, kept or deleted.
        fx.writeFile(QStringLiteral("data/05 - le premier vrai niveau.lev"), "un");
        fx.writeFile(QStringLiteral("data/09 - la basse-cour.lev"), "deux");
        for (int start = 0; start < 2; ++start) {
            QVERIFY(zelk::seedLevelFolder(f, files, why));
            QCOMPARE(levelsIn(f.levels),
                     QStringList({"niveau1.lev", "niveau3.lev", "niveau4.lev"}));
            QCOMPARE(fx.readFile(QStringLiteral("home/zelk/niveau1.lev")), QByteArray("changé"));
            QCOMPARE(fx.readFile(QStringLiteral("home/zelk/niveau3.lev")), QByteArray("trois"));
            QCOMPARE(fx.readFile(QStringLiteral("home/zelk/niveau4.lev")), QByteArray("le mien"));
        }
    }

    void aLevelFolderThatCannotBeMadeIsSaidAndTheSamplesStayPlayable_data() {
        QTest::addColumn<QString>("levels");
        QTest::addColumn<QString>("fullDiskFor");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("fallsBack");
        QTest::addColumn<int>("listed");
        QTest::newRow("a file in its place") << "fichier"
                                             << ""
                                             << "n'a pas pu être créé" << true << 1;
        QTest::newRow("a file in a parent's place") << "fichier/zelk"
                                                    << ""
                                                    << "n'a pas pu être créé" << true << 1;
        QTest::newRow("full disk while copying")
            << "zelk"
            << "niveau1"
            << "niveau1.lev : le disque est plein." << false << 0;
        QTest::newRow("full disk for the list of samples")
            << "zelk"
            << ".niveaux-fournis"
            << ".niveaux-fournis : le disque est plein." << false << 1;
        // What was offered is not known: nothing comes back.
        QTest::newRow("an unreadable list of samples")
            << "lu"
            << ""
            << "aucun niveau fourni n'a été copié" << false << 0;
        QTest::newRow("no HOME") << ""
                                 << ""
                                 << "ni la variable XDG_DATA_HOME ni la variable HOME" << true << 1;
    }
    void aLevelFolderThatCannotBeMadeIsSaidAndTheSamplesStayPlayable() {
        QFETCH(QString, levels);
        QFETCH(QString, fullDiskFor);
        QFETCH(QString, message);
        QFETCH(bool, fallsBack);
        QFETCH(int, listed);
        testing::Fixture fx;
        fx.writeFile(QStringLiteral("fichier"), "pas un dossier");
        fx.writeFile(QStringLiteral("niveau1.lev"), testing::kStartLevel);
        QDir(fx.folder()).mkpath(QStringLiteral("lu/.niveaux-fournis"));
        FullDisk files;
        files.nameHas = fullDiskFor;
        fx.services().setFiles(files);
        const QString levelFolder = levels.isEmpty() ? QString() : fx.path(levels);
        fx.services().setFolders(fx.folder(), levelFolder);
        zelk::ZelkProgram p(fx.services(), true);
        p.start();
        const QStringList log = fx.takeLog();
        QVERIFY(!log.isEmpty());
        const QString& box = log.first();
        QVERIFY2(box.startsWith(QStringLiteral("msgbox \"Dossier des niveaux\"")) &&
                     box.contains(levelFolder) && box.contains(message) &&
                     box.endsWith(QStringLiteral(" 48 -> 1")),
                 qPrintable(box));
        QCOMPARE(fx.services().levelFolder(), fallsBack ? fx.folder() : levelFolder);
        if (fallsBack) {
            if (!levels.isEmpty())
                QVERIFY(box.contains(QStringLiteral("un élément du chemin n'est pas un dossier.")));
            // The data folder is never changed: a save or a removal is refused.
            QString why;
            QVERIFY(!files.write(fx.path(QStringLiteral("neuf.lev")), "x", why));
            QVERIFY(!files.remove(fx.path(QStringLiteral("niveau1.lev")), why));
            QVERIFY2(why.startsWith(levels.isEmpty() ? "aucun dossier" : "le dossier de vos"),
                     qPrintable(why));
            QVERIFY(QFile::exists(fx.path(QStringLiteral("niveau1.lev"))));
        }
        // The menu lists the samples, or the player's folder as it is.
        QCOMPARE(p.get<zelk::frmmenu>().File1.listCount(), listed);
        // Healed, the next start copies what was missing.
        files.nameHas.clear();
        if (!fallsBack && levels != QLatin1String("lu")) {
            fx.services().setFolders(fx.folder(), fx.path(levels));
            zelk::ZelkProgram again(fx.services(), true);
            again.start();
            QCOMPARE(levelsIn(fx.path(levels)), QStringList({"niveau1.lev"}));
        }
    }
};

QTEST_MAIN(TestFolders)
#include "test_folders.moc"
