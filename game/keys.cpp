// The keyboard's arrows and space bar and a game pad, beside the mouse: each
// key or button held stands for what the mouse does, through the same
// handlers (a walk key for the pointer at the screen's edge, the space bar
// and A for the left button, Up and B for the right one, Down and X for the
// middle one, Start for Escape). Enter and Escape keep their own way, as key
// presses.
#include "toolkit/keys.h"
#include "game/playfield.h"
#include "level/levelfile.h"

namespace zelk {

Playfield::Intent Playfield::intentOf(int keyCode) {
    namespace key = tk::key;
    switch (keyCode) {
        case key::Left:
        case key::PadLeft:
        case key::PadStickLeft:
            return Intent::WalkLeft;
        case key::Right:
        case key::PadRight:
        case key::PadStickRight:
            return Intent::WalkRight;
        case key::Space:
        case key::PadA:
            return Intent::Charge;
        case key::Up:
        case key::PadB:
            return Intent::Jump;
        case key::Down:
        case key::PadX:
            return Intent::Vial;
        case key::PadStart:
            return Intent::Pause;
        default:
            return Intent::None;
    }
}

bool Playfield::holding(Intent intent) const {
    for (size_t code = 0; code < held_.size(); ++code)
        if (held_[code] && intentOf(static_cast<int>(code)) == intent) return true;
    return false;
}

void Playfield::keyDown(int keyCode) {
    const Intent intent = intentOf(keyCode);
    // A held key's repeat is no new press: Up held jumps once.
    if (intent == Intent::None || held_[static_cast<size_t>(keyCode)]) return;
    held_[static_cast<size_t>(keyCode)] = true;
    switch (intent) {
        case Intent::WalkLeft:
            return walkTo(-1);
        case Intent::WalkRight:
            return walkTo(1);
        case Intent::Charge:
            return press(tk::LeftButton);
        case Intent::Jump:
            return press(tk::RightButton);
        case Intent::Vial:
            return dropVial();
        case Intent::Pause:
            return togglePause();
        case Intent::None:
            return;
    }
}

void Playfield::keyUp(int keyCode) {
    const Intent intent = intentOf(keyCode);
    if (intent == Intent::None || !held_[static_cast<size_t>(keyCode)]) return;
    held_[static_cast<size_t>(keyCode)] = false;
    if (intent == Intent::Charge) release(tk::LeftButton);
    // The way he walks let go of: the other way if it is held, else he stops.
    const int way = intent == Intent::WalkLeft ? -1 : intent == Intent::WalkRight ? 1 : 0;
    if (way != 0 && way == walk_ && !holding(intent))
        walkTo(holding(way < 0 ? Intent::WalkRight : Intent::WalkLeft) ? -way : 0);
}

void Playfield::walkTo(int way) {
    walk_ = way;
    sourisx = way < 0   ? -kWalkPastWall
              : way > 0 ? level::kPlayfieldWidth + kWalkPastWall
                        : joueur.Left + joueur.Width / 2;
}

void Playfield::keyPress(int ascii) {
    if (ascii == tk::key::Escape) togglePause();
    if (ascii == tk::key::Enter) dropVial();
}

}  // namespace zelk
