// Helpers for the game tests: a playing field with no window, as a fresh game
// screen or with a level started on it; the program started on its main menu
// in a fresh folder, levels written and started through "JOUER"; elements
// placed.
#pragma once

#include <QtTest>

#include "app/program.h"
#include "game/frmaffpg.h"
#include "game/frmsaut.h"
#include "game/headless.h"
#include "game/rules.h"
#include "level/levelfile.h"
#include "level/options.h"
#include "menus/frmaut.h"
#include "menus/frmmenu.h"
#include "menus/frmopt.h"
#include "support.h"

// The player's jump states, as the tables name them.
namespace jump = zelk::jump;

namespace testing {

// A level line with the editor's start platforms and the given options.
inline QByteArray levelLine(int ois, int vitois, int nb, int nbg, const char* nbf) {
    return QByteArray(
               "8520,1920,1695,1095,5400,3120,1455,3135,3360,9240,1455,3135,2640,2040,1455,3135,"
               "3120,5880,1455,3135,5520,7560,1455,3135,") +
           QByteArray::number(ois) + ',' + QByteArray::number(vitois) + ',' +
           QByteArray::number(nb) + ',' + QByteArray::number(nbg) + ",\"" + nbf + "\"\r\n";
}

// The offscreen platform cannot raise windows and says so every time.
inline void quietRaiseWarnings() {
    static QtMessageHandler previous = nullptr;
    static bool installed = false;
    if (installed) return;
    installed = true;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message.contains(QLatin1String("does not support raise"))) return;
            if (previous) previous(type, context, message);
        });
}

// The field with no window and no program: set up as a fresh game screen
// is, with a fresh player's options.
class Field {
public:
    Field() : game(fx.services(), level::optionsOf(level::EnemyOptions())) {
        game.setup();
        fx.takeLog();
    }

    // Starts a level line as "JOUER" starts it: its enemy options, a fresh
    // player's game options, tick and sky.
    void play(const QByteArray& line) {
        const QString name = QStringLiteral("test.lev");
        level::Record record;
        level::Error err;
        level::Level lev;
        QVERIFY2(
            level::parse(line, name, record, err) && level::decodeForGame(record, name, lev, err),
            qPrintable(err.message()));
        game.options = level::optionsOf(level::EnemyOptions::of(lev));
        const level::GameSettings fresh;
        game.start(lev, fresh.dep, fresh.jour);
    }

    Fixture fx;
    zelk::HeadlessGame game;
};

class Game {
public:
    Game() : program(fx.services(), true) {
        quietRaiseWarnings();
        program.show<zelk::frmmenu>();
        program.collectGarbage();
        fx.takeLog();
    }

    // The game screen as a fresh one looks with the layout's platforms.
    zelk::frmsaut& screen() { return program.get<zelk::frmsaut>(); }

    // Writes a level and starts it with "JOUER"; the warning box is answered.
    void play(const QByteArray& line, const QString& name = QStringLiteral("test.lev")) {
        if (!line.isNull()) fx.writeFile(name, line);
        zelk::frmmenu& menu = program.get<zelk::frmmenu>();
        menu.File1.refresh();
        menu.File1.setFileName(name);
        menu.Command1.click();
        program.collectGarbage();
    }
    zelk::frmsaut* game() { return program.loadedAs<zelk::frmsaut>(); }
    zelk::frmopt& opt() { return program.get<zelk::frmopt>(); }
    zelk::frmaut& aut() { return program.get<zelk::frmaut>(); }

    Fixture fx;
    zelk::ZelkProgram program;
};

// Puts a picture or shape with its top-left corner at (left, top).
inline void place(tk::Element& e, float left, float top) {
    e.Left = left;
    e.Top = top;
}

// A clean field: every enemy and the vial hidden.
inline void clearField(zelk::Playfield& s) {
    for (int i : s.mech1.indices())
        s.mech1(i).Visible = false;
    for (int k = 1; k <= zelk::kShapeCount; ++k)
        s.mech2(k).Visible = false;
    s.mech3.Visible = false;
    s.fiole.Visible = false;
}

}  // namespace testing
