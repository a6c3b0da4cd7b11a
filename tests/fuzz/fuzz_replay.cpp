// Replay and records files of any bytes: each reader either reads the whole
// file or refuses it with a French message that names the line; what reads is
// written back and reads again to the same values.
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "level/records.h"
#include "level/replay.h"

namespace {

[[noreturn]] void fail(const char* what, const QString& detail) {
    std::fprintf(stderr, "fuzz_replay: %s: %s\n", what, detail.toUtf8().constData());
    std::abort();
}

void checkRefusal(const QString& m) {
    if (!m.contains(QStringLiteral("ligne "))) fail("refusal without a line", m);
    for (QChar c : m)
        if (c.unicode() < 32 || c.unicode() == 127) fail("control character in a refusal", m);
}

}  // namespace

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
