// Replay and records files of any bytes: each reader either reads the whole
// file or refuses it with a French message that names the line; what reads is
// written back and reads again to the same values, and plays headless.
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/program.h"
#include "game/headless.h"
#include "level/records.h"
#include "level/replay.h"
#include "toolkit/scriptedservices.h"

namespace {

[[noreturn]] void fail(const char* what, const QString& detail) {
    std::fprintf(stderr, "fuzz_replay: %s: %s\n", what, detail.toUtf8().constData());
    std::abort();
}

void checkRefusal(const QString& m, bool withLine = true) {
    if (withLine && !m.contains(QStringLiteral("ligne "))) fail("refusal without a line", m);
    for (QChar c : m)
        if (c.unicode() < 32 || c.unicode() == 127) fail("control character in a refusal", m);
}

// On the game screen, as "Revoir" plays it (a run-time error shows as a
// message box), and with no window, as zelk-script --rejeu does: the two
// agree on how it ends.
void play(const level::Replay& r) {
    tk::ScriptedServices services(QDir::tempPath(), nullptr);
    level::Replay headless = r;
    zelk::HeadlessRun run;
    const bool same = zelk::playHeadless(services, headless, run);
    if (!same) checkRefusal(run.where, false);
    {
        zelk::ZelkProgram program(services, true);
        level::Outcome outcome{};
        int ticks = 0;
        QString where;
        const bool shown = program.checkReplay(r, outcome, ticks, where);
        if (!shown) checkRefusal(where, false);
        if (shown != same || (same && (outcome != run.outcome || ticks != run.ticks)))
            fail("the game screen and the headless game disagree", where + run.where);
    }
    for (const QString& line : services.log())
        if (line.startsWith(QStringLiteral("msgbox"))) fail("message while playing", line);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString name = QStringLiteral("fuzz.rejeu");
    QString why;
    level::Replay r;
    if (level::parseReplay(bytes, name, r, why)) {
        const QByteArray again = level::formatReplay(r);
        level::Replay back;
        if (!level::parseReplay(again, name, back, why)) fail("written replay refused", why);
        if (level::formatReplay(back) != again) fail("replay reads back changed", QString());
        play(r);
    } else {
        checkRefusal(why);
    }
    level::Records records;
    if (level::parseRecords(bytes, records, why)) {
        const QByteArray again = level::formatRecords(records);
        level::Records back;
        if (!level::parseRecords(again, back, why) || back != records)
            fail("records read back changed", why);
    } else {
        checkRefusal(why);
    }
    return 0;
}
