// The level folder's hidden files keep everything once written, whatever
// happens: a seeded storm of games won and lost by two programs on one
// folder, levels edited, saved and received, damage, other kinds of files in
// the place of the hidden ones, failing disks and programs stopped at random
// points, the rules checked after every step. A new hidden file joins with
// its steps in kSteps and its rules in check().
#include <sys/stat.h>

#include <QRandomGenerator>
#include <set>

#include "editor/frmedit.h"
#include "game_support.h"
#include "many_records.h"

namespace {

using Lines = std::map<QByteArray, level::LevelRecord>;

// Fails one step on the hidden files with an error number, while err is set.
struct StormFiles : level::Files {
    Step step{};
    int err = 0;
    int fault(Step s, const QString& path) override {
        return s == step && QFileInfo(path).fileName().startsWith(u'.') ? err : 0;
    }
};

// The whole record lines of a file, damaged or not (its first 32 MB: the storm writes less).
Lines linesOf(const QString& path) {
    Lines out;
    QFile f(path);
    const bool open = level::fileStamp(path).isFile() && f.open(QIODevice::ReadOnly);
    for (const QByteArray& line : open ? f.read(32 << 20).split('\n') : QByteArrayList()) {
        const QByteArrayList w = line.split(' ');
        bool ok = w.size() == 6;
        int v[5] = {};
        for (int i = 0; ok && i < 5; ++i)
            v[i] = w[i].toInt(&ok);
        if (ok) out[w[5]] = {v[0], v[1], v[2], v[3], v[4]};
    }
    return out;
}

struct Storm {
    testing::Folder root;
    const QString dir = root.path(QStringLiteral("zelk")), records = dir + "/.records";
    StormFiles files;
    QRandomGenerator rng;
    std::unique_ptr<testing::Game> players[2];
    Lines owed;                                  // what .records held after the last step
    std::map<QString, level::FileStamp> frozen;  // set-aside copies, the storm's own copies
    QStringList said;                            // in this step
    std::optional<std::tuple<QByteArray, level::LevelRecord, bool>> counting;  // key, was, won
    bool huge = false;
    int counted = 0;
    // Before a level operation (an edit, a save, a level received): the
    // folder's entries, of which it may change only levels and the editor's own.
    std::optional<std::map<QString, level::FileStamp>> levelOp;
    bool unsaved = false;  // a stop while editing left changes that must be kept

    static QByteArray level(int i) {  // 3.lev has a green frog: it cannot be won
        return testing::levelLine(0, 10, i / 3, 0, QByteArray::number(i + 1));
    }
    explicit Storm(quint32 seed) : rng(seed) {
        QDir().mkdir(dir);
        for (int i = 0; i < 4; ++i)
            root.writeFile(QStringLiteral("zelk/%1.lev").arg(i), level(i));
    }

    std::unique_ptr<testing::Game>& player() {
        std::unique_ptr<testing::Game>& pl = players[rng.bounded(2)];
        if (!pl) {
            pl = std::make_unique<testing::Game>();
            pl->fx.services().setFolder(dir);
            pl->fx.services().setFiles(files);
            pl->program.get<zelk::frmmenu>().File1.setPath(dir + u'/');
        }
        return pl;
    }
    std::map<QString, level::FileStamp> entries() const {
        std::map<QString, level::FileStamp> all;
        for (const QString& n : QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                    QDir::Hidden | QDir::System))
            all[n] = level::fileStamp(dir + u'/' + n);
        return all;
    }

    // The editor on either program: arrow keys (changes kept in the recovery
    // copy), then Ctrl+S (0), "Sauvegerder sous..." under a name of its own
    // or one of the program's (1), or the system's stop (2).
    void edit(int how) {
        std::unique_ptr<testing::Game>& pl = player();
        levelOp = entries();
        const bool offered = !pl->program.loadedAs<zelk::frmedit>() &&
                             level::fileStamp(dir + "/.recuperation.lev").isFile();
        if (offered) pl->fx.services().queueMsgBoxAnswer(tk::mb::Yes);
        zelk::frmedit& ed = pl->program.get<zelk::frmedit>();
        for (int n = 1 + rng.bounded(4); n > 0; --n)
            ed.deliverKeyDown(tk::key::Left + rng.bounded(4), 0);
        if (how == 0) ed.deliverKeyDown('S', tk::CtrlKey);
        if (how == 1) {
            const QString name = QStringList{"x", ".records", ".recents", ".x"}[rng.bounded(4)];
            pl->fx.services().queueMsgBoxAnswer(tk::mb::Yes);  // replacing x.lev
            pl->fx.services().queueInputAnswer(name);
            ed.ssave.click();
        }
        if (how == 2) {
            unsaved = ed.modified();
            try {
                pl->program.interrupt();
            } catch (const tk::ProgramEnded&) {
            }
            collect(*std::exchange(pl, nullptr));
        }
    }

