#include "level/runtime.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <string>

namespace level {

double roundHalfEven(double v) {
    return std::nearbyint(v);
}  // default FE_TONEAREST

bool fitsInt16(double v) {
    if (!std::isfinite(v)) return false;
    const double r = roundHalfEven(v);
    return r >= -32768.0 && r <= 32767.0;
}

int16_t cint(double v) {
    if (!fitsInt16(v)) {
        throw RuntimeError(
            QStringLiteral("Dépassement de capacité : %1 ne tient pas dans un entier "
                           "de 16 bits.")
                .arg(str(v)));
    }
    return static_cast<int16_t>(roundHalfEven(v));
}

int16_t add16(int a, int b) {
    return cint(static_cast<double>(a) + b);
}

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// Scans a decimal number at text[pos]; returns the end index or pos when none.
qsizetype scanNumber(QStringView text, qsizetype pos) {
    qsizetype i = pos;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
    qsizetype digits = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128)
        ++i, ++digits;
    if (i < text.size() && text[i] == u'.') {
        qsizetype j = i + 1;
        qsizetype frac = 0;
        while (j < text.size() && text[j].isDigit() && text[j].unicode() < 128)
            ++j, ++frac;
        if (digits + frac > 0) {
            i = j;
            digits += frac;
        }
    }
    return digits > 0 ? i : pos;
}

// The value of a scanned number. One too large for a double is reported and
// read as 0; one too small rounds to 0, which is its nearest value.
double toDouble(QStringView number, bool& tooLarge) {
    const std::string s = number.toString().toStdString();
    const char* b = s.c_str();
    if (*b == '+' || *b == '-') ++b;
    double v = 0;
    const auto r = std::from_chars(b, s.c_str() + s.size(), v);
    tooLarge = false;
    if (r.ec == std::errc::result_out_of_range) {
        // No exponent is read, so a number past the range has a whole part
        // other than 0, and one below it has none.
        const char* d = b;
        while (*d == '0')
            ++d;
        tooLarge = *d != '.' && *d != '\0';
        v = 0;
    }
    return s[0] == '-' ? -v : v;
}

}  // namespace

double val(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const qsizetype end = scanNumber(text, i);
    if (end == i) return 0.0;
    bool tooLarge = false;
    return toDouble(text.mid(i, end - i), tooLarge);
}

bool parseNumber(QStringView text, double& out, bool* tooLarge) {
    if (tooLarge) *tooLarge = false;
    qsizetype i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const qsizetype end = scanNumber(text, i);
    if (end == i) return false;
    qsizetype k = end;
    while (k < text.size() && isBlank(text[k]))
        ++k;
    if (k != text.size()) return false;
    bool large = false;
    out = toDouble(text.mid(i, end - i), large);
    if (tooLarge) *tooLarge = large;
    return !large && std::isfinite(out);
}

namespace {

// Rewrites a scientific-notation digit string into plain decimal.
std::string plain(const std::string& s) {
    const auto e = s.find_first_of("eE");
    if (e == std::string::npos) return s;
    std::string mant = s.substr(0, e);
    int exp = std::stoi(s.substr(e + 1));
    bool neg = false;
    if (!mant.empty() && mant[0] == '-') {
        neg = true;
        mant.erase(0, 1);
    }
    std::string digits;
    int pointPos;
    const auto dot = mant.find('.');
    if (dot == std::string::npos) {
        digits = mant;
        pointPos = static_cast<int>(mant.size());
    } else {
        digits = mant.substr(0, dot) + mant.substr(dot + 1);
        pointPos = static_cast<int>(dot);
    }
    pointPos += exp;
    std::string out;
    if (pointPos <= 0) {
        out = "0." + std::string(static_cast<size_t>(-pointPos), '0') + digits;
    } else if (pointPos >= static_cast<int>(digits.size())) {
        out = digits + std::string(static_cast<size_t>(pointPos) - digits.size(), '0');
    } else {
        out = digits.substr(0, static_cast<size_t>(pointPos)) + "." +
              digits.substr(static_cast<size_t>(pointPos));
    }
    return neg ? "-" + out : out;
}

template <typename T>
QString shortest(T v) {
    if (v == 0) return QStringLiteral("0");  // also folds -0
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromStdString(plain(std::string(buf, res.ptr)));
}

}  // namespace

QString str(double v) {
    return shortest(v);
}
QString str(float v) {
    return shortest(v);
}
QString str(int v) {
    return QString::number(v);
}

QString strSingle(float v, int maxDigits) {
    if (v == 0) return QStringLiteral("0");
    char buf[64];
    for (int p = 1; p <= 9; ++p) {
        auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, p);
        float back = 0;
        std::from_chars(buf, res.ptr, back);
        if (back == v || p == maxDigits) {
            return QString::fromStdString(plain(std::string(buf, res.ptr)));
        }
    }
    return str(v);
}

// 24-bit linear congruential generator, the classic forms-runtime one.
float Rng::next() {
    state_ = (state_ * 1140671485u + 12820163u) & 0xFFFFFFu;
    return static_cast<float>(state_) / 16777216.0f;
}

void Rng::reseed(uint32_t seed) {
    state_ = seed & 0xFFFFFFu;
}

void Rng::reseedFromClock(double seconds) {
    float f = static_cast<float>(seconds);
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    const uint32_t mixed = ((bits >> 8) ^ bits) & 0xFFFFu;
    state_ = (state_ & 0xFF00FFu) | (mixed << 8);
}

}  // namespace level
