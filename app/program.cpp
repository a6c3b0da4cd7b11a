#include "program.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

#include "app/levelfolder.h"
#include "app/replays.h"
#include "app/screens.h"
#include "editor/frmedit.h"
#include "game/frmaffpg.h"
#include "game/frmsaut.h"
#include "menus/avert.h"
#include "menus/frmaut.h"
#include "menus/frmfin.h"
#include "menus/frmmenu.h"
#include "menus/frmopt.h"

// The pictures are compiled into the core library; a static library's resource
// table is only linked in when something refers to it.
static void initArt() {
    Q_INIT_RESOURCE(art);
}

namespace zelk {

ZelkProgram::ZelkProgram(tk::Services& services, bool frozenTime)
    : tk::Program(services, frozenTime), pad_(tk::systemGamepad(frozenTime)) {
    initArt();
    registerScreens(*this);
}

ZelkProgram::~ZelkProgram() = default;

void ZelkProgram::start() {
    // The player's level folder is made ready before any screen lists it.
    prepareLevelFolder(services());
    show<avert>();
}

// ---- Moving between screens.

void ZelkProgram::showMenu() {
    show<frmmenu>().showRecord();
    if (!levelAtStart_.isEmpty()) openLevelFile(std::exchange(levelAtStart_, QString()));
}

void ZelkProgram::openLevelFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    // A replay plays over the menu, as given to zelk at the start.
    if (name.endsWith(QLatin1String(".rejeu"), Qt::CaseInsensitive)) return showReplayFile(path);
    if (!name.endsWith(QLatin1String(".lev"), Qt::CaseInsensitive)) {
        services().msgBox(
            QStringLiteral("%1 n'est pas un niveau : les niveaux sont les fichiers .lev.")
                .arg(level::shown(name, -1)),
            tk::mb::OkOnly | tk::mb::Critical, QStringLiteral("Niveau illisible"));
        return;
    }
    level::Level lev;
    if (!readLevel(path, name, level::decodeForGame, lev)) return;
    if (!copyIntoLevelFolder(services(), path)) return;
    frmmenu& menu = get<frmmenu>();
    menu.File1.refresh();
    menu.File1.setFileName(name);
    menu.showRecord();
}

void ZelkProgram::refreshLevelList() {
    get<frmmenu>().File1.refresh();
}

void ZelkProgram::loadOptionScreens() {
    show<frmsaut>();
    unload<frmsaut>();
    // Minimised before it is shown, so that it never flashes up.
    get<frmaut>().setWindowState(tk::Minimized);
    show<frmaut>();
}

void ZelkProgram::openEditor() {
    show<frmedit>().setWindowState(tk::Maximized);
}

void ZelkProgram::showGameOptions() {
    show<frmaut>().setWindowState(tk::Normal);
}

void ZelkProgram::showEnemyOptions() {
    show<frmopt>().setWindowState(tk::Normal);
}

void ZelkProgram::enemyOptionsChosen() {
    show<frmedit>().optionsChosen();
}

void ZelkProgram::enemyOptionsClosed() {
    if (frmedit* ed = loadedAs<frmedit>()) ed->optionsClosed();
}

frmaffpg& ZelkProgram::showResultScreen() {
    frmaffpg& result = show<frmaffpg>();
    // Over the game it ends, whichever of the two the player clicks, until "Menu".
    result.keepAbove(loadedAs<frmsaut>());
    return result;
}

void ZelkProgram::showResult(const QString& picture, const QString& standInText, bool won) {
    frmaffpg& result = showResultScreen();
    result.showPicture(picture, standInText, won);
    if (const frmsaut* game = loadedAs<frmsaut>()) {
        // Both count the tick that ends the game.
        const int ticks = playing_ ? playing_->ticks() : recorder_ ? recorder_->ticks() : 0;
        result.showOutcome(won, qint64{ticks} * game->Timer1.interval(), energyLeft(*game),
                           hasNextLevel());
    }
    // A replay shown is not a game played.
    if (playing_) {
        playing_->ended(won);
    } else {
        result.showRecord(countGame(won));
    }
}

