// The Zelk program object: knows every screen of the game and starts on the
// first one. It is the one map of which screen shows which (the verbs below)
// and of every read that crosses screens: a screen of game/, editor/ or
// menus/ reaches another folder's screens only through it.
#pragma once

#include <QRectF>
#include <QString>
#include <cstdint>

#include "level/levelfile.h"
#include "toolkit/program.h"

namespace zelk {

class ZelkProgram : public tk::Program {
    Q_OBJECT
public:
    ZelkProgram(tk::Services& services, bool frozenTime);
    void start() override;
    static constexpr const char* kTitle = "Zelk";
    QString title() const override { return QString::fromLatin1(kTitle); }

    // The program object of a screen of the game.
    static ZelkProgram& of(tk::Program& program) { return static_cast<ZelkProgram&>(program); }

    // The loop counter shared by the whole program: the game's platform loops
    // (the player's landing, the grey frogs). Every user sets it first.
    int16_t cpt = 0;

    // ---- Moving between screens.

    // The main menu, from the start-up warning, the editor or the result.
    void showMenu();
    // The menu's level list read again (the editor may have saved one).
    void refreshLevelList();
    // The menu's own load: the game screen is created and discarded once (its
    // setup loads the option screens with their start values), then the game
    // options are loaded minimised.
    void loadOptionScreens();
    void openEditor();
    void showGameOptions();
    void showEnemyOptions();
    // The enemy options' OK, and their screen unloaded: the editor takes note.
    void enemyOptionsChosen();
    void enemyOptionsClosed();
    // A level from elsewhere (the command line, a file dropped on the menu):
    // read with the game's reader, copied into the level folder (asking
    // before replacing another level of that name) and selected in the menu.
    void openLevelFile(const QString& path);
    // The level to open when the menu first shows, after the start-up warning.
    void openAtStart(const QString& path) { levelAtStart_ = path; }
    // "JOUER": the level selected in the menu.
    void startLevel();
    // "Essayer": the editor's level as it stands, no file written; the game
    // then leads back to the editor when it ends.
    void tryLevel(const level::Level& edited, const QString& name);
    // The end of a level: the result screen with its picture.
    void showResult(const QString& picture, const QString& standInText, bool won);
    // The result's "Menu": back to the editor after a try, else to the menu.
    void leaveResult();
    // "QUITTER" from the menu and "Quitter" from the editor: the end screen
    // is all that is left (each in its own order of unloads).
    void quitFromMenu();
    void quitFromEditor();

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
        if (level::read(path, services().files(), record, err) && decode(record, name, out, err))
            return true;
        sayUnreadable(err);
        return false;
    }
    void sayUnreadable(const level::Error& err);

    // ---- Reads that cross screens, live from the controls at every call.

    int birdOption();
    int birdSpeed();
    int greenOption();
    int greyToKill();
    QString vialsOption();
    int lifeOption();
    int greyOnScreen();
    // A level's enemy options into the options screen, and back.
    void applyEnemyOptions(const level::Level& l);
    void storeEnemyOptions(level::Level& l);
    // The level selected in the menu's list, and its path. The game's own
    // setup reads the name without loading the menu (whose load creates a
    // game screen): empty when the menu is not there.
    QString selectedLevelName(bool loadMenu = true);
    QString selectedLevelPath();
    // The game screen's outer width, the editor's right-hand limit.
    static float gameScreenWidth();
    // The game screen's ground and clouds (1 to 3) as laid out, for the preview.
    QRectF gameGround();
    QRectF gameCloud(int index);

private:
    QString levelAtStart_;
};

}  // namespace zelk
