// File-system faults and hostile level names: each gives a clear French
// message, loses nothing and leaves the program usable, and nothing is ever
// written outside the program folder. Faults that cannot be made for real
// here (a full disk; permissions when the tests run as root) are made by the
// file layer's fault hook.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QtTest>

#include "app/program.h"
#include "editor/frmedit.h"
#include "editor/frmouvrir.h"
#include "game/frmsaut.h"
#include "level/levelfile.h"
#include "menus/frmmenu.h"
#include "menus/frmpre.h"
#include "support.h"

namespace {

using Step = level::Files::Step;

// A file layer that fails one step with an error number, for the paths
// whose file name contains a given text (all paths when it is empty).
class FaultyFiles : public level::Files {
public:
    void failAt(Step step, int err, const QString& nameHas = QString()) {
        step_ = step;
        err_ = err;
        nameHas_ = nameHas;
    }
    void heal() { err_ = 0; }

protected:
    int fault(Step step, const QString& path) override {
        const bool named = nameHas_.isEmpty() || QFileInfo(path).fileName().contains(nameHas_);
        return step == step_ && named ? err_ : 0;
    }

private:
    Step step_ = Step::Open;
    int err_ = 0;
    QString nameHas_;
};

// A level of its own, told apart from the editor's start layout.
const QByteArray kEarlier =
    "8000,1000,1000,2000,5400,3120,1455,3135,3360,9240,1455,3135,2640,2040,1455,3135,3120,5880,"
    "1455,3135,5520,7560,1455,3135,1,20,2,30,\"3\"\r\n";

// The program on a program folder that sits alone in a temporary folder, so
// that a write beside it shows.
struct Zelk {
    testing::Fixture fx;
    QString folder = fx.path(QStringLiteral("zelk"));
    FaultyFiles files;
    std::unique_ptr<zelk::ZelkProgram> p;

    Zelk() {
        QDir().mkdir(folder);
        fx.services().setFolder(folder);
        fx.services().setFiles(files);
    }
    ~Zelk() { chmod(folder, 0755); }
    QString path(const QString& name) const { return QDir(folder).filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray read(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void chmod(const QString& path, mode_t mode) {
        ::chmod(QFile::encodeName(path).constData(), mode);
    }
    zelk::frmmenu& menu() {
        if (!p) {
            p = std::make_unique<zelk::ZelkProgram>(fx.services(), true);
            p->show<zelk::frmmenu>();
        }
        return p->get<zelk::frmmenu>();
    }
    zelk::frmedit& editor() {
        menu().Command3.click();
        auto& ed = p->get<zelk::frmedit>();
        ed.Timer1.fire();
        return ed;
    }
    // Selects a level in the menu as a click does; false when it is not listed.
    bool select(const QString& name) {
        auto& m = menu();
        for (int i = 0; i < m.File1.listCount(); ++i) {
            if (m.File1.list(i) == name) {
                m.File1.userSelect(i);
                return true;
            }
        }
        return false;
    }
    QStringList messages() {
        QStringList boxes;
        for (const QString& l : fx.takeLog())
            if (l.startsWith(QStringLiteral("msgbox"))) boxes << l;
        return boxes;
    }
    // Everything in the program folder and beside it, hidden files included.
    QStringList everything() const {
        const auto all = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
        QStringList l = QDir(fx.folder()).entryList(all);
        for (const QString& n : QDir(folder).entryList(all))
            l << QStringLiteral("zelk/") + n;
        return l;
    }
};

// A critical message box whose text holds every one of the given parts.
bool criticalSaying(const QString& box, const QStringList& parts) {
    if (!box.endsWith(QStringLiteral(" 16 -> 1"))) return false;
    for (const QString& part : parts)
        if (!box.contains(part)) return false;
    return true;
}

// Root ignores permissions: the faults they make are then injected.
bool permissionsApply() {
    return ::geteuid() != 0;
}

}  // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void readOnlyFolder_data() {
        QTest::addColumn<bool>("forReal");
        QTest::newRow("folder permissions") << true;
        QTest::newRow("injected") << false;
    }
    void readOnlyFolder() {
        QFETCH(bool, forReal);
        if (forReal && !permissionsApply()) QSKIP("root ignores folder permissions");
        Zelk z;
        z.write(QStringLiteral("a.lev"), kEarlier);
        auto& ed = z.editor();
        if (forReal) {
            Zelk::chmod(z.folder, 0555);
        } else {
            z.files.failAt(Step::Create, EACCES);
        }
        const QStringList before = z.everything();
        z.messages();

        ed.save.click();
        z.fx.services().queueInputAnswer(QStringLiteral("nouveau"));
        ed.ssave.click();
        ed.ouv.click();
        auto& o = z.p->get<zelk::frmouvrir>();
        o.File1.setFileName(QStringLiteral("a.lev"));
        o.Command1.click();
        ed.Timer1.fire();
        ed.save.click();
        QStringList boxes = z.messages();
        QCOMPARE(boxes.size(), 3);
        QVERIFY2(
            criticalSaying(boxes[0], {"« sansnom.lev » n'a pas été enregistré", "accès refusé"}),
            qPrintable(boxes[0]));
        QVERIFY2(
            criticalSaying(boxes[1], {"« nouveau.lev » n'a pas été enregistré", "accès refusé"}),
            qPrintable(boxes[1]));
        QVERIFY2(criticalSaying(boxes[2], {"« a.lev » n'a pas été enregistré", "accès refusé"}),
                 qPrintable(boxes[2]));

        if (!forReal) z.files.failAt(Step::Remove, EACCES);
        ed.menu.click();
        QVERIFY(z.select(QStringLiteral("a.lev")));
        z.messages();
        z.fx.services().queueMsgBoxAnswer(tk::mb::Yes);
        z.menu().Command2.click();
        boxes = z.messages();
        QCOMPARE(boxes.size(), 2);
        QVERIFY2(
            criticalSaying(boxes[1], {"Impossible de supprimer le fichier a.lev", "accès refusé"}),
            qPrintable(boxes[1]));
        QCOMPARE(z.everything(), before);
        QCOMPARE(z.read(QStringLiteral("a.lev")), kEarlier);

        // Usable again once the folder can be written.
        Zelk::chmod(z.folder, 0755);
        z.files.heal();
        z.menu().Command3.click();
        ed.save.click();
        QCOMPARE(z.messages(), QStringList{"msgbox \"OK\" \"Fichier enregistré!\" 64 -> 1"});
        QCOMPARE(z.read(QStringLiteral("a.lev")), kEarlier);  // saved back as it was opened
    }

