// What the screens of game/, editor/ and menus/ ask of the program: the moves
// to another screen and the reads that cross screens. The program object
// implements it; a screen reaches another folder's screens only through it,
// so no screen folder depends on app/ or on another folder's screens.
#pragma once

#include <QRectF>
#include <QString>
#include <cstdint>

#include "level/levelfile.h"
#include "level/options.h"
#include "level/records.h"
#include "toolkit/program.h"

namespace zelk {

class ScreenMap {
public:
    // The map of a screen's program: the game's program object is one.
    static ScreenMap& of(tk::Program& program) { return dynamic_cast<ScreenMap&>(program); }

    // ---- Moving between screens.

    // The main menu, from the start-up warning, the editor or the result.
    virtual void showMenu() = 0;
    // The menu's level list read again (the editor may have saved one).
    virtual void refreshLevelList() = 0;
    // The menu's own load: the game screen is created and discarded once (its
    // setup loads the option screens with their start values), then the game
    // options are loaded minimised.
    virtual void loadOptionScreens() = 0;
    virtual void openEditor() = 0;
    virtual void showGameOptions() = 0;
    virtual void showEnemyOptions() = 0;
    // The enemy options' OK, and their screen unloaded: the editor takes note.
    virtual void enemyOptionsChosen() = 0;
    virtual void enemyOptionsClosed() = 0;
    // A level from elsewhere (a file dropped on the menu): read, copied into
    // the level folder and selected in the menu; a replay is shown instead.
    virtual void openLevelFile(const QString& path) = 0;
    // "JOUER": the level selected in the menu.
    virtual void startLevel() = 0;
    // "Essayer": the editor's level as it stands, no file written.
    virtual void tryLevel(const level::Level& edited, const QString& name) = 0;
    // The end of a level: the result screen with its picture.
    virtual void showResult(const QString& picture, const QString& standInText, bool won) = 0;
    // The result's buttons: "Menu", "Rejouer", "Niveau suivant", "Revoir"
    // and "Enregistrer".
    virtual void leaveResult() = 0;
    virtual void replayLevel() = 0;
    virtual void nextLevel() = 0;
    virtual void watchReplay() = 0;
    virtual void keepReplay() = 0;
    // A replay file shown over the menu ("SOLUTION").
    virtual void showReplayFile(const QString& path) = 0;
    // The shipped winning replay of a level; empty when there is none.
    virtual QString solutionOf(const level::Level& l) = 0;
    // "QUITTER" from the menu and "Quitter" from the editor.
    virtual void quitFromMenu() = 0;
    virtual void quitFromEditor() = 0;

    // ---- Records.

    virtual level::LevelRecord recordOf(const level::Level& l) = 0;

    // ---- Reading a level or saying why not.

    // Reads the level file at path, checked whole by decode (one of the
    // codec's readers, which names the file as name) before anything changes;
    // false after a message box that says why it cannot be used.
    template <class Out>
    bool readLevel(const QString& path, const QString& name,
                   bool (*decode)(const level::Record&, const QString&, Out&, level::Error&),
                   Out& out) {
        level::Record record;
        level::Error err;
        if (readRecord(path, record, err) && decode(record, name, out, err)) return true;
        sayUnreadable(err);
        return false;
    }
    // The file's record as the program's files give it.
    virtual bool readRecord(const QString& path, level::Record& record, level::Error& err) = 0;
    virtual void sayUnreadable(const level::Error& err) = 0;

    // ---- The options: one model, which the two option screens edit.

    // For their controls' handlers; anyone else reads through the calls below.
    virtual level::OptionsModel& options() = 0;
    // The options a game reads: the model's values, a replay's while one
    // plays, at every call.
    virtual level::GameOptions gameOptions() = 0;
    // A level's enemy options into the model, and back.
    virtual void applyEnemyOptions(const level::Level& l) = 0;
    virtual void storeEnemyOptions(level::Level& l) = 0;
    // The enemy options a new level starts with.
    virtual void enemyOptionDefaults(level::Level& l) = 0;

    // ---- Reads of other screens.

    // The level selected in the menu's list, and its path. The game's own
    // setup reads the name without loading the menu: empty when it is not there.
    virtual QString selectedLevelName(bool loadMenu = true) = 0;
    virtual QString selectedLevelPath() = 0;
    // The game screen's outer width, the editor's right-hand limit.
    virtual float gameScreenWidth() const = 0;
    // The game screen's ground and clouds (1 to 3) as laid out, for the preview.
    virtual QRectF gameGround() = 0;
    virtual QRectF gameCloud(int index) = 0;

protected:
    ScreenMap() = default;
    ScreenMap(const ScreenMap&) = delete;
    ScreenMap& operator=(const ScreenMap&) = delete;
    ~ScreenMap() = default;
};

}  // namespace zelk
