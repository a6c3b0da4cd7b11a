// Starting a level: the one selected in the main menu ("JOUER"), the
// editor's level as it stands ("Essayer"), which writes no file, and from the
// result screen the same level again or the next one of the menu's list.
#include <QDir>
#include <QPainter>
#include <QPainterPath>

#include "app/program.h"
#include "game/frmaffpg.h"
#include "game/frmsaut.h"
#include "game/platforms.h"
#include "game/sky.h"
#include "level/levelfile.h"
#include "menus/frmmenu.h"

namespace zelk {

namespace {

// A drawn sun or moon, for when the sky picture of the data folder is
// missing.
QImage skyStandIn(bool day) {
    QImage img(65, 71, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    const QRectF disc(6, 9, 53, 53);
    if (day) {
        p.setBrush(QColor(255, 236, 64));
        p.drawEllipse(disc);
    } else {
        QPainterPath moon;
        moon.addEllipse(disc);
        QPainterPath bite;
        bite.addEllipse(disc.translated(16, -8));
        p.setBrush(QColor(240, 240, 210));
        p.drawPath(moon.subtracted(bite));
    }
    return img;
}

// Fields 1 to 4, whole 16-bit numbers, are kept by the menu as its summary does.
void keepFirstFields(frmmenu& menu, const level::Level& lev) {
    menu.champ1 = static_cast<qint16>(lev.top(0));
    menu.champ2 = static_cast<qint16>(lev.left(0));
    menu.champ3 = static_cast<qint16>(lev.height(0));
    menu.champ4 = static_cast<qint16>(lev.width(0));
}

}  // namespace

// The warning box the starts show first.
void ZelkProgram::warn() {
    warned_ = true;
    QString warning = QStringLiteral(
        "Attention! Verifiez que vous êtes passez en 1024*768 et que le "
        "menu démarrer soit bien abaissé   ");
    if (gameSettings().ram == 1)
        warning += QStringLiteral(
            "Attention!, vous êtes en mode ramage, le jeu va donc simuler ce "
            "jeu en jeu qui rame!");
    services().msgBox(warning, tk::mb::OkOnly | tk::mb::Information,
                      QStringLiteral("Avertissement!"));
}

// The one start of a level read and checked by the game's reader: a fresh
// game screen with its platforms, paused.
frmsaut& ZelkProgram::launch(const level::Level& lev, const QString& name, int tickMs, bool day,
                             bool applyLevelOptions) {
    tk::Program& program = *this;
    tk::Services& sv = program.services();
    if (applyLevelOptions) applyEnemyOptions(lev);

    program.unload<frmsaut>();
    frmsaut& game = program.get<frmsaut>();
    applyPlatforms(game.Shape1, lev);
    game.setup();
    game.showLevelName(name);
    program.show<frmsaut>();

    game.Timer1.setInterval(tickMs);
    game.setBackColor(day ? kDaySky : kNightSky);
    const QString sky = day ? QStringLiteral("sol.gif") : QStringLiteral("lune.gif");
    QImage img(QDir(sv.dataFolder()).filePath(sky));
    if (img.isNull()) img = skyStandIn(day);
    game.tem.setImage(img, sky);
    return game;
}

// A game started by the player: its options from the model, and recorded
// from its first event.
frmsaut& ZelkProgram::play(const level::Level& lev, const QString& name, bool tried) {
    gameSettings();  // frmaut loaded first when it is not; launch loads frmopt
    frmsaut& game = launch(lev, name, options_.tickMs(), options_.day(), true);
    game.tried = tried;
    startRecording(game, lev, name);
    played_ = Played{lev, name, tried};
    listedAfter_ = name;
    return game;
}

void ZelkProgram::startLevel() {
    tk::Program& program = *this;
    frmmenu& menu = program.get<frmmenu>();
    const QString name = menu.File1.fileName();
    if (name.isEmpty()) return;
    warn();

    level::Level lev;
    if (!readLevel(menu.selectedPath(), name, level::decodeForGame, lev)) return;
    keepFirstFields(menu, lev);
    play(lev, name, false);
}

void ZelkProgram::replayLevel() {
    if (!played_) return;
    const Played again = *played_;
    if (!warned_) warn();
    unload<frmaffpg>();
    play(again.level, again.name, again.tried);
}

bool ZelkProgram::hasNextLevel() const {
    const frmmenu* menu = loadedAs<frmmenu>();
    return played_ && !played_->tried && menu && menu->File1.listCount() > 0;
}

void ZelkProgram::nextLevel() {
    if (!hasNextLevel()) return;
    frmmenu& menu = get<frmmenu>();
    const tk::FileListBox& list = menu.File1;
    // The one after the level played, in the list as it is now; a level no
    // longer listed goes on from the first.
    int next = 0;
    for (int k = 0; k < list.listCount(); ++k)
        if (list.list(k) == listedAfter_) next = (k + 1) % list.listCount();
    const QString name = list.list(next);
    if (!warned_) warn();
    listedAfter_ = name;

    level::Level lev;
    if (!readLevel(QDir(services().levelFolder()).filePath(name), name, level::decodeForGame, lev))
        return;
    menu.File1.setFileName(name);
    keepFirstFields(menu, lev);
    unload<frmaffpg>();
    play(lev, name, false);
}

void ZelkProgram::tryLevel(const level::Level& edited, const QString& name) {
    if (!triedBefore_) warn();
    triedBefore_ = true;
    // Through the bytes a save would write and the game's reader, so that the
    // game is the one "JOUER" would start on a saved copy.
    level::Record record;
    level::Error err;
    level::Level lev;
    if (!level::parse(level::format(edited), name, record, err) ||
        !level::decodeForGame(record, name, lev, err)) {
        sayUnreadable(err);
        return;
    }
    play(lev, name, true);
}

}  // namespace zelk
