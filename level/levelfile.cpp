#include "level/levelfile.h"

#include <QFileInfo>
#include <cfloat>
#include <cmath>
#include <optional>

#include "level/runtime.h"

namespace level {

QString Error::message() const {
    return QStringLiteral("Le niveau « %1 » ne peut pas être lu : %2").arg(file, problem);
}

QString shown(const QString& text, qsizetype most) {
    const bool cut = most >= 0 && text.size() > most;
    QString t = cut ? text.left(most) : text;
    for (QChar& c : t)
        if (c.unicode() < 32 || c.unicode() == 127) c = u'?';
    return cut ? t + QStringLiteral("…") : t;
}

bool isVials(const QString& text) {
    if (text.isEmpty()) return true;
    for (int k = 1; k <= kMostVials; ++k)
        if (text == QString::number(k)) return true;
    return false;
}

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

Error fail(const QString& file, int field, const QString& problem) {
    return Error{file, field, problem};
}

}  // namespace

bool parse(const QByteArray& data, const QString& fileName, Record& out, Error& err) {
    const qsizetype n = data.size();
    // A byte order mark, which some editors put at the start of a UTF-8 file,
    // is not part of the first field.
    qsizetype i = data.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    for (int f = 0; f < kFieldCount; ++f) {
        while (i < n && isBlank(data[i]))
            ++i;
        if (i >= n) {
            err =
                fail(fileName, f + 1,
                     f == 0   ? QStringLiteral("le fichier est vide.")
                     : f == 1 ? QStringLiteral("le fichier s'arrête après le premier champ sur %1.")
                                    .arg(kFieldCount)
                              : QStringLiteral("le fichier s'arrête après %1 champs sur %2.")
                                    .arg(f)
                                    .arg(kFieldCount));
            if (n >= kMaxScanBytes)
                err.problem = QStringLiteral(
                                  "les %1 champs ne tiennent pas dans les %2 premiers "
                                  "Kio du fichier.")
                                  .arg(kFieldCount)
                                  .arg(kMaxScanBytes / 1024);
            return false;
        }
        Field field;
        qsizetype start, end;
        if (data[i] == '"') {
            field.quoted = true;
            start = ++i;
            while (i < n && data[i] != '"')
                ++i;
            end = i;
            if (i < n) ++i;  // closing quote
            // Anything between the closing quote and the separator is dropped.
            while (i < n && data[i] != ',' && !isLineEnd(data[i]))
                ++i;
        } else {
            start = i;
            while (i < n && data[i] != ',' && !isLineEnd(data[i]))
                ++i;
            end = i;
            while (end > start && isBlank(data[end - 1]))
                --end;
        }
        if (end - start > kMaxFieldChars) {
            err = fail(fileName, f + 1,
                       QStringLiteral("le champ %1 dépasse %2 caractères.")
                           .arg(f + 1)
                           .arg(kMaxFieldChars));
            return false;
        }
        field.text = QString::fromLatin1(data.constData() + start, end - start);
        // The separator: a comma, or a line end (CR LF counting as one).
        if (i < n && data[i] == ',') {
            ++i;
        } else if (i < n && data[i] == '\r') {
            ++i;
            if (i < n && data[i] == '\n') ++i;
        } else if (i < n && data[i] == '\n') {
            ++i;
        }
        out.fields[static_cast<size_t>(f)] = field;
    }
    return true;
}

bool read(const QString& path, level::Files& files, Record& out, Error& err) {
    const QString name = QFileInfo(path).fileName();
    QByteArray data;
    QString why = levelNameProblem(name);
    if (!why.isEmpty() || !files.read(path, kMaxScanBytes, data, why)) {
        err = fail(name, 0, why);
        return false;
    }
    return parse(data, name, out, err);
}

bool read(const QString& path, Record& out, Error& err) {
    level::Files files;
    return read(path, files, out, err);
}

namespace {

// Halfway between the largest single and the next power of two: numbers from
// here on round to infinity.
constexpr double kSingleOverflow = 0x1.ffffffp+127;
// What each of a platform's four fields holds, in the stored order.
const char* const kPlatformFields[4] = {"haut", "gauche", "hauteur", "largeur"};

// Checks every field the way one reader converts it.
class Converter {
public:
    Converter(const Record& r, const QString& file) : r_(r), file_(file) {}
    bool ok() const { return ok_; }
    const Error& error() const { return err_; }

