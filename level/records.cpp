#include "level/records.h"

#include <QByteArrayList>
#include <algorithm>

#include "level/replay.h"

namespace level {

namespace {
constexpr const char* kMagic = "zelk-records 1";
constexpr int kLargest = 1 << 30;
}  // namespace

QByteArray recordKey(const Level& l) {
    return format(l).trimmed();
}

QByteArray formatRecords(const Records& records) {
    QByteArray out = QByteArray(kMagic) + '\n';
    for (const auto& [key, r] : records) {
        for (int v : {r.played, r.won, r.bestTicks, r.bestTickMs, r.bestEnergy})
            out += QByteArray::number(v) + ' ';
        out += key + '\n';
    }
    return out;
}

bool parseRecords(const QByteArray& data, Records& out, QString& whyNot) {
    QByteArrayList lines = data.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    Records records;
    int lineNo = 0;
    auto refuse = [&](const QString& problem) {
        whyNot = QStringLiteral("ligne %1 : %2").arg(lineNo).arg(problem);
        return false;
    };
    if (data.size() > kMaxRecordsBytes) return refuse(QStringLiteral("le fichier est trop grand"));
    for (const QByteArray& line : lines) {
        ++lineNo;
        if (lineNo == 1) {
            if (line != kMagic) return refuse(QStringLiteral("en-tête inconnu"));
            continue;
        }
        const QByteArrayList w = line.split(' ');
        if (w.size() != 6) return refuse(QStringLiteral("six mots attendus"));
        int v[5];
        for (int i = 0; i < 5; ++i) {
            bool ok = false;
            v[i] = w[i].toInt(&ok);
            if (!ok || v[i] < 0 || v[i] > kLargest)
                return refuse(QStringLiteral("un compte n'est pas un nombre entier positif"));
        }
        const LevelRecord r{v[0], v[1], v[2], v[3], v[4]};
        if (r.won > r.played || (r.won > 0) != (r.bestTicks > 0))
            return refuse(QStringLiteral("des comptes qui se contredisent"));
        Record rec;
        Error err;
        Level l;
        if (!parse(w[5], QString(), rec, err) || !decodeForGame(rec, QString(), l, err) ||
            recordKey(l) != w[5])
            return refuse(QStringLiteral("le niveau n'est pas lisible"));
        if (!records.emplace(w[5], r).second) return refuse(QStringLiteral("niveau en double"));
    }
    if (lineNo == 0) return refuse(QStringLiteral("le fichier est vide"));
    out = std::move(records);
    return true;
}

LevelRecord withGame(LevelRecord r, bool won, int ticks, int tickMs, int energy, bool& beaten) {
    beaten = false;
    if (r.played < kLargest) ++r.played;
    if (!won) return r;
    if (r.won < kLargest) ++r.won;
    ticks = std::clamp(ticks, 1, kLargest);
    if (r.bestTicks == 0 || ticks < r.bestTicks) {
        r.bestTicks = ticks;
        r.bestTickMs = std::clamp(tickMs, 0, kLargest);
        beaten = true;
    }
    energy = std::clamp(energy, 0, kLargest);
    if (r.won == 1 || energy > r.bestEnergy) {
        r.bestEnergy = energy;
        beaten = true;
    }
    return r;
}

QString recordSummary(const LevelRecord& r) {
    if (r.won == 0)
        return r.played == 0 ? QString()
                             : QStringLiteral("Pas encore gagné (%1 partie%2)")
                                   .arg(r.played)
                                   .arg(r.played > 1 ? QStringLiteral("s") : QString());
    return QStringLiteral("Record : gagné en %1, énergie %2 — %3 victoire%4 sur %5 partie%6")
        .arg(gameTime(static_cast<qint64>(r.bestTicks) * r.bestTickMs))
        .arg(r.bestEnergy)
        .arg(r.won)
        .arg(r.won > 1 ? QStringLiteral("s") : QString())
        .arg(r.played)
        .arg(r.played > 1 ? QStringLiteral("s") : QString());
}

}  // namespace level
