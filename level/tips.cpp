#include "level/tips.h"

#include <QStringDecoder>

namespace level {

QStringList parseTips(const QByteArray& file) {
    // A byte order mark at the start is no part of the first tip, whatever
    // the encoding of the rest.
    const QByteArray bom("\xEF\xBB\xBF");
    const QByteArray bytes = file.startsWith(bom) ? file.mid(bom.size()) : file;
    // Stateless: a sequence cut short at the end is an error too, not bytes
    // silently dropped. A second mark is text, as in the other code page.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = utf8(bytes);
    if (utf8.hasError()) {
        QStringDecoder w1252("windows-1252");
        text = w1252.isValid() ? w1252(bytes) : QString::fromLatin1(bytes);
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(u'\r', u'\n');
    if (text.isEmpty()) return {};
    QStringList lines = text.split(u'\n');
    if (text.endsWith(u'\n')) lines.removeLast();  // no line after the last line end
    if (lines.size() > kMaxTips) lines = lines.mid(0, kMaxTips);
    return lines;
}

}  // namespace level