    // A level from elsewhere (zelk FILE, a drop on the menu), under a name of
    // its own or one the program keeps for itself.
    void receive(int) {
        std::unique_ptr<testing::Game>& pl = player();
        levelOp = entries();
        const QString name =
            QStringList{"r.lev", ".cache.lev", ".recuperation.lev", ".records.lev"}[rng.bounded(4)];
        QDir().mkpath(root.path(QStringLiteral("dehors")));
        root.writeFile(QStringLiteral("dehors/") + name, level(rng.bounded(3)));
        pl->program.openLevelFile(root.path(QStringLiteral("dehors/") + name));
    }

    // A game on either program: won (0), lost (1) or stopped at some point (2).
    void game(int end) {
        std::unique_ptr<testing::Game>& pl = player();
        const int lev = rng.bounded(4);
        const QByteArray key = level(lev).trimmed();
        const level::FileStamp st = level::fileStamp(records);
        if (end < 2 && !files.err && (!st.present || (st.isFile() && st.mode & 0222)))
            counting.emplace(key, linesOf(records)[key], end == 0 && lev < 3);
        pl->play(QByteArray(), QStringLiteral("%1.lev").arg(lev));
        zelk::frmsaut& s = *pl->game();
        s.deliverKeyPress(tk::key::Escape);
        if (end > 0 || lev == 3) s.energie = 0;  // nothing to kill: won, then lost, in one tick
        for (int n = end < 2 ? 1 : rng.bounded(3); n > 0; --n)
            s.Timer1.fire();
        if (end == 2) {
            try {
                if (rng.bounded(2)) pl->program.interrupt();
            } catch (const tk::ProgramEnded&) {
            }
            return collect(*std::exchange(pl, nullptr));
        }
        // A new best is said only of a record kept.
        if (pl->program.get<zelk::frmaffpg>().record.Visible)
            QVERIFY(level::fileStamp(records) != st && linesOf(records)[key].won);
        pl->program.get<zelk::frmaffpg>().menu.click();
        pl->program.collectGarbage();
    }

    // Someone else's hand on .records: damage (0-4), another kind of file in
    // its place (5-7), or that taken away (8).
    void disturb(int kind) {
        const QByteArray r = QFile::encodeName(records);
        const bool file = level::fileStamp(records).isFile() && !QFileInfo(records).isSymLink();
        QFile f(records);
        if (kind < 5 && (!file || !f.open(QIODevice::ReadWrite))) return;
        const QByteArray was = kind < 5 ? f.readAll() : QByteArray();
        if (kind == 0) f.write("\n1 2 ???\n\xff\x01 zelk\n");
        if (kind == 1) f.resize(rng.bounded(was.size() + 1));
        if (kind == 2 && !std::exchange(huge, true)) {  // over 8 MB, once: it takes seconds
            f.seek(0);
            f.write(testing::manyRecords(62000) + was.mid(was.indexOf('\n') + 1));
        }
        if (kind == 3) f.resize(f.write("\n") + level::kMaxRecordsBytes);  // sparse
        if (kind == 4) ::chmod(r, 0444);
        if (kind < 5 || (kind < 8 && level::fileStamp(records).present && !file)) return;
        const QString copy = root.path(QStringLiteral("copie-%1").arg(frozen.size()));
        if (kind == 7 && file && QFile::copy(records, copy)) frozen[copy] = level::fileStamp(copy);
        QFile::remove(records);
        if (kind == 5) QDir().mkdir(records);
        if (kind == 6) ::mkfifo(r, 0644);
        if (kind == 7 && frozen.count(copy)) QFile::link(copy, records);
        if (kind == 8) QDir().rmdir(records);
    }

