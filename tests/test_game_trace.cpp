// A seeded level played for 5000 ticks through the scripted driver, its whole
// state recorded tick by tick and compared with tests/data/trace_5000.txt, so
// that any change to the game's arithmetic or order shows up. To write the
// file afresh: ZELK_WRITE_TRACE=1 test_game_trace.
#include <QFile>
#include <QTextStream>

#include "game_support.h"
#include "toolkit/scriptdriver.h"

namespace {

constexpr int kTicks = 5000;
constexpr int kFullEvery = 25;     // a full state line every this many ticks
constexpr uint32_t kSeed = 20240;  // random numbers of the run
constexpr int kSpawnEvery = 222;   // Timer2's 4000 ms in ticks of 18 ms
constexpr int kCountersEvery = 2;  // Timer3's 30 ms, roughly

QString num(float v) {
    return level::str(v);
}
QString num(double v) {
    return level::str(v);
}

QString picture(const tk::Picture& p) {
    return QStringLiteral("%1,%2,%3,%4")
        .arg(p.Visible ? 1 : 0)
        .arg(num(p.Left), num(p.Top), tk::quoted(p.Tag));
}

QString state(const zelk::frmsaut& s) {
    QString out;
    QTextStream t(&out);
    t << "etat=" << s.etat << " puiss=" << s.puiss << " basesaut=" << s.basesaut
      << " attente=" << s.attente << " plateau=" << s.plateau << " delai=" << num(s.delai)
      << " energie=" << num(s.energie) << " tuesgris=" << s.tuesgris << " nbgris=" << s.nbgris
      << " retour=" << s.retouroiseau << " charge=" << s.charge << " souris=" << num(s.sourisx)
      << " nbf=" << s.nbf.Caption << " joueur=" << num(s.joueur.Left) << ',' << num(s.joueur.Top)
      << " fiole=" << picture(s.fiole) << " oiseau=" << picture(s.mech3)
      << " vie=" << num(s.vie.Width) << " sauts=" << num(s.hsauts.Width) << " |";
    for (int i : s.mech1.indices())
        t << " g" << i << '=' << picture(s.mech1(i));
    t << " |";
    for (int k = 1; k <= zelk::kShapeCount; ++k)
        t << " v" << k << '=' << picture(s.mech2(k));
    t << " | " << s.Label1.Caption << " / " << s.Label3.Caption << " | T1=" << s.Timer1.enabled();
    return out;
}

// FNV-1a, 64 bits, chained from tick to tick.
uint64_t digest(uint64_t h, const QByteArray& bytes) {
    for (char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace

class TestGameTrace : public QObject {
    Q_OBJECT
private slots:
    void fiveThousandTicksPlayExactlyAsRecorded() {
        testing::quietRaiseWarnings();
        testing::Fixture fx;
        fx.writeFile(QStringLiteral("trace.lev"), testing::levelLine(1, 17, 7, 100, "10"));
        fx.services().rng().reseed(kSeed);
        zelk::ZelkProgram program(fx.services(), true);
        QString printed;
        QTextStream sink(&printed);
        tk::ScriptDriver driver(program, fx.services(), sink);
        auto run = [&](const QString& line) {
            driver.execute(line);
            program.collectGarbage();
        };
        fx.takeLog();
        for (const char* line : {"start", "click avert.OKButton", "set frmaut.maxgb.Value 15",
                                 "select frmmenu.File1 \"trace.lev\"", "click frmmenu.Command1",
                                 "set frmsaut.energie 1000000", "key frmsaut 27"})
            run(QString::fromLatin1(line));
        auto& s = program.get<zelk::frmsaut>();

        // The player's hand: a fixed pseudo-random schedule of the mouse and keys.
        uint32_t hand = 12345;
        auto next = [&hand](uint32_t n) {
            hand = hand * 1103515245u + 12345u;
            return (hand >> 8) % n;
        };
        int releaseLeftAt = -1, jumpAt = -1;
        QString trace;
        uint64_t h = 1469598103934665603ull;
        for (int t = 1; t <= kTicks; ++t) {
            if (t % 40 == 1) run(QStringLiteral("mouse frmsaut move 0 %1 5000").arg(next(15000)));
            if (t % 150 == 10) {
                run(QStringLiteral("mouse frmsaut down 1 100 5000"));
                releaseLeftAt = t + 5 + static_cast<int>(next(25));
                jumpAt = releaseLeftAt + static_cast<int>(next(12));
            }
            if (t == releaseLeftAt) run(QStringLiteral("mouse frmsaut up 1 100 5000"));
            if (t == jumpAt) {
                run(QStringLiteral("mouse frmsaut down 2 100 5000"));
                run(QStringLiteral("mouse frmsaut up 2 100 5000"));
            }
            if (t % 333 == 100) {
                run(QStringLiteral("mouse frmsaut down 4 100 5000"));
                run(QStringLiteral("mouse frmsaut up 4 100 5000"));
            }
            if (t % 777 == 500) run(QStringLiteral("key frmsaut 13"));
            if (t % kSpawnEvery == 0) run(QStringLiteral("fire frmsaut.Timer2"));
            if (t % kCountersEvery == 0) run(QStringLiteral("fire frmsaut.Timer3"));
            run(QStringLiteral("fire frmsaut.Timer1"));
            QString st = state(s);
            const QStringList heard = fx.takeLog();  // sounds and screens
            if (!heard.isEmpty()) st += QStringLiteral(" | ") + heard.join(QStringLiteral("; "));
            h = digest(h, st.toUtf8());
            if (t % kFullEvery == 0 || t == 1)
                trace +=
                    QStringLiteral("t=%1 h=%2 %3\n").arg(t).arg(h, 16, 16, QChar(u'0')).arg(st);
        }
        QCOMPARE(printed, QString());  // the script asks for nothing

        const QString path = QStringLiteral(ZELK_SOURCE_DIR "/tests/data/trace_5000.txt");
        if (qEnvironmentVariableIsSet("ZELK_WRITE_TRACE")) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(trace.toUtf8());
            QSKIP("trace written");
        }
        QFile f(path);
        QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
        const QStringList expected = QString::fromUtf8(f.readAll()).split(u'\n');
        const QStringList actual = trace.split(u'\n');
        for (qsizetype i = 0; i < std::min(expected.size(), actual.size()); ++i)
            QCOMPARE(actual[i], expected[i]);
        QCOMPARE(actual.size(), expected.size());
    }
};

QTEST_MAIN(TestGameTrace)
#include "test_game_trace.moc"
