// A level shown on every screen that draws one, as a player reaches them:
// the menu's preview ("VOIR"), the game screen ("JOUER") and its first
// ticks, and the editor ("Ouvrir..."), each drawn offscreen the way its
// window is painted. The drawing fuzzer and the level benchmark use it.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>
#include <vector>

#include "app/program.h"
#include "toolkit/scriptedservices.h"

namespace testing {

class LevelScreens {
public:
    // A program on a program folder of its own holding the pictures of
    // `assets` (the source tree's assets folder).
    explicit LevelScreens(const QString& assets);

    // Writes the level and shows it on the preview, the game screen and the
    // editor: false when no reader takes it (the screens are left as they
    // were). Messages are answered as a player would.
    bool show(const QByteArray& level);
    // Game ticks after the start; the level must have been shown.
    void tick(int n);
    // The screens the level reached and that are shown: the preview, the
    // game screen, the result screen, the editor.
    std::vector<tk::Screen*> shown();
    // A screen drawn into `into` as its window is painted (at its size).
    static void draw(tk::Screen& s, QImage& into);

    zelk::ZelkProgram& program() { return program_; }

private:
    QTemporaryDir folder_;
    tk::ScriptedServices services_;
    zelk::ZelkProgram program_;
};

}  // namespace testing