    // The editor's own files damaged, or another kind of file in their place.
    void disturbEditor(int kind) {
        const QString path = dir + (rng.bounded(2) ? "/.recents" : "/.recuperation.lev");
        const QByteArray p = QFile::encodeName(path);
        if (!level::fileStamp(path).isFile()) ::rmdir(p);
        QFile::remove(path);
        QFile f(path);
        if (kind == 0 && f.open(QIODevice::WriteOnly))
            f.write("\xff\x01 dommage\n../x.lev\n.records\n");
        if (kind == 1) QDir().mkdir(path);
        if (kind == 2) ::mkfifo(p, 0644);
        if (kind == 3) {  // a link to a file of the storm's own, which must never change
            const QString copy = root.path(QStringLiteral("copie-%1").arg(frozen.size()));
            root.writeFile(copy.mid(root.folder().size() + 1), level(0));
            frozen[copy] = level::fileStamp(copy);
            QFile::link(copy, path);
        }
    }

    // A failing step of the disk (ENOSPC, EROFS, EIO), or none.
    void disk(int fails) {
        files.step = level::Files::Step(rng.bounded(10));
        files.err = fails * std::array{ENOSPC, EROFS, EIO}[rng.bounded(3)];
    }

    void collect(testing::Game& pl) {
        for (const QString& l : pl.fx.takeLog())  // all but the warning before a level
            if (l.startsWith(QStringLiteral("msgbox")) && !l.contains(QStringLiteral("Attention")))
                said << l;
    }

    // The rules, after every step.
    void check(bool mayLose) {
        for (auto& pl : players)
            if (pl) collect(*pl);
        const QStringList log = std::exchange(said, {});
        // Nothing is written in the level folder but .records, its lock and
        // the copies set aside, which never change.
        std::vector<Lines> keep{linesOf(records)};
        const QRegularExpression ours(
            QStringLiteral("^[^.].*\\.lev$|^\\.records(-verrou|-endommage.*)?$|^\\.recents$|^\\."
                           "recuperation\\.lev$"));
        for (const QString& n : QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                    QDir::Hidden | QDir::System)) {
            const QString path = dir + u'/' + n;
            QVERIFY2(ours.match(n).hasMatch(), qPrintable(n));
            if (!n.startsWith(QStringLiteral(".records-e")) || frozen.count(path)) continue;
            keep.push_back(linesOf(path));
            frozen[path] = level::fileStamp(path);
            // Its message names it, and says "trop grand" when that is why.
            const QStringList about = log.filter(path + QStringLiteral(" »"));
            QVERIFY(about.size() == 1 && about[0].contains(QStringLiteral("trop grand")) ==
                                             (QFileInfo(path).size() > level::kMaxRecordsBytes));
        }
        for (const auto& [path, stamp] : frozen)
            QVERIFY2(level::fileStamp(path) == stamp, qPrintable(path));
        // Every record once written is still there, its counts as high.
        for (const auto& entry : mayLose ? Lines() : owed) {
            const auto& [key, was] = entry;
            QVERIFY2(std::any_of(keep.begin(), keep.end(),
                                 [&key = entry.first, &was = entry.second](const Lines& k) {
                                     const level::LevelRecord now = k.count(key) ? k.at(key) : was;
                                     return k.count(key) && now.played >= was.played &&
                                            now.won >= was.won &&
                                            now.bestEnergy >= was.bestEnergy &&
                                            (!was.won || now.bestTicks <= was.bestTicks);
                                 }),
                     key.constData());
        }
        owed = keep.front();
        // A level operation changes nothing but levels and the editor's own files.
        if (levelOp) {
            const auto now = entries();
            std::set<QString> names;
            for (const auto& [n, st] : *levelOp)
                names.insert(n);
            for (const auto& [n, st] : now)
                names.insert(n);
            const QRegularExpression mayChange(
                QStringLiteral("^[^.].*\\.lev$|^\\.recents$|^\\.recuperation\\.lev$"));
            // The records may be set aside meanwhile (the menu read them
            // damaged), never written.
            const bool setAside = std::any_of(now.begin(), now.end(), [&](const auto& e) {
                return e.first.startsWith(QStringLiteral(".records-e")) && !levelOp->count(e.first);
            });
            for (const QString& n : names) {
                const bool same = levelOp->count(n) == now.count(n) &&
                                  (!now.count(n) || levelOp->at(n) == now.at(n));
                const bool movedAway =
                    setAside &&
                    (n == QLatin1String(".records") ? !now.count(n) : n.startsWith(".records-e"));
                QVERIFY2(same || movedAway || mayChange.match(n).hasMatch(), qPrintable(n));
            }
            levelOp.reset();
        }
        // Unsaved changes outlive a stop, unless the disk or a file in the
        // way of their copy says otherwise.
        if (unsaved && !files.err) QVERIFY(level::fileStamp(dir + "/.recuperation.lev").present);
        unsaved = false;
        // Each message names its file; those about the records are said
        // once, and "mis de côté" is true.
        for (const QString& m : log) {
            if (m.contains(QStringLiteral("Fichier enregistré!"))) continue;
            const bool aboutRecords = m.contains(records);
            QVERIFY2(aboutRecords || m.contains(QStringLiteral(".lev")) || m.contains(u'«') ||
                         m.contains(QStringLiteral(".recents")) ||
                         m.contains(QStringLiteral(".records")),
                     qPrintable(m));
            QVERIFY2(!aboutRecords ||
                         (log.count(m) == 1 &&
                          (keep.size() > 1 || !m.contains(QStringLiteral("mis de côté sous")))),
                     qPrintable(m));
        }
        // A game with nothing in its way counts, on the record as it is on disk.
        if (counting) {
            const auto& [key, before, won] = *counting;
            const level::LevelRecord was = keep.size() > 1 ? level::LevelRecord{} : before;
            QVERIFY2(keep[0][key].played > was.played && keep[0][key].won >= was.won + won,
                     key.constData());
            ++counted;
        }
        counting.reset();
    }
};

