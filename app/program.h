// The Zelk program object: knows every screen of the game and starts on the
// first one. It is the one map of which screen shows which (the verbs below)
// and of every read that crosses screens; the screens of game/, editor/ and
// menus/ see it as their ScreenMap (map/screenmap.h).
#pragma once

#include <QRectF>
#include <QString>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>

#include "level/levelfile.h"
#include "level/options.h"
#include "level/records.h"
#include "level/replay.h"
#include "map/screenmap.h"
#include "toolkit/gamepad.h"
#include "toolkit/program.h"

namespace zelk {

class frmaffpg;
class frmsaut;
class GameRecorder;
class ReplayRun;

class ZelkProgram : public tk::Program, public ScreenMap {
    Q_OBJECT
public:
    ZelkProgram(tk::Services& services, bool frozenTime);
    ~ZelkProgram() override;
    void start() override;
    // The start with a replay file to show (zelk FILE.rejeu): the main menu,
    // and the replay over it.
    void startWithReplay(const QString& path);
    static constexpr const char* kTitle = "Zelk";
    QString title() const override { return QString::fromLatin1(kTitle); }
    // The first pad found; driven (time frozen), the program's own pad alone.
    tk::Gamepad* gamepad() override { return pad_.get(); }

    // ---- Moving between screens.

    // The main menu, from the start-up warning, the editor or the result.
    void showMenu() override;
    // The menu's level list read again (the editor may have saved one).
    void refreshLevelList() override;
    // The menu's own load: the game screen is created and discarded once (its
    // setup loads the option screens with their start values), then the game
    // options are loaded minimised.
    void loadOptionScreens() override;
    void openEditor() override;
    void showGameOptions() override;
    void showEnemyOptions() override;
    // The enemy options' OK, and their screen unloaded: the editor takes note.
    void enemyOptionsChosen() override;
    void enemyOptionsClosed() override;
    // A level from elsewhere (the command line, a file dropped on the menu):
    // read with the game's reader, copied into the level folder (asking
    // before replacing another level of that name) and selected in the menu.
    // A replay (.rejeu) is shown instead, as showReplayFile does.
    void openLevelFile(const QString& path) override;
    // The level to open when the menu first shows, after the start-up warning.
    void openAtStart(const QString& path) { levelAtStart_ = path; }
    // "JOUER": the level selected in the menu.
    void startLevel() override;
    // "Essayer": the editor's level as it stands, no file written; the game
    // then leads back to the editor when it ends.
    void tryLevel(const level::Level& edited, const QString& name) override;
    // The end of a level: the result screen with its picture.
    frmaffpg& showResultScreen();
    void showResult(const QString& picture, const QString& standInText, bool won) override;
    // The result's "Menu": back to the editor after a try, else to the menu.
    void leaveResult() override;
    // The result's "Rejouer": the level of the game it ends as it was played
    // (after "Essayer" the level as tried), with the options as they are,
    // straight to the paused game.
    void replayLevel() override;
    // The result's "Niveau suivant": the level after that one in the menu's
    // list (after the last, the first), read and started as "JOUER" does and
    // selected there; one that cannot be read is said, the result stays, and
    // the next press goes on past it. Never after "Essayer".
    void nextLevel() override;
    // The result's "Revoir": the game just shown, played again in the game
    // screen at the speed it was played; the result screen comes back at its
    // end or when Escape stops it.
    void watchReplay() override;
    // The result's "Enregistrer": that game into the level folder's "rejeux/".
    void keepReplay() override;
    // A replay file shown over the menu ("SOLUTION", zelk FILE.rejeu).
    void showReplayFile(const QString& path) override;
    // The shipped winning replay of a level (the data folder's "solutions/"),
    // found by the level's fields, so a sample level copied or renamed keeps
    // it; empty when there is none.
    QString solutionOf(const level::Level& l) override;
    // "QUITTER" from the menu and "Quitter" from the editor: the end screen
    // is all that is left (each in its own order of unloads).
    void quitFromMenu() override;
    void quitFromEditor() override;
    // A level still on the screen when the game is quit: a game in progress
    // ends (counted as played), a replay stops; the game and result screens go.
    void endGame();

    // ---- Records and replays (app/records.cpp).

