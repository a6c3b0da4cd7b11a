// Tips files of any bytes: the reader always gives a bounded list of lines,
// none holding a line end, and loses no line of a plain UTF-8 file.
#include <QByteArray>
#include <QStringList>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "level/tips.h"

namespace {

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_tips: %s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList tips = level::parseTips(bytes);
    if (tips.size() > level::kMaxTips) fail("more tips than the bound");
    const QByteArray bom("\xEF\xBB\xBF");
    if (!bytes.isEmpty() && bytes != bom && tips.isEmpty()) fail("a file with text gives no line");
    for (const QString& t : tips)
        if (t.contains(u'\n') || t.contains(u'\r')) fail("a tip holds a line end");

    // A UTF-8 file with LF line ends (and no byte order mark) reads back as
    // its own lines.
    const QString text = QString::fromUtf8(bytes);
    if (!bytes.contains('\r') && !bytes.startsWith(bom) && text.toUtf8() == bytes &&
        tips.size() < level::kMaxTips) {
        QString joined = tips.join(u'\n');
        if (text.endsWith(u'\n')) joined += u'\n';
        if (joined != text) fail("lines lost or changed");
    }
    return 0;
}
