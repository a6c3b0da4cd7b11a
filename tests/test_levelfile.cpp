// Level files: the exact bytes the writer produces and the reading rules,
// including every way a damaged file is refused before anything is applied.
#include <QtTest>

#include "folder.h"
#include "level/levelfile.h"
#include "level/runtime.h"

namespace {

level::Level startLevel() {
    level::Level l;
    l.geometry = {8520, 1920, 1695, 1095, 5400, 3120, 1455, 3135, 3360, 9240, 1455, 3135,
                  2640, 2040, 1455, 3135, 3120, 5880, 1455, 3135, 5520, 7560, 1455, 3135};
    l.ois = 0;
    l.vitois = 10;
    l.nb = 1;
    l.nbg = 15;
    l.nbf = QStringLiteral("2");
    return l;
}

bool parse(const QByteArray& bytes, level::Record& r, level::Error& e) {
    return level::parse(bytes, QStringLiteral("t.lev"), r, e);
}

}  // namespace

class TestLevelFile : public QObject {
    Q_OBJECT
private slots:
    void writerProducesTheStartLayoutLine() {
        QCOMPARE(level::format(startLevel()), QByteArray(testing::kStartLevel));
    }

    void writerKeepsOutOfLimitValuesAndEmptyVials() {
        level::Level l = startLevel();
        l.geometry[5] = -30;  // platform 2 left, pulled back only at the next key press
        l.geometry[3] = 14525;
        l.nbf.clear();
        const QByteArray line = level::format(l);
        QVERIFY(line.startsWith("8520,1920,1695,14525,5400,-30,"));
        QVERIFY(line.endsWith(",0,10,1,15,\"\"\r\n"));
    }

    void writeIsAtomicAndReplacesTheWholeFile() {
        testing::Folder fx;
        fx.writeFile(QStringLiteral("a.lev"), QByteArray(5000, 'x'));
        QString why;
        level::Files files;
        QVERIFY(level::write(fx.path(QStringLiteral("a.lev")), startLevel(), files, why));
        QVERIFY(level::write(fx.path(QStringLiteral("a.lev")), startLevel(), files, why));
        QCOMPARE(fx.readFile(QStringLiteral("a.lev")), QByteArray(testing::kStartLevel));
        QCOMPARE(QDir(fx.folder()).entryList(QDir::Files).size(), 1);  // nothing left aside
    }

    void failedWriteLeavesTheEarlierFileIntact() {
        testing::Folder fx;
        fx.writeFile(QStringLiteral("a.lev"), "earlier\r\n");
        QFile::setPermissions(fx.folder(), QFile::ReadOwner | QFile::ExeOwner);
        QString why;
        level::Files files;
        const bool ok = level::write(fx.path(QStringLiteral("a.lev")), startLevel(), files, why);
        QFile::setPermissions(fx.folder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (ok) QSKIP("running with rights that ignore folder permissions");
        QVERIFY(!why.isEmpty());
        QCOMPARE(fx.readFile(QStringLiteral("a.lev")), QByteArray("earlier\r\n"));
    }

    void readerRoundTripsTheWriter() {
        level::Record r;
        level::Error e;
        QVERIFY(parse(level::format(startLevel()), r, e));
        level::Level game, editor;
        QVERIFY(level::decodeForGame(r, QStringLiteral("t.lev"), game, e));
        QVERIFY(level::decodeForEditor(r, QStringLiteral("t.lev"), editor, e));
        QCOMPARE(game.geometry, startLevel().geometry);
        QCOMPARE(editor.geometry, startLevel().geometry);
        QCOMPARE(game.nbf, QStringLiteral("2"));
        QCOMPARE(int(game.nbg), 15);
    }

    void writtenValuesReadBackUnchanged_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("whole, seven digits") << 8520.0f << QByteArray("8520");
        QTest::newRow("whole, eight digits") << 12345678.0f << QByteArray("12345678");
        QTest::newRow("largest exact whole") << 16777216.0f << QByteArray("16777216");
        QTest::newRow("fraction") << 1.0000001f << QByteArray("1.0000001");
        QTest::newRow("negative fraction") << -2047.9999f << QByteArray("-2047.9999");
        QTest::newRow("largest negative single")
            << -3.4028235e38f << QByteArray("-340282350000000000000000000000000000000");
    }
    void writtenValuesReadBackUnchanged() {
        QFETCH(float, value);
        QFETCH(QByteArray, text);
        level::Level l = startLevel();
        l.geometry[4] = value;
        const QByteArray line = level::format(l);
        QCOMPARE(line.split(',')[4], text);
        // Read back as the readers read a number (most of these values lie
        // beyond the playfield, which the readers refuse).
        level::Record r;
        level::Error e;
        double back = 0;
        QVERIFY(parse(line, r, e));
        QVERIFY(level::parseNumber(r[5].text, back));
        QCOMPARE(static_cast<float>(back), value);
    }

