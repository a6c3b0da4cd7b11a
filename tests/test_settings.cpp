// The game options kept from one run to the next: a seeded storm of control changes, close
// boxes, restarts, a full disk, hand edits and damaged files, checked after every step.
#include <sys/stat.h>

#include <QRandomGenerator>
#include <QtTest>
#include <functional>
#include <optional>

#include "app/program.h"
#include "menus/frmaut.h"
#include "menus/frmopt.h"
#include "support.h"

using level::GameSettings;

namespace {
class Disk : public level::Files {
public:
    bool full = false, stuck = false;  // no file can be made; nothing can be moved aside
protected:
    int fault(Step step, const QString&) override {
        return full && step == Step::Create ? ENOSPC : stuck && step == Step::Move ? EROFS : 0;
    }
};
}  // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void optionsAreKeptAndDamagedFilesSetAside() {
        QRandomGenerator rng(1);
        testing::Fixture fx;
        Disk disk;
        fx.services().setFiles(disk);
        const QString path = fx.path(QStringLiteral(".options"));
        std::optional<zelk::ZelkProgram> p;
        GameSettings model, onDisk;  // what the screen shows, what the file holds
        bool file = false, writes = true, saidFull = false, damaged = false;
        int kind = 0, asides = 0;
        QByteArray damage;
        for (int step = 0; step < 1200; ++step) {
            QString said;  // what the one message expected says; empty: no message
            if (step > 0 && rng.bounded(3) > 0) {
                p->showGameOptions();
                zelk::frmaut& a = p->get<zelk::frmaut>();
                const GameSettings before = model;
                auto any = [&](level::OptionRange o) { return rng.bounded(o.min, o.max + 1); };
                const std::function<void()> actions[] = {
                    [&] { a.dep.setValue(model.dep = any(GameSettings::kDep)); },
                    [&] { a.vie.setValue(model.vie = any(GameSettings::kVie)); },
                    [&] { a.maxgb.setValue(model.maxgb = any(GameSettings::kMaxgb)); },
                    [&] { a.ram.click(), model.ram = 1 - model.ram; },
                    [&] { a.jour.click(), model.jour = true; },
                    [&] { a.nuit.click(), model.jour = false; },
                    [&] { a.Command6.click(), model.dep = GameSettings::kDep.start; },
                    [&] { a.Command1.click(), model.vie = GameSettings::kVie.start; },
                    [&] { disk.full = !disk.full; },
                    [&] { rng.bounded(2) ? p->closedByUser(a) : a.Command2.click(); }};
                actions[rng.bounded(10)]();
                QVERIFY(p->loadedAs<zelk::frmaut>());
                const bool written = model != before && writes;  // or tried, said once
                if (written && !disk.full) onDisk = model, file = true, saidFull = false;
                if (written && disk.full && !std::exchange(saidFull, true))
                    said = QStringLiteral("n'ont pas pu être gardées dans");
            } else {
                // Between two runs: garbage, a cut file, one too large, numbers out of
                // range (brought into range, quietly), a folder or a pipe.
                if (!damaged && rng.bounded(2)) {
                    kind = rng.bounded(6);
                    QFile::remove(path);
                    const QByteArray kinds[] = {
                        "n'importe quoi\x01\n", level::formatSettings(model).chopped(2),
                        level::formatSettings(model) + QByteArray(70000, '\n'),
                        "zelk-options 1\r\nvitesse 999\ndifficulte -5\ngrenouilles-grises "
                        "99999999999999999999\nramage 7\nciel nuit\n"};
                    damage = kind < 4 ? kinds[kind] : QByteArray();
                    if (kind == 4) QDir().mkdir(path);
                    if (kind == 5) ::mkfifo(QFile::encodeName(path).constData(), 0600);
                    if (kind < 4) fx.writeFile(QStringLiteral(".options"), damage);
                    damaged = kind != 3;
                    if (!damaged) onDisk = {50, 10, 15, 1, false}, file = true;
                }
                disk.stuck = !(writes = !damaged || rng.bounded(3) > 0);
                p.reset();
                p.emplace(fx.services(), true);
                p->showMenu();
                disk.stuck = saidFull = false;
                model = damaged || !file ? GameSettings{} : onDisk;
                if (damaged && !writes) said = QStringLiteral("Il ne peut pas être mis de côté");
                if (damaged && writes) {
                    said = QStringLiteral("Il a été mis de côté sous le nom");
                    const QString aside = path + QStringLiteral("-endommage") +
                                          (++asides > 1 ? u'-' + QString::number(asides) : "");
                    QCOMPARE(QFileInfo(aside).isDir(), kind == 4);
                    if (kind < 4) QCOMPARE(fx.readFile(aside), damage);
                    damaged = file = false;
                }
            }
            zelk::frmaut& now = p->get<zelk::frmaut>();
            QCOMPARE(level::formatSettings(now.settings()), level::formatSettings(model));
            QCOMPARE(now.dep.enabled(), model.ram == 0);
            GameSettings kept;
            QString why;
            const QByteArray bytes =  // never a pipe, which would wait for a writer
                QFileInfo(path).isFile() ? fx.readFile(QStringLiteral(".options")) : "";
            if (damaged) QVERIFY(QFileInfo::exists(path) && (kind >= 4 || bytes == damage));
            if (!damaged && file) QVERIFY(level::parseSettings(bytes, kept, why) && kept == onDisk);
            if (!damaged && !file) QVERIFY(!QFileInfo::exists(path));
            const QStringList boxes = fx.takeLog().filter(QStringLiteral("msgbox"));
            QCOMPARE(boxes.size(), said.isEmpty() ? 0 : 1);
            if (!said.isEmpty())
                QVERIFY2(boxes[0].contains(said) && boxes[0].contains(path), qPrintable(boxes[0]));
        }
        QVERIFY(asides > 0);
    }

    // Options set on the controls, from code, by a replay and by a restart, in seeded order.
    void controlsModelAndGameReadsAgree() {
        QRandomGenerator rng(7);
        testing::Fixture fx;
        std::optional<zelk::ZelkProgram> p(std::in_place, fx.services(), true);
        const level::GameOptions replayed{1, 33, 6, 77, QStringLiteral("9"), 42, 11};
        bool replaying = false;
        auto any = [&](level::Range r) { return rng.bounded(r.lo, r.hi + 1); };
        for (int step = 0; step < 600; ++step) {
            zelk::frmaut& a = p->get<zelk::frmaut>();
            zelk::frmopt& o = p->get<zelk::frmopt>();
            const std::function<void()> actions[] = {
                [&] { a.dep.setValue(any(level::kTickRange)); },
                [&] { a.vie.setValue(any(level::kLifeRange)); },
                [&] { a.maxgb.setValue(any(level::kGreyOnScreenRange)); },
                [&] { a.ram.click(); },
                [&] { (rng.bounded(2) ? a.jour : a.nuit).click(); },
                [&] {
                    a.jour.setValue(false);  // set off by code: no Click, the model knows
                    QVERIFY(!p->options().day());
                    a.nuit.click();
                },
                [&] { o.ois.click(); },
                [&] { o.vitois.setValue(any(level::kBirdSpeedRange)); },
                [&] { o.nb.setValue(any(level::kGreenRange)); },
                [&] { o.nbg.setValue(any(level::kGreyRange)); },
                [&] { o.nbf.setListIndex(rng.bounded(-1, level::kMostVials)); },
                [&] {
                    p->setEnemyOptions({any(level::kBirdRange), any(level::kBirdSpeedRange),
                                        any(level::kGreenRange), any(level::kGreyRange),
                                        QString::number(rng.bounded(1, 11))});
                },
                [&] {
                    p->unload<zelk::frmopt>();
                    QVERIFY(p->enemyOptions() == level::EnemyOptions{});
                },
                [&] { p->overrideOptions((replaying = !replaying) ? &replayed : nullptr); },
                [&] {
                    const GameSettings before = p->gameSettings();
                    p.emplace(fx.services(), true), replaying = false;
                    QVERIFY(p->gameSettings() == before);  // the file round-trips the model
                }};
            actions[rng.bounded(15)]();
            const level::OptionsModel& m = p->options();
            const zelk::frmaut& na = p->get<zelk::frmaut>();
            QVERIFY(m.settings() == na.settings());
            QVERIFY(m.enemy() == p->get<zelk::frmopt>().enemyOptions());
            GameSettings kept;  // each change is written at once; no file before the first
            QString why, file = QStringLiteral(".options");
            QVERIFY(QFileInfo::exists(fx.path(file))
                        ? level::parseSettings(fx.readFile(file), kept, why) && kept == m.settings()
                        : m.settings() == GameSettings{});
            QCOMPARE(m.tickMs(), na.ram.value() == 1 ? level::kLagTickMs : na.dep.value());
            QCOMPARE(m.day(), na.jour.value());
            const level::EnemyOptions& e = m.enemy();
            const level::GameOptions reads = p->gameOptions();
            QVERIFY(reads == (replaying
                                  ? replayed
                                  : level::GameOptions{e.bird, e.birdSpeed, e.green, e.greyToKill,
                                                       e.vials, na.vie.value(), na.maxgb.value()}));
        }
    }
};

QTEST_MAIN(TestSettings)
#include "test_settings.moc"
