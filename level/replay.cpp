#include "level/replay.h"

#include <QByteArrayList>
#include <QFileInfo>
#include <QUrl>
#include <cmath>

#include "level/files.h"
#include "level/runtime.h"

namespace level {

namespace {

constexpr const char* kMagic = "zelk-rejeu ";
// A digest: 16 lower-case hexadecimal digits.
constexpr int kDigestDigits = 16;
// Bounds of what a game can receive: pointer positions well off the window
// still read, nothing absurd does (twips).
constexpr double kMaxCoordinate = 1e6;

const char* const kActions[] = {"down", "up", "move", "press"};

// Texts that may hold anything (file names, the vials' item) travel as one
// word without blanks.
QByteArray word(const QString& text) {
    return QUrl::toPercentEncoding(text);
}

QByteArray num(double v) {
    return str(v).toLatin1();
}
QByteArray num(float v) {
    return str(v).toLatin1();
}
QByteArray num(qint64 v) {
    return QByteArray::number(v);
}
QByteArray num(int v) {
    return QByteArray::number(v);
}

QByteArray optionsLine(const GameOptions& o) {
    return num(o.bird) + ' ' + num(o.birdSpeed) + ' ' + num(o.green) + ' ' + num(o.greyToKill) +
           ' ' + word(o.vials) + ' ' + num(o.life) + ' ' + num(o.greyOnScreen);
}

QByteArray checkLine(const Check& c) {
    return num(c.ticks) + ' ' + num(c.energie) + ' ' + num(c.tuesgris) + ' ' + num(c.nbgris) + ' ' +
           num(c.left) + ' ' + num(c.top);
}

// One line's words, read one at a time; each read says what is wrong.
class Words {
public:
    Words(const QByteArrayList& w, qsizetype first) : w_(w), i_(first) {}
    int count() const { return static_cast<int>(w_.size()); }
    QString problem;