    void readingRules_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("quoted");
        const QByteArray tail = ",0,10,1,15,\"2\"\r\n";
        const QByteArray geo = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24";
        QTest::newRow("plain") << geo + tail << 24 << "24" << false;
        QTest::newRow("blanks before a field")
            << QByteArray(
                   "  1,   2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,"
                   "18,19,20,21,22,23,24") +
                   tail
            << 2 << "2" << false;
        QTest::newRow("quoted") << geo + tail << 29 << "2" << true;
        QTest::newRow("empty quoted") << geo + ",0,10,1,15,\"\"\r\n" << 29 << "" << true;
        QTest::newRow("quoted comma") << geo + ",0,10,1,15,\"a,b\"\r\n" << 29 << "a,b" << true;
        QTest::newRow("line end closes a field")
            << QByteArray("1,2,3,4\r\n5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24") +
                   tail
            << 5 << "5" << false;
        QTest::newRow("trailing text ignored")
            << geo + tail.chopped(2) + ",junk,more\r\nsecond" << 29 << "2" << true;
        QTest::newRow("no line end at all") << geo + ",0,10,1,15,\"7\"" << 29 << "7" << true;
        QTest::newRow("byte order mark skipped")
            << "\xEF\xBB\xBF" + geo + tail << 1 << "1" << false;
    }
    void readingRules() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(bool, quoted);
        level::Record r;
        level::Error e;
        QVERIFY2(parse(bytes, r, e), qPrintable(e.message()));
        QCOMPARE(r[field].text, text);
        QCOMPARE(r[field].quoted, quoted);
    }

    void damagedFilesAreRefusedWithTheField_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("says");
        const QByteArray geo = "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24";
        QTest::newRow("empty file") << QByteArray() << 1 << QString("vide");
        QTest::newRow("only a byte order mark") << QByteArray("\xEF\xBB\xBF") << 1 << "vide";
        QTest::newRow("one field") << QByteArray("1\r\n") << 2 << "après le premier champ sur 29";
        QTest::newRow("short file") << geo + ",0,10\r\n" << 27 << "26 champs";
        QTest::newRow("non-number")
            << QByteArray(
                   "1,2,abc,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,"
                   "23,24,0,10,1,15,\"2\"")
            << 3 << "abc";
        QTest::newRow("empty number")
            << QByteArray(
                   "1,,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,"
                   "23,24,0,10,1,15,\"2\"")
            << 2 << "vide";
        QTest::newRow("16-bit overflow")
            << QByteArray(
                   "32768,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,"
                   "20,21,22,23,24,0,10,1,15,\"2\"")
            << 1 << "16 bits";
        QTest::newRow("width that rounds to zero")
            << QByteArray(
                   "1,2,3,-0.4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,"
                   "21,22,23,24,0,10,1,15,\"2\"")
            << 4 << "largeur de la plate-forme 1) est négatif (-0.4)";
        QTest::newRow("height too small for a single")
            << geo.left(geo.indexOf(",7,")) +
                   ",-0.00000000000000000000000000000000000000000001,8,9,10,"
                   "11,12,13,14,15,16,17,18,19,20,21,22,23,24,0,10,1,15,\"2\""
            << 7 << "hauteur";
        QTest::newRow("negative height")
            << geo.left(geo.indexOf(",23,")) + ",-23,24,0,10,1,15,\"2\"" << 23 << "hauteur";
        QTest::newRow("bird speed out of range") << geo + ",1,60,1,15,\"2\"" << 26 << "2 à 50";
        QTest::newRow("too many green frogs") << geo + ",0,10,8,15,\"2\"" << 27 << "0 à 7";
        QTest::newRow("grey frogs out of range") << geo + ",0,10,1,101,\"2\"" << 28 << "0 à 100";
        QTest::newRow("bird not 0 or 1") << geo + ",2,10,1,15,\"2\"" << 25 << "0 à 1";
        QTest::newRow("vial text") << geo + ",0,10,1,15,\"11\"" << 29 << "fioles";
        QTest::newRow("rounds to an endless single")
            << geo.left(geo.indexOf(",6,")) +
                   ",340282356779733661637539395458142568448,7,8,9,10,11,"
                   "12,13,14,15,16,17,18,19,20,21,22,23,24,0,10,1,15,\"2\""
            << 6 << "trop grand";
        QTest::newRow("huge field") << QByteArray(5000, '1') + "," + geo << 1 << "4096";
    }
    void damagedFilesAreRefusedWithTheField() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, field);
        QFETCH(QString, says);
        level::Record r;
        level::Error e;
        level::Level l;
        const bool ok =
            parse(bytes, r, e) && level::decodeForGame(r, QStringLiteral("t.lev"), l, e);
        QVERIFY(!ok);
        QCOMPARE(e.field, field);
        QVERIFY2(e.message().contains(says), qPrintable(e.message()));
        QVERIFY(e.message().contains(QStringLiteral("t.lev")));
    }

    // Every reader takes or refuses a level alike: platforms within the
    // playfield's bounds, numbers that can be read. The summary alone keeps
    // reading past a field 5 to 24 that is not a number.
    void hostileLevelsAreRefusedByEveryReader_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("says");  // empty: every reader takes it
        QTest::addColumn<bool>("summaryReads");
        const QString nines(310, u'9');
        QTest::newRow("width at the limit") << 4 << "30420"
                                            << "" << true;
        QTest::newRow("width beyond") << 4 << "30420.5"
                                      << "limite de 30420" << false;
        QTest::newRow("height beyond") << 15 << "22021"
                                       << "champ 15 (hauteur" << false;
        QTest::newRow("left on the right edge") << 2 << "15210"
                                                << "" << true;
        QTest::newRow("left beyond it") << 2 << "15210.5"
                                        << "à droite de l'écran" << false;
        QTest::newRow("right end on the left edge") << 6 << "-3135"
                                                    << "" << true;
        QTest::newRow("right end beyond it") << 6 << "-3135.5"
                                             << "à gauche de l'écran" << false;
        QTest::newRow("top on the bottom edge") << 5 << "11010"
                                                << "" << true;
        QTest::newRow("top beyond it") << 5 << "11011"
                                       << "au-dessous de l'écran" << false;
        QTest::newRow("bottom on the top edge") << 5 << "-1455"
                                                << "" << true;
        QTest::newRow("bottom beyond it") << 5 << "-1456"
                                          << "au-dessus de l'écran" << false;
        QTest::newRow("width 10^12") << 8 << "1000000000000"
                                     << "largeur de la plate-forme 2" << false;
        QTest::newRow("largest single") << 24 << "340282350000000000000000000000000000000"
                                        << "champ 24" << false;
        QTest::newRow("310 nines, a platform") << 7 << nines << "nombre trop grand" << false;
        QTest::newRow("4096 digits, field 1")
            << 1 << QString(4096, u'5') << "champ 1 (« 5555" << false;
        QTest::newRow("310 nines, grey frogs") << 28 << nines << "nombre trop grand" << false;
        QTest::newRow("negative width") << 12 << "-1"
                                        << "négatif" << false;
        QTest::newRow("text in a platform field") << 7 << "abc"
                                                  << "pas un nombre" << true;
        QTest::newRow("control characters quoted as ?")
            << 11 << QStringLiteral("a\x01\x7f") << "« a?? »" << true;
    }
    void hostileLevelsAreRefusedByEveryReader() {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, says);
        QFETCH(bool, summaryReads);
        QList<QByteArray> f = QByteArray(testing::kStartLevel).split(',');
        f[field - 1] = text.toLatin1();
        level::Record r;
        level::Error e;
        QVERIFY(parse(f.join(','), r, e));
        level::Level game, editor;
        level::Summary summary;
        std::array<double, 24> preview{};
        const QList<bool> read{level::decodeForGame(r, QStringLiteral("t.lev"), game, e),
                               level::decodeForEditor(r, QStringLiteral("t.lev"), editor, e),
                               level::decodePreview(r, QStringLiteral("t.lev"), preview, e)};
        // The preview ignores fields 25 to 29.
        QCOMPARE(read, QList<bool>({says.isEmpty(), says.isEmpty(), says.isEmpty() || field > 24}));
        QVERIFY2(e.message().contains(says), qPrintable(e.message()));
        if (!says.isEmpty()) QCOMPARE(e.field, field);
        for (QChar c : e.message())
            QVERIFY(c.unicode() >= 32 && c.unicode() != 127);
        QCOMPARE(level::decodeSummary(r, QStringLiteral("t.lev"), summary, e), summaryReads);
    }

    void firstFourFieldsAreMadeWholeHalfToEven() {
        level::Record r;
        level::Error e;
        QVERIFY(
            parse("2.5,3.5,0.5,4.4,5.5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,0,"
                  "10,1,15,\"2\"",
                  r, e));
        level::Level game, editor;
        QVERIFY(level::decodeForGame(r, QStringLiteral("t.lev"), game, e));
        QCOMPARE(game.geometry[0], 2.0f);
        QCOMPARE(game.geometry[1], 4.0f);
        QCOMPARE(game.geometry[2], 0.0f);
        QCOMPARE(game.geometry[3], 4.0f);
        QCOMPARE(game.geometry[4], 5.5f);  // fields 5 on keep their fraction
        QVERIFY(level::decodeForEditor(r, QStringLiteral("t.lev"), editor, e));
        QCOMPARE(editor.geometry[0], 2.5f);
    }

    void summaryAndPreviewReadTheirOwnWay() {
        level::Record r;
        level::Error e;
        QVERIFY(parse(testing::kStartLevel, r, e));
        level::Summary s;
        QVERIFY(level::decodeSummary(r, QStringLiteral("t.lev"), s, e));
        QCOMPARE(s.first[0], int16_t(8520));
        QCOMPARE(s.speed, 10.0);
        QCOMPARE(s.vials, QStringLiteral("2"));
        std::array<double, 24> half{};
        QVERIFY(level::decodePreview(r, QStringLiteral("t.lev"), half, e));
        QCOMPARE(half[0], 4260.0);
        QCOMPARE(half[2], 847.5);
        QCOMPARE(half[3], 547.5);
    }

    void readerIsBoundedOnHugeFiles() {
        testing::Folder fx;
        fx.writeFile(QStringLiteral("big.lev"), QByteArray(3 * 1024 * 1024, ' '));
        level::Record r;
        level::Error e;
        QVERIFY(!level::read(fx.path(QStringLiteral("big.lev")), r, e));
        QVERIFY2(e.message().contains(QStringLiteral("64")), qPrintable(e.message()));
    }

    void missingFileAndFolderAreErrors() {
        testing::Folder fx;
        level::Record r;
        level::Error e;
        QVERIFY(!level::read(fx.path(QStringLiteral("absent.lev")), r, e));
        QVERIFY(e.message().contains(QStringLiteral("absent.lev")));
        QDir(fx.folder()).mkdir(QStringLiteral("dir.lev"));
        QVERIFY(!level::read(fx.path(QStringLiteral("dir.lev")), r, e));
        QVERIFY(e.message().contains(QStringLiteral("dossier")));
    }
};

QTEST_GUILESS_MAIN(TestLevelFile)
#include "test_levelfile.moc"
