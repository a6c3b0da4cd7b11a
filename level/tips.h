// The tips file: one tip a line.
#pragma once

#include <QByteArray>
#include <QStringList>

namespace level {

// Most lines kept from a tips file.
constexpr int kMaxTips = 10000;

// The lines of a tips file. Every line counts, empty ones included; a last
// line without a line end counts too. UTF-8, or the old Windows code page when
// the bytes are not UTF-8; a byte order mark at the start is skipped.
QStringList parseTips(const QByteArray& bytes);

}  // namespace level