    bool whole(long long lo, long long hi, long long& out) {
        const QByteArray& t = next();
        bool ok = false;
        out = t.toLongLong(&ok);
        if (ok && out >= lo && out <= hi) return true;
        return fail(QStringLiteral("« %1 » n'est pas un nombre entier de %2 à %3")
                        .arg(shown(QString::fromUtf8(t)))
                        .arg(lo)
                        .arg(hi));
    }
    bool whole(int lo, int hi, int& out) {
        long long v = 0;
        if (!whole(lo, hi, v)) return false;
        out = static_cast<int>(v);
        return true;
    }
    bool whole(Range range, int& out) { return whole(range.lo, range.hi, out); }
    bool real(double& out) {
        const QByteArray& t = next();
        if (parseNumber(QString::fromLatin1(t), out) && std::abs(out) <= kMaxCoordinate &&
            !t.trimmed().isEmpty() && t == t.trimmed())
            return true;
        return fail(QStringLiteral("« %1 » n'est pas un nombre").arg(shown(QString::fromUtf8(t))));
    }
    bool real(float& out) {
        double d = 0;
        if (!real(d)) return false;
        out = static_cast<float>(d);
        return true;
    }
    bool text(QString& out) {
        const QByteArray& t = next();
        const QByteArray raw = QByteArray::fromPercentEncoding(t);
        out = QString::fromUtf8(raw);
        if (out.toUtf8() == raw && raw.size() <= kMaxFieldChars) return true;
        return fail(
            QStringLiteral("le texte « %1 » n'est pas lisible").arg(shown(QString::fromUtf8(t))));
    }
    bool vials(QString& out) {
        if (!text(out)) return false;
        if (isVials(out)) return true;
        return fail(QStringLiteral("« %1 » n'est pas un nombre de fioles (vide, ou de 1 à %2)")
                        .arg(shown(out))
                        .arg(kMostVials));
    }
    // The game timer's interval: frmaut's, or the lag simulation's.
    bool tick(int& out) {
        if (!whole(1, kLagTickMs, out)) return false;
        if (kTickRange.holds(out) || out == kLagTickMs) return true;
        return fail(QStringLiteral("%1 ms n'est pas un intervalle du jeu (de %2 à %3, ou %4)")
                        .arg(out)
                        .arg(kTickRange.lo)
                        .arg(kTickRange.hi)
                        .arg(kLagTickMs));
    }
    bool digest(std::optional<uint64_t>& out) {
        const QByteArray& t = next();
        bool ok = t.size() == kDigestDigits;
        for (char c : t)
            ok = ok && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'));
        if (ok) {
            out = t.toULongLong(nullptr, 16);
            return true;
        }
        return fail(QStringLiteral("« %1 » n'est pas une empreinte (%2 chiffres hexadécimaux)")
                        .arg(shown(QString::fromUtf8(t)))
                        .arg(kDigestDigits));
    }
    bool done() {
        if (i_ == w_.size()) return true;
        return fail(QStringLiteral("mots en trop"));
    }
    bool fail(const QString& p) {
        if (problem.isEmpty()) problem = p;
        return false;
    }

private:
    const QByteArray& next() {
        static const QByteArray kNone;
        if (i_ >= w_.size()) {
            fail(QStringLiteral("la ligne est trop courte"));
            return kNone;
        }
        return w_[i_++];
    }
    const QByteArrayList& w_;
    qsizetype i_;
};

// Only what the option screens can hold: the game computes with them in 16
// bits (the energy is life x 100, the counters add the grey frogs to kill).
bool readOptions(Words& w, GameOptions& o) {
    return w.whole(kBirdRange, o.bird) && w.whole(kBirdSpeedRange, o.birdSpeed) &&
           w.whole(kGreenRange, o.green) && w.whole(kGreyRange, o.greyToKill) && w.vials(o.vials) &&
           w.whole(kLifeRange, o.life) && w.whole(kGreyOnScreenRange, o.greyOnScreen);
}

bool readCheck(Words& w, Check& c) {
    return w.whole(0, 1 << 30, c.ticks) && w.real(c.energie) &&
           w.whole(-32768, 32767, c.tuesgris) && w.whole(-32768, 32767, c.nbgris) &&
           w.real(c.left) && w.real(c.top);
}

}  // namespace

QByteArray formatReplay(const Replay& r) {
    QByteArray out = kMagic + num(r.version) + '\n';
    out += "niveau " + word(r.levelName) + '\n';
    out += "champs " + format(r.level).trimmed() + '\n';
    out += "options " + optionsLine(r.options) + '\n';
    out += "vitesse " + num(r.tickMs) + '\n';
    out += QByteArray("ciel ") + (r.day ? "jour" : "nuit") + '\n';
    out += "graine " + num(static_cast<qint64>(r.seed)) + '\n';
    for (const ReplayEvent& e : r.events) {
        if (e.kind == ReplayEvent::Kind::Check) {
            out += "controle " + checkLine(e.check) + '\n';
            continue;
        }
        out += num(e.ms) + ' ';
        switch (e.kind) {
            case ReplayEvent::Kind::Timer:
                out += "minuterie " + word(e.name);
                if (e.digest && r.version >= 2)
                    out += ' ' + QByteArray::number(static_cast<qulonglong>(*e.digest), 16)
                                     .rightJustified(kDigestDigits, '0');
                break;
            case ReplayEvent::Kind::Mouse:
                out += QByteArray("souris ") + kActions[static_cast<int>(e.action)] + ' ' +
                       num(e.code) + ' ' + num(e.shift) + ' ' + num(e.x) + ' ' + num(e.y);
                if (e.forced) out += ' ' + (e.name.isEmpty() ? QByteArray("@") : word(e.name));
                break;
            case ReplayEvent::Kind::Key:
                out += QByteArray("touche ") + kActions[static_cast<int>(e.action)] + ' ' +
                       num(e.code) + ' ' + num(e.shift);
                break;
            default:
                out += "options " + optionsLine(e.options);
                break;
        }
        out += '\n';
    }
    const char* outcome = r.outcome == Outcome::Won    ? "gagne"
                          : r.outcome == Outcome::Lost ? "perdu"
                                                       : "inacheve";
    out += QByteArray("fin ") + outcome + ' ' + checkLine(r.end) + '\n';
    return out;
}

bool parseReplay(const QByteArray& data, const QString& fileName, Replay& out, QString& whyNot) {
    int lineNo = 0;
    const QString name = shown(fileName, -1);
    if (data.size() > kMaxReplayBytes) {
        whyNot = QStringLiteral(
                     "Le rejeu « %1 » ne peut pas être lu : le fichier est trop grand "
                     "(plus de %2 Mio).")
                     .arg(name)
                     .arg(kMaxReplayBytes / (1024 * 1024));
        return false;
    }
    auto refuse = [&](const QString& problem) {
        whyNot = QStringLiteral("Le rejeu « %1 » ne peut pas être lu : ligne %2 : %3.")
                     .arg(name)
                     .arg(lineNo)
                     .arg(problem);
        return false;
    };
    QByteArrayList lines = data.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    // The header, in its order; then events until the end line, which is last.
    const char* const header[] = {"niveau", "champs", "options", "vitesse", "ciel", "graine"};
    Replay r;
    bool ended = false;
    qint64 lastMs = 0;
    for (const QByteArray& raw : lines) {
        ++lineNo;
        const QByteArray line = raw.endsWith('\r') ? raw.chopped(1) : raw;
        if (lineNo == 1) {
            if (line == QByteArray(kMagic) + '2') {
                r.version = 2;
            } else if (line == QByteArray(kMagic) + '1') {
                r.version = 1;
            } else {
                return refuse(QStringLiteral("ce n'est pas un rejeu de Zelk de version 1"));
            }
            continue;
        }
        if (ended) return refuse(QStringLiteral("rien ne doit suivre la ligne « fin »"));
        const QByteArrayList w = line.split(' ');
        const QByteArray& key = w[0];
        // An event's first word is its time; other lines start with their name.
        const bool event = lineNo > 7 && key != "controle" && key != "fin";
        Words words(w, event ? 0 : 1);
        bool ok = true;
        if (lineNo - 2 < 6) {
            if (key != header[lineNo - 2])
                return refuse(
                    QStringLiteral("« %1 » attendu").arg(QLatin1String(header[lineNo - 2])));
            if (key == "niveau") {
                ok = words.text(r.levelName);
            } else if (key == "champs") {
                Record rec;
                Error err;
                const QByteArray fields = line.mid(7);
                if (!parse(fields, r.levelName, rec, err) ||
                    !decodeForGame(rec, r.levelName, r.level, err) ||
                    format(r.level).trimmed() != fields)
                    return refuse(QStringLiteral("le niveau est illisible (%1)")
                                      .arg(err.problem.isEmpty() ? QStringLiteral("champs changés")
                                                                 : err.problem));
                continue;
            } else if (key == "options") {
                ok = readOptions(words, r.options);
            } else if (key == "vitesse") {
                ok = words.tick(r.tickMs);
            } else if (key == "ciel") {
                QString sky;
                ok = words.text(sky) &&
                     (sky == QLatin1String("jour") || sky == QLatin1String("nuit") ||
                      words.fail(QStringLiteral("« jour » ou « nuit » attendu")));
                r.day = sky == QLatin1String("jour");
            } else {
                long long seed = 0;
                ok = words.whole(0, 0xFFFFFF, seed);
                r.seed = static_cast<uint32_t>(seed);
            }
        } else if (key == "controle") {
            ReplayEvent e;
            e.kind = ReplayEvent::Kind::Check;
            e.line = lineNo;
            ok = readCheck(words, e.check);
            r.events.push_back(e);
        } else if (key == "fin") {
            QString outcome;
            ok = words.text(outcome);
            if (outcome == QLatin1String("gagne")) {
                r.outcome = Outcome::Won;
            } else if (outcome == QLatin1String("perdu")) {
                r.outcome = Outcome::Lost;
            } else if (outcome == QLatin1String("inacheve")) {
                r.outcome = Outcome::Unfinished;
            } else if (ok) {
                ok = words.fail(QStringLiteral("« gagne », « perdu » ou « inacheve » attendu"));
            }
            ok = ok && readCheck(words, r.end);
            ended = true;
        } else {
            ReplayEvent e;
            e.line = lineNo;
            long long ms = 0;
            ok = words.whole(lastMs, std::numeric_limits<int>::max(), ms);
            if (!ok) words.problem += QStringLiteral(" (les temps ne reculent jamais)");
            e.ms = lastMs = ms;
            QString kind;
            ok = ok && words.text(kind);
            auto action = [&](int last) {
                QString a;
                if (!words.text(a)) return false;
                for (int i = 0; i <= last; ++i)
                    if (a == QLatin1String(kActions[i])) {
                        e.action = static_cast<ReplayEvent::Action>(i);
                        return true;
                    }
                return words.fail(QStringLiteral("action « %1 » inconnue").arg(shown(a, 20)));
            };
            if (!ok) {
            } else if (kind == QLatin1String("minuterie")) {
                e.kind = ReplayEvent::Kind::Timer;
                ok = words.text(e.name);
                if (ok && r.version >= 2 && words.count() == 4) ok = words.digest(e.digest);
            } else if (kind == QLatin1String("souris")) {
                e.kind = ReplayEvent::Kind::Mouse;
                ok = action(2) && words.whole(0, 7, e.code) && words.whole(0, 7, e.shift) &&
                     words.real(e.x) && words.real(e.y);
                if (ok && words.count() == 8) {
                    e.forced = true;
                    ok = words.text(e.name);
                    if (e.name == QLatin1String("@")) e.name.clear();
                }
            } else if (kind == QLatin1String("touche")) {
                e.kind = ReplayEvent::Kind::Key;
                ok = action(3) && words.whole(0, 255, e.code) && words.whole(0, 7, e.shift);
            } else if (kind == QLatin1String("options")) {
                e.kind = ReplayEvent::Kind::Options;
                ok = readOptions(words, e.options);
            } else {
                ok = words.fail(QStringLiteral("événement « %1 » inconnu").arg(shown(kind, 20)));
            }
            r.events.push_back(e);
        }
        if (!ok || !words.done()) return refuse(words.problem);
    }
    if (lineNo == 0) return refuse(QStringLiteral("le fichier est vide"));
    if (!ended) {
        ++lineNo;
        return refuse(lineNo <= 7 ? QStringLiteral("l'en-tête est incomplet")
                                  : QStringLiteral("la ligne « fin » manque"));
    }
    r.fileName = fileName;
    out = std::move(r);
    return true;
}

QString gameTime(qint64 ms) {
    const qint64 s = ms / 1000;
    if (s < 60) return QStringLiteral("%1 s").arg(s);
    return QStringLiteral("%1 min %2 s").arg(s / 60).arg(s % 60);
}

bool readReplayFile(Files& files, const QString& path, Replay& out, QString& why) {
    QByteArray bytes;
    const QString name = QFileInfo(path).fileName();
    // One byte past the bound, so that a larger file is refused as such.
    if (!files.read(path, kMaxReplayBytes + 1, bytes, why)) {
        why = QStringLiteral("Le rejeu « %1 » ne peut pas être lu : %2").arg(shown(name, -1), why);
        return false;
    }
    return parseReplay(bytes, name, out, why);
}

bool writeReplayFile(Files& files, const QString& path, const Replay& r, QString& why) {
    const QByteArray bytes = formatReplay(r);
    if (bytes.size() > kMaxReplayBytes) {
        why = QStringLiteral("la partie est trop longue, son rejeu dépasserait %1 Mio.")
                  .arg(kMaxReplayBytes / (1024 * 1024));
        return false;
    }
    return files.write(path, bytes, why);
}

}  // namespace level