    // The player's records: the level folder's file, read again only when it
    // changed; what happens to a damaged or unreadable one is said once.
    const level::Records& records();
    level::LevelRecord recordOf(const level::Level& l) override;
    // The replay of the game being played or last played (the driver's
    // savereplay); false with the reason when there is none or it cannot be written.
    bool saveRecording(const QString& path, QString& whyNot) override;
    // That replay as it stands; none before the first game.
    std::optional<level::Replay> recording() const;
    // A replay file read or refused with a message box.
    bool readReplay(const QString& path, level::Replay& out);
    // Plays a replay headless through at once: true when it ends as
    // recorded, with its outcome and ticks; else `where` says where it
    // stopped agreeing.
    // Given `retaken`, the digests are not compared but taken again as it
    // plays, and the replay is put there in the current version.
    bool checkReplay(const level::Replay& r, level::Outcome& outcome, int& ticks, QString& where,
                     level::Replay* retaken = nullptr);
    // Writes a replay file; false with the reason when it cannot be, or
    // would be too large to read back.
    bool writeReplay(const QString& path, const level::Replay& r, QString& whyNot);
    // The options a game reads, and a replay's instead of them while one plays.
    level::GameOptions gameOptions() override;
    void overrideOptions(const level::GameOptions* options) { options_.playBack(options); }
    // A fresh game screen with a level (options already in place), its timer
    // interval and sky; `applyLevelOptions` puts the level's enemy options
    // into the model first.
    frmsaut& launch(const level::Level& lev, const QString& name, int tickMs, bool day,
                    bool applyLevelOptions);

    // ---- Reading a level or saying why not.

    // ScreenMap::readLevel's file read, through the program's files, and its
    // message box when the level cannot be used.
    bool readRecord(const QString& path, level::Record& record, level::Error& err) override;
    void sayUnreadable(const level::Error& err) override;

    // ---- The options: one model, which frmaut and frmopt edit.

    // For those two screens' handlers; anyone else reads through the calls below.
    level::OptionsModel& options() override { return options_; }
    // The player's options. A read loads their screen first when it is not
    // there, as touching it always did: its load puts in its start values
    // (frmopt) or the kept ones (frmaut).
    const level::EnemyOptions& enemyOptions();
    const level::GameSettings& gameSettings();
    // The player's enemy options set from code, shown by frmopt's controls
    // (their handlers run as for the user's changes).
    void setEnemyOptions(const level::EnemyOptions& e);

    // ---- Reads that cross screens: the model's values, a replay's while
    // one plays, at every call (a change made while a level runs counts at once).

    // A level's enemy options into the model, and back.
    void applyEnemyOptions(const level::Level& l) override;
    void storeEnemyOptions(level::Level& l) override;
    // The enemy options a new level starts with.
    void enemyOptionDefaults(level::Level& l) override;
    // The level selected in the menu's list, and its path. The game's own
    // setup reads the name without loading the menu (whose load creates a
    // game screen): empty when the menu is not there.
    QString selectedLevelName(bool loadMenu = true) override;
    QString selectedLevelPath() override;
    // The game screen's outer width, the editor's right-hand limit.
    float gameScreenWidth() const override;
    // The game screen's ground and clouds (1 to 3) as laid out, for the preview.
    QRectF gameGround() override;
    QRectF gameCloud(int index) override;

private:
    frmsaut& play(const level::Level& lev, const QString& name, bool tried);
    // The display warning "JOUER" shows; "Rejouer" and "Niveau suivant" show
    // it only when no start did in this run.
    void warn();
    bool hasNextLevel() const;
    // The energy a game has left as the player sees it: the share of the bar
    // still full, percent.
    int energyLeft(const frmsaut& game);
    void startRecording(frmsaut& game, const level::Level& lev, const QString& name);
    void playReplay(level::Replay r, bool tried, bool fromResult);
    // The game's end counted in the records; true for a new best.
    bool countGame(bool won);
    level::RecordsFile& recordsFile();
    void sayRecordsNote();
    std::unique_ptr<tk::Gamepad> pad_;
    std::unique_ptr<GameRecorder> recorder_;
    std::unique_ptr<ReplayRun> playing_;
    std::optional<level::Replay> fileReplay_;  // the replay file shown last
    level::OptionsModel options_;
    std::optional<unsigned> optionsLoadedAt_;  // the screen changes when both were loaded
    std::optional<level::RecordsFile> records_;
    QByteArray recordKey_;
    bool counted_ = false;      // the game being recorded has ended once
    bool triedBefore_ = false;  // "Essayer" warns about the display once a run
    bool warned_ = false;       // a start warned about the display in this run
    // The level of the game last started or replay file shown, for
    // "Rejouer", and the menu's level "Niveau suivant" goes on from.
    struct Played {
        level::Level level;
        QString name;
        bool tried = false;
    };
    std::optional<Played> played_;
    QString listedAfter_;
    QString levelAtStart_;
    std::optional<std::map<QByteArray, QString>> solutions_;  // level fields -> replay
};

}  // namespace zelk
