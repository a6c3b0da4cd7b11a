#include "level/settings.h"

#include <QByteArrayList>
#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <limits>

namespace level {

namespace {
constexpr const char* kMagic = "zelk-options 1";
constexpr const char* kDamagedSuffix = "-endommage";

// The words of the file, in the order written.
constexpr const char* kDep = "vitesse";
constexpr const char* kVie = "difficulte";
constexpr const char* kMaxgb = "grenouilles-grises";
constexpr const char* kRam = "ramage";
constexpr const char* kSky = "ciel";
constexpr const char* kDay = "jour";
constexpr const char* kNight = "nuit";

// A whole number written in decimal, as far as it goes: one beyond what a
// long long holds is taken as the largest of its sign, to be clamped.
bool readNumber(const QByteArray& w, long long& out) {
    const bool negative = w.startsWith('-');
    const QByteArray digits = negative ? w.mid(1) : w;
    if (digits.isEmpty()) return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    bool ok = false;
    out = w.toLongLong(&ok);
    if (!ok)
        out = negative ? std::numeric_limits<long long>::min()
                       : std::numeric_limits<long long>::max();
    return true;
}

// Makes the missing folders of path, private to the user as the XDG rules
// ask of a settings folder.
bool makeFolder(const QString& path, QString& whyNot) {
    QStringList missing;
    for (QString p = QDir::cleanPath(path); !QFileInfo::exists(p); p = QFileInfo(p).path()) {
        if (missing.contains(p)) break;  // the root itself
        missing.prepend(p);
    }
    for (const QString& p : missing) {
        if (!QDir().mkdir(p, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
            whyNot = QStringLiteral("le dossier « %1 » ne peut pas être créé.")
                         .arg(QDir::toNativeSeparators(p));
            return false;
        }
    }
    return true;
}

}  // namespace

QByteArray formatSettings(const GameSettings& s) {
    QByteArray out = QByteArray(kMagic) + '\n';
    auto line = [&out](const char* key, const QByteArray& value) {
        out += QByteArray(key) + ' ' + value + '\n';
    };
    line(kDep, QByteArray::number(s.dep));
    line(kVie, QByteArray::number(s.vie));
    line(kMaxgb, QByteArray::number(s.maxgb));
    line(kRam, QByteArray::number(s.ram));
    line(kSky, s.jour ? kDay : kNight);
    return out;
}

bool parseSettings(const QByteArray& data, GameSettings& out, QString& whyNot) {
    if (data.size() > kMaxSettingsBytes) {
        whyNot = QStringLiteral("le fichier est trop grand : %1 octets, plus que la limite de %2")
                     .arg(data.size())
                     .arg(kMaxSettingsBytes);
        return false;
    }
    QByteArray text = data;
    if (text.startsWith("\xEF\xBB\xBF")) text.remove(0, 3);  // a byte order mark
    if (text.trimmed().isEmpty()) {
        whyNot = QStringLiteral("le fichier est vide");
        return false;
    }
    GameSettings s;
    QByteArrayList seen;
    int lineNo = 0;
    auto refuse = [&](const QString& problem) {
        whyNot = QStringLiteral("ligne %1 : %2").arg(lineNo).arg(problem);
        return false;
    };
    for (const QByteArray& raw : text.split('\n')) {
        ++lineNo;
        const QByteArray line = raw.simplified();
        if (lineNo == 1) {
            if (line != kMagic) return refuse(QStringLiteral("en-tête inconnu"));
            continue;
        }
        if (line.isEmpty()) continue;
        const QByteArrayList w = line.split(' ');
        if (w.size() != 2) return refuse(QStringLiteral("un nom et une valeur attendus"));
        if (seen.contains(w[0])) return refuse(QStringLiteral("option en double"));
        seen.append(w[0]);
        if (w[0] == kSky) {
            if (w[1] != kDay && w[1] != kNight)
                return refuse(QStringLiteral("le ciel est « jour » ou « nuit »"));
            s.jour = w[1] == kDay;
            continue;
        }
        const std::pair<const char*, std::pair<int*, OptionRange>> numbers[] = {
            {kDep, {&s.dep, GameSettings::kDep}},
            {kVie, {&s.vie, GameSettings::kVie}},
            {kMaxgb, {&s.maxgb, GameSettings::kMaxgb}},
            {kRam, {&s.ram, GameSettings::kRam}}};
        bool known = false;
        for (const auto& [key, field] : numbers) {
            if (w[0] != key) continue;
            known = true;
            long long v = 0;
            if (!readNumber(w[1], v)) return refuse(QStringLiteral("un nombre entier attendu"));
            *field.first = field.second.clamp(v);
        }
        if (!known) return refuse(QStringLiteral("option inconnue"));
    }
    if (seen.size() != 5) {
        whyNot = QStringLiteral("il manque des options");
        return false;
    }
    out = s;
    return true;
}

GameSettings SettingsFile::load(Files& files, QString& note) {
    note.clear();
    if (path_.isEmpty() || !fileStamp(path_).present) return {};
    const QString shown = QDir::toNativeSeparators(path_);
    QByteArray bytes;
    QString why;
    GameSettings s;
    if (files.read(path_, kMaxSettingsBytes + 1, bytes, why)) {
        if (parseSettings(bytes, s, why)) return s;
        why = QStringLiteral("il est endommagé (%1).").arg(why);
    } else if (!fileStamp(path_).present) {
        return {};  // gone meanwhile
    } else {
        why = QStringLiteral("il ne peut pas être lu : ") + why;
    }
    QString aside, asideWhy;
    if (files.moveAside(path_, QFileInfo(path_).fileName() + QLatin1String(kDamagedSuffix), aside,
                        asideWhy)) {
        note = QStringLiteral(
                   "Le fichier des options « %1 » n'a pas été utilisé : %2 Il a été mis "
                   "de côté sous le nom « %3 » et les options de départ sont utilisées.")
                   .arg(shown, why, QDir::toNativeSeparators(aside));
    } else {
        writable_ = false;
        note = QStringLiteral(
                   "Le fichier des options « %1 » n'a pas été utilisé : %2 Il ne peut "
                   "pas être mis de côté : %3 Il est laissé tel quel ; les options de "
                   "départ sont utilisées et ne seront pas gardées.")
                   .arg(shown, why, asideWhy);
    }
    return {};
}

bool SettingsFile::save(Files& files, const GameSettings& s, QString& note) {
    note.clear();
    if (path_.isEmpty() || !writable_) return false;
    QString why;
    if (makeFolder(QFileInfo(path_).path(), why) &&
        files.write(path_, formatSettings(s), why, false)) {
        said_.clear();
        return true;
    }
    if (why != said_) {
        said_ = why;
        note = QStringLiteral("Les options n'ont pas pu être gardées dans « %1 » : %2")
                   .arg(QDir::toNativeSeparators(path_), why);
    }
    return false;
}

}  // namespace level