    double number(int f) {
        double v = 0;
        if (!ok_) return 0;
        bool tooLarge = false;
        if (!level::parseNumber(r_[f].text, v, &tooLarge)) {
            const QString t = r_[f].text;
            return failAt(f, tooLarge ? QStringLiteral("le champ %1 (« %2 ») est un nombre trop "
                                                       "grand pour être lu.")
                                            .arg(f)
                                            .arg(shown(t.trimmed()))
                             : t.isEmpty() ? QStringLiteral("le champ %1 est vide alors qu'un "
                                                            "nombre est attendu.")
                                                 .arg(f)
                                           : QStringLiteral("le champ %1 (« %2 ») n'est pas un "
                                                            "nombre.")
                                                 .arg(f)
                                                 .arg(shown(t)));
        }
        return v;
    }
    // The number of a field that the reader takes as a general value: none
    // when the text is not a number, which such a reader keeps as text.
    std::optional<double> numberIfAny(int f) {
        double v = 0;
        bool tooLarge = false;
        if (level::parseNumber(r_[f].text, v, &tooLarge) || tooLarge) return number(f);
        return std::nullopt;
    }
    // A number that rounds to a finite single value; the writer's shortest
    // text of the largest single reads a little above it.
    float single(int f) {
        const double v = number(f);
        if (!ok_) return 0;
        if (std::fabs(v) >= kSingleOverflow) {
            failAt(f, QStringLiteral("le champ %1 (%2) est trop grand.").arg(f).arg(quoted(f)));
            return 0;
        }
        if (std::fabs(v) > FLT_MAX) return std::copysign(FLT_MAX, v);
        return static_cast<float>(v);
    }
    int16_t int16(int f) {
        const double v = number(f);
        if (ok_ && !level::fitsInt16(v)) {
            failAt(f, QStringLiteral("le champ %1 (%2) ne tient pas dans un entier de 16 bits "
                                     "(-32768 à 32767).")
                          .arg(f)
                          .arg(quoted(f)));
            return 0;
        }
        return ok_ ? static_cast<int16_t>(level::roundHalfEven(v)) : 0;
    }
    int16_t option(int f, Range range, const char* what) {
        const int16_t v = int16(f);
        if (ok_ && !range.holds(v))
            failAt(f, QStringLiteral("le champ %1 (%2) vaut %3, hors des limites %4 à %5.")
                          .arg(f)
                          .arg(QString::fromUtf8(what))
                          .arg(v)
                          .arg(range.lo)
                          .arg(range.hi));
        return v;
    }
    QString vials(int f) {
        const QString t = r_[f].text;
        if (ok_ && !isVials(t))
            failAt(f, QStringLiteral("le champ %1 (nombre de fioles « %2 ») doit être vide ou "
                                     "compris entre 1 et %3.")
                          .arg(f)
                          .arg(shown(t))
                          .arg(kMostVials));
        return t;
    }
    // Platform k's (0-based) top, left, height and width as written, before
    // any rounding, so that every reader takes or refuses the same level;
    // none where the reader keeps a text. Checked in field order.
    void platform(int k, const std::array<std::optional<double>, 4>& v) {
        for (int i = 0; i < 4; ++i) {
            const int f = 4 * k + i + 1;
            if (!ok_ || i < 2 || !v[i]) continue;
            const float most = i == 2 ? kMaxPlatformHeight : kMaxPlatformWidth;
            if (*v[i] < 0)
                failAt(f, QStringLiteral("le champ %1 (%2) est négatif (%3).")
                              .arg(f)
                              .arg(what(f))
                              .arg(quoted(f)));
            else if (*v[i] > most)
                failAt(f, QStringLiteral("le champ %1 (%2) vaut %3, plus que la limite de %4.")
                              .arg(f)
                              .arg(what(f))
                              .arg(quoted(f))
                              .arg(most));
        }
        // Wholly beside the playfield, the platform could never be reached.
        const auto outside = [&](int i, float extent, const char* before, const char* after) {
            const int f = 4 * k + i + 1;
            if (!ok_ || !v[i]) return;
            const bool beyond = *v[i] > extent;
            if (beyond || (v[i + 2] && *v[i] + *v[i + 2] < 0))
                failAt(f, QStringLiteral("le champ %1 (%2) vaut %3 : la plate-forme est "
                                         "entièrement %4 l'écran de jeu, qui va de 0 à %5.")
                              .arg(f)
                              .arg(what(f))
                              .arg(quoted(f))
                              .arg(QString::fromUtf8(beyond ? after : before))
                              .arg(extent));
        };
        outside(0, kPlayfieldHeight, "au-dessus de", "au-dessous de");
        outside(1, kPlayfieldWidth, "à gauche de", "à droite de");
    }

private:
    // "hauteur de la plate-forme 2" for field 7.
    static QString what(int f) {
        return QStringLiteral("%1 de la plate-forme %2")
            .arg(QString::fromUtf8(kPlatformFields[(f - 1) % 4]))
            .arg((f - 1) / 4 + 1);
    }
    QString quoted(int f) const { return shown(r_[f].text.trimmed()); }
    double failAt(int f, const QString& problem) {
        if (ok_) err_ = fail(file_, f, problem);
        ok_ = false;
        return 0;
    }
    const Record& r_;
    QString file_;
    bool ok_ = true;
    Error err_;
};

// Fields 1-24 (rounding fields 1-4 to 16-bit when asked) and 25-29.
bool decode(const Record& r, const QString& fileName, bool firstAsInt16, Level& out, Error& err) {
    Converter c(r, fileName);
    Level l;
    for (int k = 0; k < kPlatformCount; ++k) {
        std::array<std::optional<double>, 4> written;
        for (int i = 0; i < 4; ++i) {
            const int f = 4 * k + i + 1;
            const float v = firstAsInt16 && f <= 4 ? static_cast<float>(c.int16(f)) : c.single(f);
            written[static_cast<size_t>(i)] = c.number(f);
            l.geometry[static_cast<size_t>(f - 1)] = v;
        }
        c.platform(k, written);
    }
    l.ois = c.option(25, kBirdRange, "oiseau");
    l.vitois = c.option(26, kBirdSpeedRange, "vitesse de l'oiseau");
    l.nb = c.option(27, kGreenRange, "grenouilles vertes");
    l.nbg = c.option(28, kGreyRange, "grenouilles grises");
    l.nbf = c.vials(29);
    if (!c.ok()) {
        err = c.error();
        return false;
    }
    out = l;
    return true;
}

}  // namespace

