// The ".lev" level file: one line of 29 fields. Reading and writing only; no
// widgets here. Every reader reads and checks the whole record before the
// caller applies any field.
#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>

#include "level/files.h"

namespace level {

constexpr int kFieldCount = 29;
constexpr int kPlatformCount = 6;

// The game screen's client area, twips: the playfield every level is played
// on, from (0, 0) to (kPlayfieldWidth, kPlayfieldHeight).
constexpr float kPlayfieldWidth = 15210, kPlayfieldHeight = 11010;
// Widest and tallest platform a level may hold, twips: twice the playfield.
// A green frog walks its platform's width / 300 a tick: at most 101 twips, so
// that it can never step across the 305 twips in which the player lands on it.
constexpr float kMaxPlatformWidth = 2 * kPlayfieldWidth;
constexpr float kMaxPlatformHeight = 2 * kPlayfieldHeight;
// Bounds that keep a damaged or hostile file from costing unbounded reads.
constexpr qsizetype kMaxFieldChars = 4096;
constexpr qint64 kMaxScanBytes = 64 * 1024;

// The values an option can hold, both ends included.
struct Range {
    int lo, hi;
    bool holds(long long v) const { return v >= lo && v <= hi; }
};
// A level's enemy options (fields 25 to 28), as frmopt's controls hold them;
// the vials (field 29) are empty or "1" to kMostVials.
constexpr Range kBirdRange{0, 1}, kBirdSpeedRange{2, 50}, kGreenRange{0, 7}, kGreyRange{0, 100};
constexpr int kMostVials = 10;
bool isVials(const QString& text);

// Characters of an untrusted text that a message quotes.
constexpr qsizetype kQuotedChars = 40;
// Untrusted text (a field, a name from a file) as every message quotes it:
// control characters (a NUL byte, a line end, an escape) shown as "?", cut
// after `most` characters with "…" (a negative `most` keeps it whole).
QString shown(const QString& text, qsizetype most = kQuotedChars);

struct Field {
    QString text;
    bool quoted = false;
};

// Raw fields as read, 1-based in messages.
struct Record {
    std::array<Field, kFieldCount> fields;
    const Field& operator[](int oneBased) const {
        return fields[static_cast<size_t>(oneBased - 1)];
    }
};

// Why a level could not be read: the file, the field (0 when it is about the
// whole file) and the problem, in French for the message boxes.
struct Error {
    QString file;
    int field = 0;
    QString problem;
    QString message() const;
};

// One level as the editor and the game hold it.
struct Level {
    // Per platform k (0-based): top, left, height, width, in the stored order.
    std::array<float, 4 * kPlatformCount> geometry{};
    int16_t ois = 0;     // 1: the bird flies
    int16_t vitois = 0;  // bird speed
    int16_t nb = 0;      // green frogs
    int16_t nbg = 0;     // grey frogs
    QString nbf;         // vials, the text of the selected list item
    float top(int k) const { return geometry[4 * k]; }
    float left(int k) const { return geometry[4 * k + 1]; }
    float height(int k) const { return geometry[4 * k + 2]; }
    float width(int k) const { return geometry[4 * k + 3]; }
    // Field by field; numbers compare exactly.
    bool operator==(const Level&) const = default;
};

// Splits the text of a level file into its first 29 fields.
bool parse(const QByteArray& data, const QString& fileName, Record& out, Error& err);
// Reads a level file (at most kMaxScanBytes of it) through the program's file
// layer; the second form uses the file system directly. A name that is no
// level's (levelNameProblem) is refused before anything is read.
bool read(const QString& path, level::Files& files, Record& out, Error& err);
bool read(const QString& path, Record& out, Error& err);

// The readers' conversions. Each checks all 29 fields, and every platform it
// reads against the same bounds: a height and width from 0 to the largest
// above, and some part of the platform on the playfield (its edges included).
// Numbers too large to read are refused ("nombre trop grand").
// Game start: fields 1-4 whole 16-bit numbers (fractions rounded half to
// even), 5-24 numbers; options within their screen's ranges.
bool decodeForGame(const Record& r, const QString& fileName, Level& out, Error& err);
// Editor open: fields 1-24 numbers; options as for the game.
bool decodeForEditor(const Record& r, const QString& fileName, Level& out, Error& err);

// Main menu summary: fields 1-4 whole 16-bit numbers, 25-28 numbers, 29 text;
// fields 5-24 are checked where they hold numbers, and are not read otherwise.
struct Summary {
    std::array<int16_t, 4> first{};  // fields 1-4
    double bird = 0, speed = 0, green = 0, grey = 0;
    QString vials;
};
bool decodeSummary(const Record& r, const QString& fileName, Summary& out, Error& err);

// Preview: fields 1-24 as numbers, each halved; 25-29 ignored.
bool decodePreview(const Record& r, const QString& fileName,
                   std::array<double, 4 * kPlatformCount>& out, Error& err);

// The single line the writer produces, CR LF included. Each single value is
// written in the shortest form that reads back as the same value.
QByteArray format(const Level& level);
// Writes a level atomically (aside, then renamed over the target; a link of
// that name is replaced, not followed). On failure returns false with the
// reason in French; an earlier file is left intact. A name that is no level's
// is refused.
bool write(const QString& path, const Level& level, level::Files& files, QString& whyNot);

}  // namespace level
