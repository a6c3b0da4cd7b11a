// Velmo's only screen: the jump test bed. The player is steered with the
// keyboard and the mouse buttons and jumps, falls and lands on seven
// platforms, driven by three timers.
#pragma once

#include <cstdint>

#include "toolkit/screen.h"

namespace velmo {

class frmsaut : public tk::Screen {
    Q_OBJECT
    Q_PROPERTY(int16_t basesaut MEMBER basesaut)
    Q_PROPERTY(int16_t etat MEMBER etat)
    Q_PROPERTY(int16_t attente MEMBER attente)
    Q_PROPERTY(int16_t sens MEMBER sens)
    Q_PROPERTY(int16_t puiss MEMBER puiss)
    Q_PROPERTY(double delai MEMBER delai)
    Q_PROPERTY(int16_t plateau MEMBER plateau)
public:
    static constexpr const char* kName = "frmsaut";
    explicit frmsaut(tk::Program& program);

    // Jump states (etat).
    enum : int16_t { Standing = 0, Rising = 1, Falling = 2, Pausing = 3 };
    // Horizontal commands (sens).
    enum : int16_t { Still = 0, LeftFast = 1, RightFast = 2, RightSlow = 3, LeftSlow = 4 };

    void Form_Load() override;
    void Form_KeyDown(int keyCode, int shift) override;
    void Form_KeyUp(int keyCode, int shift) override;
    void Form_MouseUp(int button, int shift, float x, float y) override;

    // Drawn elements, back to front.
    tk::Picture nuage1, nuage2, nuage3;
    tk::Picture mech1, mech2, mech3;
    tk::ElementArray<tk::Shape> Shape1;
    tk::Shape vie, div2, hsauts, div1;
    tk::Shape joueur;

    tk::Timer Timer1, Timer2, Timerhsaut;

    // The player's top when he last stood on something.
    int16_t basesaut = 0;
    int16_t etat = Standing;
    // Timer1 ticks left in the pause at the top of a jump.
    int16_t attente = 0;
    int16_t sens = Still;
    // Charged power: the jump's height in twips.
    int16_t puiss = 0;
    // Timerhsaut ticks left before the charge is dropped.
    double delai = 0;
    // The platform last landed on, 0 before the first landing.
    int16_t plateau = 0;

private:
    void Timer1_Timer();
    void Timer2_Timer();
    void Timerhsaut_Timer();
    void standOn(const tk::Shape& p);
};

}  // namespace velmo