    void levelReplacedByAFolder() {
        Zelk z;
        z.write(QStringLiteral("a.lev"), kEarlier);
        z.write(QStringLiteral("b.lev"), testing::kStartLevel);
        auto& ed = z.editor();
        ed.ouv.click();
        auto& o = z.p->get<zelk::frmouvrir>();
        o.File1.setFileName(QStringLiteral("a.lev"));
        ed.menu.click();
        QVERIFY(z.select(QStringLiteral("a.lev")));
        QFile::remove(z.path(QStringLiteral("a.lev")));
        QDir(z.folder).mkdir(QStringLiteral("a.lev"));
        z.messages();
        auto& m = z.menu();

        m.File1.userSelect(m.File1.listIndex());  // the summary
        m.Command8.click();                       // the preview
        QVERIFY(!z.p->loadedAs<zelk::frmpre>());
        m.Command1.click();  // play
        QVERIFY(!z.p->loadedAs<zelk::frmsaut>() || !z.p->get<zelk::frmsaut>().visible());
        o.Command1.click();  // the editor's open dialog
        QVERIFY(z.p->loadedAs<zelk::frmouvrir>());
        QCOMPARE(ed.Text1.text(), QStringLiteral("sansnom.lev"));
        ed.Text1.setText(QStringLiteral("a.lev"));
        ed.Timer1.fire();
        ed.save.click();
        z.fx.services().queueMsgBoxAnswer(tk::mb::Yes);
        m.Command2.click();  // delete
        QStringList boxes = z.messages();
        boxes.removeIf([](const QString& b) {
            return b.contains(QStringLiteral("Avertissement")) ||
                   b.contains(QStringLiteral("Confirmation"));
        });
        QCOMPARE(boxes.size(), 6);
        for (const QString& b : boxes)
            QVERIFY2(criticalSaying(b, {"a.lev", "c'est un dossier"}), qPrintable(b));
        QVERIFY(QFileInfo(z.path(QStringLiteral("a.lev"))).isDir());

        // Still usable: another level reads, plays and saves.
        QVERIFY(z.select(QStringLiteral("b.lev")));
        QCOMPARE(m.champ1, qint16(8520));
        m.Command1.click();
        QVERIFY(z.p->get<zelk::frmsaut>().visible());
        QVERIFY(z.messages().first().contains(QStringLiteral("Avertissement")));
    }