const struct {
    const char* name;
    int weight;
    bool mayLose;  // the step itself destroys what .records held
    void (Storm::*run)(int);
    int kind;
} kSteps[] = {
    {"won", 12, false, &Storm::game, 0},
    {"lost", 4, false, &Storm::game, 1},
    {"stopped", 2, false, &Storm::game, 2},
    {"garbage appended", 2, false, &Storm::disturb, 0},
    {"truncated", 1, true, &Storm::disturb, 1},
    {"huge and valid", 2, false, &Storm::disturb, 2},
    {"too large", 1, false, &Storm::disturb, 3},
    {"read-only", 1, false, &Storm::disturb, 4},
    {"a folder", 1, true, &Storm::disturb, 5},
    {"a pipe", 1, true, &Storm::disturb, 6},
    {"a link to a copy", 1, false, &Storm::disturb, 7},
    {"taken away", 3, true, &Storm::disturb, 8},
    {"edited and saved", 3, false, &Storm::edit, 0},
    {"saved under another name", 2, false, &Storm::edit, 1},
    {"stopped while editing", 2, false, &Storm::edit, 2},
    {"level received", 2, false, &Storm::receive, 0},
    {"editor's file damaged", 1, false, &Storm::disturbEditor, 0},
    {"editor's file a folder", 1, false, &Storm::disturbEditor, 1},
    {"editor's file a pipe", 1, false, &Storm::disturbEditor, 2},
    {"editor's file a link", 1, false, &Storm::disturbEditor, 3},
    {"disk fails", 2, false, &Storm::disk, 1},
    {"disk heals", 4, false, &Storm::disk, 0},
};

}  // namespace

class HiddenFilesStorm : public QObject {
    Q_OBJECT
private slots:
    void recordsAreNeverLost() {
        testing::quietRaiseWarnings();
        int weights = 0;
        for (const auto& k : kSteps)
            weights += k.weight;
        for (quint32 seed = 1; seed <= 3; ++seed) {
            Storm s(seed);
            s.huge = seed > 1;  // one huge file is enough
            for (int i = 0; i < 200; ++i) {
                int pick = s.rng.bounded(weights);
                auto* k = kSteps;
                while ((pick -= k->weight) >= 0)
                    ++k;
                (s.*k->run)(k->kind);
                s.check(k->mayLose);
                if (QTest::currentTestFailed())
                    return qWarning("seed %u, step %d: %s", seed, i, k->name);
            }
            QVERIFY(s.counted > 5);  // the storm reaches what it is there for
        }
    }
};

QTEST_MAIN(HiddenFilesStorm)
#include "test_storm.moc"