void ZelkProgram::leaveResult() {
    playing_.reset();
    const frmsaut* game = loadedAs<frmsaut>();
    if (game && game->tried && loadedAs<frmedit>()) {
        openEditor();
    } else {
        showMenu();
    }
    unload<frmsaut>();
    unload<frmaffpg>();
}

void ZelkProgram::endGame() {
    if (!loadedAs<frmsaut>()) return;
    if (playing_) {
        playing_.reset();  // a replay shown: only stopped
    } else if (!loadedAs<frmaffpg>() && recorder_ && recorder_->ticks() > 0) {
        countGame(false);  // a game left before its end was played, not won
    }
    unload<frmaffpg>();
    unload<frmsaut>();
}

void ZelkProgram::quitFromMenu() {
    // Unsaved work in the editor first: kept when the author goes back to
    // it; the editor goes, saved or not, so that the end screen is all that
    // is left.
    if (frmedit* ed = loadedAs<frmedit>()) {
        if (!ed->mayLeave()) return;
        unload<frmedit>();
    }
    endGame();
    unload<frmmenu>();
    unload<frmaut>();
    show<frmfin>();
}

void ZelkProgram::quitFromEditor() {
    if (!get<frmedit>().mayLeave()) return;
    endGame();
    show<frmfin>();
    unload<frmmenu>();
    unload<frmedit>();
    unload<frmaut>();
}

bool ZelkProgram::readRecord(const QString& path, level::Record& record, level::Error& err) {
    return level::read(path, services().files(), record, err);
}

void ZelkProgram::sayUnreadable(const level::Error& err) {
    services().msgBox(err.message(), tk::mb::OkOnly | tk::mb::Critical,
                      QStringLiteral("Niveau illisible"));
}

// ---- The options.

const level::EnemyOptions& ZelkProgram::enemyOptions() {
    get<frmopt>();
    return options_.enemy();
}

const level::GameSettings& ZelkProgram::gameSettings() {
    get<frmaut>();
    return options_.settings();
}

void ZelkProgram::setEnemyOptions(const level::EnemyOptions& e) {
    frmopt& screen = get<frmopt>();  // its load before, which sets its start values
    options_.editEnemy() = e;
    screen.apply(e);
}

// ---- Reads that cross screens.

level::GameOptions ZelkProgram::gameOptions() {
    // Both screens loaded, frmopt first; looked up again only after a screen
    // was loaded or unloaded (the game reads its options many times a tick).
    if (!options_.replayed() && optionsLoadedAt_ != screenChanges()) {
        enemyOptions();
        gameSettings();
        if (loadedAs<frmopt>() && loadedAs<frmaut>()) optionsLoadedAt_ = screenChanges();
    }
    return options_.game();
}

void ZelkProgram::applyEnemyOptions(const level::Level& l) {
    setEnemyOptions(level::EnemyOptions::of(l));
}

void ZelkProgram::storeEnemyOptions(level::Level& l) {
    enemyOptions().into(l);
}

void ZelkProgram::enemyOptionDefaults(level::Level& l) {
    level::EnemyOptions{}.into(l);
}

QString ZelkProgram::selectedLevelName(bool loadMenu) {
    const frmmenu* menu = loadMenu ? &get<frmmenu>() : loadedAs<frmmenu>();
    return menu ? menu->File1.fileName() : QString();
}

QString ZelkProgram::selectedLevelPath() {
    return get<frmmenu>().selectedPath();
}

float ZelkProgram::gameScreenWidth() const {
    // The game screen is laid out on the playfield and never resized.
    return level::kPlayfieldWidth + tk::kFrameWidth;
}

QRectF ZelkProgram::gameGround() {
    const tk::Shape& g = get<frmsaut>().Shape1(1);
    return {g.Left, g.Top, g.Width, g.Height};
}

QRectF ZelkProgram::gameCloud(int index) {
    const tk::Picture& c = get<frmsaut>().nuage1(index);
    return {c.Left, c.Top, c.Width, c.Height};
}

}  // namespace zelk