    void levelWithoutReadPermission_data() {
        QTest::addColumn<bool>("forReal");
        QTest::newRow("file permissions") << true;
        QTest::newRow("injected") << false;
    }
    void levelWithoutReadPermission() {
        QFETCH(bool, forReal);
        if (forReal && !permissionsApply()) QSKIP("root ignores file permissions");
        Zelk z;
        z.write(QStringLiteral("a.lev"), kEarlier);
        z.write(QStringLiteral("b.lev"), testing::kStartLevel);
        if (forReal) {
            Zelk::chmod(z.path(QStringLiteral("a.lev")), 0);
        } else {
            z.files.failAt(Step::Open, EACCES, QStringLiteral("a.lev"));
        }
        auto& ed = z.editor();
        ed.ouv.click();
        auto& o = z.p->get<zelk::frmouvrir>();
        o.File1.setFileName(QStringLiteral("a.lev"));
        o.Command1.click();
        ed.menu.click();
        QVERIFY(z.select(QStringLiteral("a.lev")));
        z.menu().Command8.click();
        QStringList boxes = z.messages();
        QCOMPARE(boxes.size(), 3);
        for (const QString& b : boxes)
            QVERIFY2(criticalSaying(b, {"« a.lev » ne peut pas être lu", "accès refusé"}),
                     qPrintable(b));
        QCOMPARE(ed.Text1.text(), QStringLiteral("sansnom.lev"));
        QVERIFY(z.select(QStringLiteral("b.lev")));
        QCOMPARE(z.menu().champ1, qint16(8520));
        QVERIFY(z.messages().isEmpty());
    }