bool decodeForGame(const Record& r, const QString& fileName, Level& out, Error& err) {
    return decode(r, fileName, true, out, err);
}

bool decodeForEditor(const Record& r, const QString& fileName, Level& out, Error& err) {
    return decode(r, fileName, false, out, err);
}

bool decodeSummary(const Record& r, const QString& fileName, Summary& out, Error& err) {
    Converter c(r, fileName);
    Summary s;
    for (int k = 0; k < kPlatformCount; ++k) {
        std::array<std::optional<double>, 4> written;
        for (int i = 0; i < 4; ++i) {
            const int f = 4 * k + i + 1;
            if (f <= 4) {
                s.first[static_cast<size_t>(f - 1)] = c.int16(f);
                written[static_cast<size_t>(i)] = c.number(f);
            } else {
                written[static_cast<size_t>(i)] = c.numberIfAny(f);
            }
        }
        c.platform(k, written);
    }
    s.bird = c.number(25);
    s.speed = c.number(26);
    s.green = c.number(27);
    s.grey = c.number(28);
    s.vials = r[29].text;
    if (!c.ok()) {
        err = c.error();
        return false;
    }
    out = s;
    return true;
}

bool decodePreview(const Record& r, const QString& fileName,
                   std::array<double, 4 * kPlatformCount>& out, Error& err) {
    Converter c(r, fileName);
    std::array<double, 4 * kPlatformCount> v{};
    for (int k = 0; k < kPlatformCount; ++k) {
        std::array<std::optional<double>, 4> written;
        for (int i = 0; i < 4; ++i) {
            const int f = 4 * k + i + 1;
            v[static_cast<size_t>(f - 1)] = c.single(f) / 2.0;
            written[static_cast<size_t>(i)] = c.number(f);
        }
        c.platform(k, written);
    }
    if (!c.ok()) {
        err = c.error();
        return false;
    }
    out = v;
    return true;
}

namespace {
// Significant digits that always read back as the same single value. Every
// value the editor makes needs 7 or fewer; a larger whole number or a
// fraction brought in by a file keeps its value when it is saved again.
constexpr int kSingleDigits = 9;
}  // namespace

QByteArray format(const Level& level) {
    QString line;
    for (float v : level.geometry)
        line += level::strSingle(v, kSingleDigits) + u',';
    line += QStringLiteral("%1,%2,%3,%4,\"%5\"\r\n")
                .arg(level.ois)
                .arg(level.vitois)
                .arg(level.nb)
                .arg(level.nbg)
                .arg(level.nbf);
    return line.toLatin1();
}

bool write(const QString& path, const Level& level, level::Files& files, QString& whyNot) {
    whyNot = levelNameProblem(QFileInfo(path).fileName());
    return whyNot.isEmpty() && files.write(path, format(level), whyNot);
}

}  // namespace level
