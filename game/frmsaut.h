// The game screen: the window that shows the playing field of one level and
// hands it the user's keys, mouse and game pad; the field itself, its state
// and procedures are the headless Playfield's.
#pragma once

#include <cstdint>

#include "game/playfield.h"
#include "toolkit/screen.h"

class QTimer;

namespace zelk {

class ScreenMap;

class frmsaut : public tk::Screen, public Playfield {
    Q_OBJECT
    Q_PROPERTY(qint16 basesaut MEMBER basesaut)
    Q_PROPERTY(qint16 etat MEMBER etat)
    Q_PROPERTY(qint16 attente MEMBER attente)
    Q_PROPERTY(qint16 puiss MEMBER puiss)
    Q_PROPERTY(double delai MEMBER delai)
    Q_PROPERTY(qint16 plateau MEMBER plateau)
    Q_PROPERTY(qint16 retouroiseau MEMBER retouroiseau)
    Q_PROPERTY(float sourisx MEMBER sourisx)
    Q_PROPERTY(qint16 charge MEMBER charge)
    Q_PROPERTY(qint16 tuesgris MEMBER tuesgris)
    Q_PROPERTY(double energie MEMBER energie)
    Q_PROPERTY(qint16 nbvertes MEMBER nbvertes)
    Q_PROPERTY(qint16 nbgris MEMBER nbgris)
    Q_PROPERTY(qint32 pasgris MEMBER pasgris)
public:
    static constexpr const char* kName = "frmsaut";
    explicit frmsaut(tk::Program& program);

    void Form_Load() override;
    void Form_KeyPress(int ascii) override;
    void Form_KeyDown(int keyCode, int shift) override;
    void Form_KeyUp(int keyCode, int shift) override;
    void Form_MouseDown(int button, int shift, float x, float y) override;
    void Form_MouseUp(int button, int shift, float x, float y) override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    // The player left the window while the level runs: it pauses as Escape
    // pauses it.
    void Form_Deactivate() override;

    // The field's setup, and the caption naming the level.
    void setup();
    // The caption names the level's file.
    void showLevelName(const QString& name);
    // Started by the editor's "Essayer": the result screen leads back there.
    bool tried = false;

    // The options, read from the program's options model at each use.
    level::GameOptions gameOptions() const override;

    // The window's names and the field's: the driver and the tests reach both
    // through the screen.
    using tk::Screen::add;
    using tk::Screen::arrayIndices;
    using tk::Screen::backColor;
    using tk::Screen::control;
    using tk::Screen::countAnimator;
    using tk::Screen::dispatch;
    using tk::Screen::element;
    using tk::Screen::elementNamed;
    using tk::Screen::elementNames;
    using tk::Screen::isArray;
    using tk::Screen::nameOf;
    using tk::Screen::setBackColor;
    using tk::Screen::stats;
    using tk::Screen::tap;
    using tk::Screen::toolTipAt;

private:
    void levelOver(const QString& picture, const QString& standIn, bool won) override;
    // The pad read while the screen is shown (game/keys.cpp).
    void listenToPad();

    QTimer* padPoll_ = nullptr;  // reads the pad while the screen is shown
    ScreenMap& zelk_;            // the screens' map and the options
};

}  // namespace zelk
