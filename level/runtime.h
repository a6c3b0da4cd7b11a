// Arithmetic and text rules of the forms runtime the game was written for.
// Level files and gameplay depend on them, so they are kept exact here.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <stdexcept>

namespace level {

// A run-time error: a value that does not fit, a text that is not a number,
// a file that cannot be used. Handlers never let it end the program; the
// toolkit reports it in a message box and carries on.
class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(const QString& message)
        : std::runtime_error(message.toStdString()), text_(message) {}
    const QString& text() const { return text_; }

private:
    QString text_;
};

// Round half to even ("made a whole number").
double roundHalfEven(double v);

// Made a whole 16-bit number: rounds half to even, throws when out of range.
int16_t cint(double v);

// True when v, rounded half to even, fits in 16 bits.
bool fitsInt16(double v);

// 16-bit sum as the runtime computes it: an overflow is an error, never a wrap.
int16_t add16(int a, int b);

// The leading number of a text: blanks skipped, optional sign, digits, optional
// fraction. An empty or non-numeric text reads as 0, and so does a number too
// large for a double (the game's own labels never hold one).
double val(QStringView text);

// Parses a whole text as a number (blanks around it allowed). Returns false when
// the text is not entirely one decimal number, or when that number is too large
// for a double; `tooLarge` then says which.
bool parseNumber(QStringView text, double& out, bool* tooLarge = nullptr);

// Plain decimal text: no leading blank, "-" for negatives, "." as decimal
// separator, never an exponent. Shortest form that reads back the same value.
QString str(double v);
QString str(float v);
QString str(int v);

// Plain decimal text of a single-precision value with at most maxDigits
// significant digits (the level writer's form).
QString strSingle(float v, int maxDigits);

// The runtime's random number generator: uniform in [0, 1), the same sequence
// at every start until reseeded.
class Rng {
public:
    float next();
    void reseed(uint32_t seed);
    // The generator's whole state: reseed(state()) takes the sequence up again there.
    uint32_t state() const { return state_; }
    // Reseeds from a clock reading given in seconds since midnight.
    void reseedFromClock(double seconds);

private:
    uint32_t state_ = 0x50000;  // fixed start state, 24 bits
};

}  // namespace level
