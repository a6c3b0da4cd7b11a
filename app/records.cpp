// The player's records and the replays of the games: kept in the level
// folder, counted at each end of a game, shown again from the result screen.
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>

#include "app/levelfolder.h"
#include "app/program.h"
#include "app/replays.h"
#include "game/frmaffpg.h"
#include "game/frmsaut.h"
#include "game/sky.h"

namespace zelk {

namespace {
constexpr const char* kReplayFolder = "rejeux";
constexpr const char* kSolutionFolder = "solutions";
// The longest file name the file systems take, bytes.
constexpr qsizetype kLongestName = 255;

// The start of `text` whose UTF-8 fits `room` bytes, cut between characters.
QString cutToBytes(const QString& text, qsizetype room) {
    qsizetype bytes = 0, end = 0;
    while (end < text.size()) {
        const qsizetype n = text[end].isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        bytes += QStringView(text).mid(end, n).toUtf8().size();
        if (bytes > room) break;
        end += n;
    }
    return text.left(end);
}

}  // namespace

level::RecordsFile& ZelkProgram::recordsFile() {
    if (!records_ || records_->folder() != services().levelFolder())
        records_.emplace(services().levelFolder());
    return *records_;
}

void ZelkProgram::sayRecordsNote() {
    const level::RecordsNote note = recordsFile().takeNote();
    if (note.text.isEmpty()) return;
    services().msgBox(note.text,
                      tk::mb::OkOnly | (note.failure ? tk::mb::Critical : tk::mb::Exclamation),
                      QStringLiteral("Records"));
}

const level::Records& ZelkProgram::records() {
    const level::Records& all = recordsFile().records(services().files());
    sayRecordsNote();
    return all;
}

level::LevelRecord ZelkProgram::recordOf(const level::Level& l) {
    const level::Records& all = records();
    const auto it = all.find(level::recordKey(l));
    return it == all.end() ? level::LevelRecord{} : it->second;
}

void ZelkProgram::startRecording(frmsaut& game, const level::Level& lev, const QString& name) {
    level::Replay start;
    start.levelName = name;
    start.level = lev;
    start.options = gameOptions();
    start.tickMs = game.Timer1.interval();
    start.day = game.backColor() == kDaySky;
    start.seed = services().rng().state();
    playing_.reset();
    fileReplay_.reset();
    recorder_ = std::make_unique<GameRecorder>(*this, game, std::move(start));
    recordKey_ = level::recordKey(lev);
    counted_ = false;
    // What kept the records from being read or set aside may be over.
    recordsFile().retry();
    records();
}

bool ZelkProgram::countGame(bool won) {
    if (!recorder_) return false;
    recorder_->ended(won);
    const frmsaut* game = loadedAs<frmsaut>();
    if (!game) return false;
    // A level both won and lost in one tick ends lost: a later end of the
    // same game replaces its count.
    bool beaten = false;
    recordsFile().count(
        services().files(),
        {recordKey_, won, recorder_->ticks(), game->Timer1.interval(), energyLeft(*game)},
        std::exchange(counted_, true), beaten);
    sayRecordsNote();
    return beaten;
}

std::optional<level::Replay> ZelkProgram::recording() const {
    if (recorder_) return recorder_->replay();
    return fileReplay_;
}

int ZelkProgram::energyLeft(const frmsaut& game) {
    // An empty bar is empty, however far below nothing the energy fell.
    const double full = level::cint(gameOptions().life * kEnergyPerVie);
    return full > 0 ? std::max(0, static_cast<int>(std::lround(100 * game.energie / full))) : 0;
}

bool ZelkProgram::saveRecording(const QString& path, QString& whyNot) {
    const std::optional<level::Replay> r = recording();
    if (!r) {
        whyNot = QStringLiteral("Aucune partie n'a été jouée.");
        return false;
    }
    return writeReplay(path, *r, whyNot);
}

bool ZelkProgram::writeReplay(const QString& path, const level::Replay& r, QString& whyNot) {
    return level::writeReplayFile(services().files(), path, r, whyNot);
}

bool ZelkProgram::readReplay(const QString& path, level::Replay& out) {
    QString why;
    if (level::readReplayFile(services().files(), path, out, why)) return true;
    services().msgBox(why, tk::mb::OkOnly | tk::mb::Critical, QStringLiteral("Rejeu illisible"));
    return false;
}

bool ZelkProgram::checkReplay(const level::Replay& r, level::Outcome& outcome, int& ticks,
                              QString& where, level::Replay* retaken) {
    playing_.reset();  // its generator and options back first
    try {
        playing_ = std::make_unique<ReplayRun>(*this, r, false);
        if (retaken) playing_->retakeDigests();
    } catch (const level::RuntimeError& e) {
        // The reader takes only what the game can hold; should the game
        // still fail, that is said, not a crash.
        where = QStringLiteral("au début : ") + e.text();
        return false;
    }
    const bool same = playing_->runAll(where);
    outcome = playing_->outcome();
    ticks = playing_->ticks();
    if (retaken) *retaken = playing_->replay();
    playing_.reset();
    return same;
}

void ZelkProgram::playReplay(level::Replay r, bool tried, bool fromResult) {
    playing_.reset();  // its generator and options back first
    playing_ = std::make_unique<ReplayRun>(*this, std::move(r), tried);
    playing_->runTimed([this, fromResult](bool stopped) {
        // A game that ended shows its result by itself.
        if (!stopped && playing_->outcome() != level::Outcome::Unfinished) return;
        if (fromResult) {
            showResultScreen();
        } else {
            showMenu();
            unload<frmsaut>();
        }
    });
}

void ZelkProgram::watchReplay() {
    const frmsaut* game = loadedAs<frmsaut>();
    const bool tried = game && game->tried;
    if (recorder_) return playReplay(recorder_->replay(), tried, true);
    if (fileReplay_) playReplay(*fileReplay_, tried, true);
}

void ZelkProgram::keepReplay() {
    if (!recorder_ && !fileReplay_) return;
    const level::Replay r = recorder_ ? recorder_->replay() : *fileReplay_;
    tk::Services& sv = services();
    const QDir folder(QDir(sv.levelFolder()).filePath(QLatin1String(kReplayFolder)));
    // A long level name is shortened, so that the date and the type fit.
    const QString tail =
        u'-' + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HH'h'mm'm'ss")) +
        QStringLiteral(".rejeu");
    const QString base =
        cutToBytes(QFileInfo(r.levelName).completeBaseName(), kLongestName - tail.toUtf8().size());
    const QString path = folder.filePath(base + tail);
    QString why;
    if (!sv.files().makeFolder(folder.path(), why)) {
        why = QStringLiteral("le dossier « %1 » ne peut pas être créé : %2")
                  .arg(level::shown(QDir::toNativeSeparators(folder.path()), -1), why);
    } else if (level::writeReplayFile(sv.files(), path, r, why)) {
        sv.msgBox(QStringLiteral("Rejeu enregistré : ") +
                      level::shown(QDir::toNativeSeparators(path), -1),
                  tk::mb::OkOnly | tk::mb::Information, QStringLiteral("Enregistrer"));
        return;
    }
    sv.msgBox(QStringLiteral("Le rejeu n'a pas pu être enregistré : ") + why,
              tk::mb::OkOnly | tk::mb::Critical, QStringLiteral("Enregistrer"));
}

void ZelkProgram::startWithReplay(const QString& path) {
    prepareLevelFolder(services());
    showMenu();
    showReplayFile(path);
}

void ZelkProgram::showReplayFile(const QString& path) {
    level::Replay r;
    if (!readReplay(path, r)) return;
    recorder_.reset();
    fileReplay_ = r;
    // "Rejouer" plays its level as a game of the player's own.
    played_ = Played{r.level, r.levelName, false};
    listedAfter_ = r.levelName;
    playReplay(std::move(r), false, false);
}

QString ZelkProgram::solutionOf(const level::Level& l) {
    if (!solutions_) {
        // Read once a run: the shipped replays do not change while it runs.
        // Only their start is read, up to the level's fields, which the
        // replay writer writes as the records key them.
        solutions_.emplace();
        const QDir dir(QDir(services().dataFolder()).filePath(QLatin1String(kSolutionFolder)));
        for (const QString& name :
             dir.entryList({QStringLiteral("*.rejeu")}, QDir::Files, QDir::Name)) {
            QFile f(dir.filePath(name));
            if (!f.open(QIODevice::ReadOnly)) continue;
            for (int line = 0; line < 4; ++line) {
                const QByteArray text = f.readLine(4096).trimmed();
                if (text.startsWith("champs ")) solutions_->emplace(text.mid(7), f.fileName());
            }
        }
    }
    const auto it = solutions_->find(level::recordKey(l));
    return it == solutions_->end() ? QString() : it->second;
}

}  // namespace zelk
