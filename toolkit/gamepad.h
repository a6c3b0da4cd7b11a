// A game pad, read as keys: its buttons and its left stick reach a screen as
// key downs and ups of the pad's key codes (key::PadA, key::PadStickLeft...),
// through the same path as the keyboard's, so whatever watches the keys
// (a game being recorded) sees them too. The program that has one owns it;
// the system's library behind it is linked into that program alone.
#pragma once

#include <QString>
#include <memory>

namespace tk {

class Screen;

class Gamepad {
public:
    virtual ~Gamepad() = default;
    // What changed on the pad since the last call, given to `screen`; the
    // first pad found is taken, also one plugged in since. A pad unplugged
    // lets go of what it held. What was held when the screen was given for
    // the first time counts only once let go and pressed again. True while
    // a pad is there.
    virtual bool poll(Screen& screen) = 0;

    // The program's own pad (the driver's, the tests'), read like a real one:
    // plugged in or out, a button ("a", "start", "dpleft": the names of
    // SDL's game controller mappings) pressed or let go, an axis ("leftx")
    // set, -32768 to 32767. False with the reason when that cannot be.
    virtual bool plugOwn(bool in, QString& whyNot) = 0;
    virtual bool setOwnButton(const QString& name, bool down, QString& whyNot) = 0;
    virtual bool setOwnAxis(const QString& name, int value, QString& whyNot) = 0;
};

// The pads of the system (SDL's game controllers), or with ownOnly the
// program's own pad alone, so that a driven program never reads the
// machine's pads. Nothing is opened before the first call.
std::unique_ptr<Gamepad> systemGamepad(bool ownOnly);

}  // namespace tk
