// Level files of any bytes: each of the four readers either reads the level
// or refuses it with an error that names the file and the field. A level that
// reads is written back and reads again to the same values, its platforms
// within the playfield's bounds, and what the game reads, every reader reads.
#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "level/levelfile.h"

namespace {

const QString kName = QStringLiteral("fuzz.lev");

[[noreturn]] void fail(const char* what, const QString& detail) {
    std::fprintf(stderr, "fuzz_level: %s: %s\n", what, detail.toUtf8().constData());
    std::abort();
}

// Every refusal names the file and a field from 1 to 29; a field's
// conversion says "champ N". No byte of the file is copied in as a control
// character.
void checkRefusal(const level::Error& e, bool conversion) {
    const QString m = e.message();
    if (e.field < 1 || e.field > level::kFieldCount) fail("refusal without a field", m);
    if (!m.contains(kName) || e.problem.isEmpty()) fail("refusal without file or reason", m);
    if (conversion && !m.contains(QStringLiteral("champ %1 ").arg(e.field)))
        fail("refusal does not name its field", m);
    for (QChar c : m)
        if (c.unicode() < 32 || c.unicode() == 127) fail("control character in a refusal", m);
}

// A level taken has every platform within the bounds: no larger than the
// largest, and some of it on the playfield.
void checkBounds(const level::Level& l) {
    for (int k = 0; k < level::kPlatformCount; ++k) {
        const float t = l.top(k), x = l.left(k), h = l.height(k), w = l.width(k);
        if (!(h >= 0 && h <= level::kMaxPlatformHeight && w >= 0 && w <= level::kMaxPlatformWidth))
            fail("a platform's size beyond the bounds", QString::number(k + 1));
        if (!(x <= level::kPlayfieldWidth && x + w >= 0 && t <= level::kPlayfieldHeight &&
              t + h >= 0))
            fail("a platform off the playfield", QString::number(k + 1));
    }
}

bool same(const level::Level& a, const level::Level& b) {
    return a.geometry == b.geometry && a.ois == b.ois && a.vitois == b.vitois && a.nb == b.nb &&
           a.nbg == b.nbg && a.nbf == b.nbf;
}

using Decoder = bool (*)(const level::Record&, const QString&, level::Level&, level::Error&);

// The writer's line of a level reads back through the same reader unchanged.
void roundTrip(const level::Level& l, Decoder decode, const char* reader) {
    const QByteArray line = level::format(l);
    if (!line.endsWith("\r\n") || line.count('\n') != 1)
        fail("writer's line", QString::fromLatin1(line));
    level::Record r;
    level::Error e;
    level::Level back;
    if (!level::parse(line, kName, r, e) || !decode(r, kName, back, e))
        fail(reader, QStringLiteral("written level does not read back: ") + e.message() +
                         QStringLiteral(" / ") + QString::fromLatin1(line));
    if (!same(l, back))
        fail(reader, QStringLiteral("reads back changed: ") + QString::fromLatin1(line));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    level::Record rec;
    level::Error err;
    if (!level::parse(bytes, kName, rec, err)) {
        checkRefusal(err, false);
        return 0;
    }

    level::Level game, editor;
    level::Summary summary;
    std::array<double, 4 * level::kPlatformCount> preview{};
    const bool gameOk = level::decodeForGame(rec, kName, game, err);
    if (!gameOk) checkRefusal(err, true);
    const bool editorOk = level::decodeForEditor(rec, kName, editor, err);
    if (!editorOk) checkRefusal(err, true);
    const bool summaryOk = level::decodeSummary(rec, kName, summary, err);
    if (!summaryOk) checkRefusal(err, true);
    const bool previewOk = level::decodePreview(rec, kName, preview, err);
    if (!previewOk) checkRefusal(err, true);

    // The platforms' bounds are the same for every reader: within them the
    // first four fields always fit the game's 16 bits.
    if (gameOk != editorOk) fail("the game and the editor disagree", QString());
    if (gameOk && !(summaryOk && previewOk)) fail("the summary or preview refuses", QString());
    if (editorOk) checkBounds(editor);
    if (editorOk) roundTrip(editor, level::decodeForEditor, "editor");
    if (gameOk) {
        roundTrip(game, level::decodeForGame, "game");
        // Saved from the game's values, the level is one that every reader takes.
        level::Record r;
        level::Summary s;
        level::Level l;
        if (!level::parse(level::format(game), kName, r, err) ||
            !level::decodeForEditor(r, kName, l, err) || !level::decodeSummary(r, kName, s, err) ||
            !level::decodePreview(r, kName, preview, err))
            fail("a level the game reads is refused once written", err.message());
    }
    return 0;
}