    void endlessAndSpecialFilesAreRefusedAtOnce_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("says");
        QTest::newRow("huge file") << "huge"
                                   << "4096";
        QTest::newRow("link to /dev/zero") << "/dev/zero"
                                           << "pas un fichier ordinaire";
        QTest::newRow("link to /dev/urandom") << "/dev/urandom"
                                              << "pas un fichier ordinaire";
        QTest::newRow("named pipe") << "fifo"
                                    << "pas un fichier ordinaire";
    }
    void endlessAndSpecialFilesAreRefusedAtOnce() {
        QFETCH(QString, kind);
        QFETCH(QString, says);
        Zelk z;
        const QByteArray path = QFile::encodeName(z.path(QStringLiteral("x.lev")));
        if (kind == QLatin1String("huge")) {
            const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
            QVERIFY(fd >= 0);
            QCOMPARE(::ftruncate(fd, qint64(4) << 30), 0);  // 4 GiB, sparse
            ::close(fd);
        } else if (kind == QLatin1String("fifo")) {
            QCOMPARE(::mkfifo(path.constData(), 0644), 0);
        } else {
            QCOMPARE(::symlink(QFile::encodeName(kind).constData(), path.constData()), 0);
        }
        QElapsedTimer clock;
        clock.start();
        level::Record r;
        level::Error e;
        QVERIFY(!level::read(z.path(QStringLiteral("x.lev")), z.files, r, e));
        QVERIFY2(e.message().contains(says), qPrintable(e.message()));
        QVERIFY(clock.elapsed() < 5000);
        // Only the huge file is a level file to list; the others are not shown.
        QCOMPARE(z.menu().File1.listCount(), kind == QLatin1String("huge") ? 1 : 0);
        if (kind == QLatin1String("huge")) {
            QVERIFY(z.select(QStringLiteral("x.lev")));
            QVERIFY(criticalSaying(z.messages().value(0), {"x.lev", "4096"}));
        }
    }

    void programFolderRemovedWhileTheMenuIsOpen() {
        Zelk z;
        z.write(QStringLiteral("a.lev"), kEarlier);
        auto& ed = z.editor();
        ed.menu.click();
        QVERIFY(z.select(QStringLiteral("a.lev")));
        QVERIFY(QDir(z.folder).removeRecursively());
        z.messages();
        auto& m = z.menu();
        m.Command8.click();
        m.Command1.click();
        z.fx.services().queueMsgBoxAnswer(tk::mb::Yes);
        m.Command2.click();  // delete: the list is read again
        QCOMPARE(m.File1.listCount(), 0);
        QCOMPARE(m.File1.fileName(), QString());
        m.Command3.click();
        ed.save.click();
        QStringList boxes = z.messages();
        boxes.removeIf([](const QString& b) {
            return b.contains(QStringLiteral("Avertissement")) ||
                   b.contains(QStringLiteral("Confirmation"));
        });
        QCOMPARE(boxes.size(), 4);
        for (const QString& b : boxes)
            QVERIFY2(
                criticalSaying(b, {"n'existe pas"}) || b.contains(QStringLiteral("n'existe plus")),
                qPrintable(b));
        ed.menu.click();  // refreshes the list of a folder that is not there
        QCOMPARE(m.File1.listCount(), 0);
        m.Command8.click();  // nothing selected: nothing happens
        m.Command1.click();
        QVERIFY(z.messages().isEmpty());

        QVERIFY(QDir().mkdir(z.folder));  // back: usable again
        m.Command3.click();
        ed.save.click();
        ed.menu.click();
        QCOMPARE(m.File1.listCount(), 1);
        QVERIFY(z.select(QStringLiteral("sansnom.lev")));
        QCOMPARE(m.champ1, qint16(8520));
    }

    void failedSaveKeepsTheEarlierFile_data() {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("err");
        QTest::addColumn<QString>("says");
        QTest::newRow("disk full while writing")
            << int(Step::Write) << ENOSPC << "disque est plein";
        QTest::newRow("quota while writing") << int(Step::Write) << EDQUOT << "quota";
        QTest::newRow("disk full creating") << int(Step::Create) << ENOSPC << "disque est plein";
        QTest::newRow("read-only disk") << int(Step::Create) << EROFS << "lecture seule";
        QTest::newRow("disk error at the sync") << int(Step::Sync) << EIO << "entrée-sortie";
        QTest::newRow("rename refused") << int(Step::Rename) << EBUSY << "occupé";
    }
    void failedSaveKeepsTheEarlierFile() {
        QFETCH(int, step);
        QFETCH(int, err);
        QFETCH(QString, says);
        Zelk z;
        z.write(QStringLiteral("sansnom.lev"), kEarlier);
        auto& ed = z.editor();
        const QStringList before = z.everything();
        z.files.failAt(Step(step), err);
        z.messages();
        ed.save.click();
        const QStringList boxes = z.messages();
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(criticalSaying(boxes[0], {"« sansnom.lev » n'a pas été enregistré", says}),
                 qPrintable(boxes[0]));
        QCOMPARE(z.read(QStringLiteral("sansnom.lev")), kEarlier);
        QCOMPARE(z.everything(), before);  // nothing left aside
        z.files.heal();
        ed.save.click();
        QCOMPARE(z.read(QStringLiteral("sansnom.lev")), QByteArray(testing::kStartLevel));
    }

    // A save replaces a level in place with its permissions; a level that
    // may not be written is refused and left as it was.
    void saveKeepsPermissionsAndRefusesReadOnlyLevels_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("injected");  // error number at the check
        QTest::addColumn<QString>("folderEnd");
        QTest::addColumn<QString>("says");  // empty: saved
        QTest::newRow("permissions kept") << 0640 << 0 << ""
                                          << "";
        QTest::newRow("nobody may write it, root included") << 0444 << 0 << ""
                                                            << "lecture seule";
        QTest::newRow("this user may not write it") << 0644 << EACCES << ""
                                                    << "lecture seule";
        QTest::newRow("read-only disk") << 0644 << EROFS << ""
                                        << "disque est en lecture seule";
        QTest::newRow("folder named with a final slash") << 0644 << 0 << "/"
                                                         << "";
    }
    void saveKeepsPermissionsAndRefusesReadOnlyLevels() {
        QFETCH(int, mode);
        QFETCH(int, injected);
        QFETCH(QString, folderEnd);
        QFETCH(QString, says);
        Zelk z;
        z.fx.services().setFolder(z.folder + folderEnd);
        z.write(QStringLiteral("sansnom.lev"), kEarlier);
        const QString path = z.path(QStringLiteral("sansnom.lev"));
        Zelk::chmod(path, mode_t(mode));
        z.files.failAt(Step::Check, injected);
        auto& ed = z.editor();
        z.messages();
        ed.save.click();
        const QStringList boxes = z.messages();
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(says.isEmpty() ? boxes[0].contains(QStringLiteral("Fichier enregistré!"))
                                : criticalSaying(boxes[0], {"« sansnom.lev » n'a pas été", says}),
                 qPrintable(boxes[0]));
        QCOMPARE(z.read(QStringLiteral("sansnom.lev")),
                 says.isEmpty() ? QByteArray(testing::kStartLevel) : kEarlier);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(int(st.st_mode & 0777), mode);
        // Nothing left aside; a level saved joins the editor's recent levels.
        QStringList kept{"zelk", "zelk/sansnom.lev"};
        if (says.isEmpty()) kept.insert(1, QStringLiteral("zelk/.recents"));
        QCOMPARE(z.everything(), kept);
    }

    void hostileNamesWorkEverywhere_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("blanks") << "  mon niveau  .lev";
        QTest::newRow("accents") << "Niveau d'été, ça glisse.lev";
        QTest::newRow("quotes") << "le \"grand\" saut.lev";
        QTest::newRow("percent signs") << "%1 %2 100%.lev";
        QTest::newRow("line end") << "deux\nlignes.lev";
        QTest::newRow("backslash") << "avant\\après.lev";
        QTest::newRow("markup") << "<h1>GROS<hr><font color=red size=7>ROUGE.lev";
        QTest::newRow("long, accented") << QString(123, u'é') + ".lev";  // 250 bytes
        QTest::newRow("longest the system takes") << QString(251, u'x') + ".lev";
    }
    void hostileNamesWorkEverywhere() {
        QFETCH(QString, name);
        Zelk z;
        z.write(name, testing::kStartLevel);
        auto& ed = z.editor();
        ed.ouv.click();
        auto& o = z.p->get<zelk::frmouvrir>();
        o.File1.setFileName(name);
        QCOMPARE(o.File1.fileName(), name);
        o.Command1.click();
        ed.Timer1.fire();
        QCOMPARE(ed.nomfichier, name);
        ed.save.click();
        ed.menu.click();
        QVERIFY(z.select(name));
        QCOMPARE(z.menu().champ1, qint16(8520));
        z.menu().Command8.click();
        QVERIFY(z.p->get<zelk::frmpre>().caption().contains(name));
        z.menu().Command1.click();
        QVERIFY(z.p->get<zelk::frmsaut>().visible());
        QStringList boxes = z.messages();
        QCOMPARE(boxes.size(), 2);
        QVERIFY(boxes[0].contains(QStringLiteral("Fichier enregistré!")));
        QCOMPARE(z.read(name), QByteArray(testing::kStartLevel));
        z.fx.services().queueMsgBoxAnswer(tk::mb::Yes);
        z.menu().Command2.click();
        QCOMPARE(z.messages().size(), 1);  // the question only
        QCOMPARE(z.everything(), QStringList({"zelk", "zelk/.recents"}));
    }

    void nameThatIsNotUtf8IsShownAndRefused() {
        Zelk z;
        const QByteArray raw = QFile::encodeName(z.folder) + "/caf\xe9.lev";
        const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
        QVERIFY(fd >= 0);
        QCOMPARE(::write(fd, kEarlier.constData(), size_t(kEarlier.size())),
                 ssize_t(kEarlier.size()));
        ::close(fd);
        const QString shown = QStringLiteral("caf\ufffd.lev");
        QVERIFY(z.select(shown));
        z.menu().Command8.click();
        z.menu().Command1.click();
        z.fx.services().queueMsgBoxAnswer(tk::mb::Yes);
        z.menu().Command2.click();
        QStringList boxes = z.messages();
        boxes.removeIf([](const QString& b) {
            return b.contains(QStringLiteral("Avertissement")) ||
                   b.contains(QStringLiteral("Confirmation"));
        });
        QCOMPARE(boxes.size(), 4);
        for (const QString& b : boxes)
            QVERIFY2(criticalSaying(b, {shown, "pas écrit en UTF-8"}), qPrintable(b));
        QCOMPARE(::access(raw.constData(), F_OK), 0);  // still there, untouched
        QCOMPARE(z.menu().File1.listCount(), 1);
    }

    void saveAsOverALinkNeverWritesThroughIt() {
        Zelk z;
        const QString outside = z.fx.path(QStringLiteral("dehors.txt"));
        QFile f(outside);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("à ne pas toucher\n");
        f.close();
        QCOMPARE(::symlink(QFile::encodeName(outside).constData(),
                           QFile::encodeName(z.path(QStringLiteral("lien.lev"))).constData()),
                 0);
        auto& ed = z.editor();
        z.fx.services().queueInputAnswer(QStringLiteral("lien"));
        z.fx.services().queueMsgBoxAnswer(tk::mb::Yes);  // replace it
        ed.ssave.click();
        QFile back(outside);
        QVERIFY(back.open(QIODevice::ReadOnly));
        QCOMPARE(back.readAll(), QByteArray("à ne pas toucher\n"));
        QVERIFY(!QFileInfo(z.path(QStringLiteral("lien.lev"))).isSymLink());
        QCOMPARE(z.read(QStringLiteral("lien.lev")), QByteArray(testing::kStartLevel));
    }
};

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
