#include "game/frmsaut.h"

#include <QTimer>

#include "toolkit/gamepad.h"

#include "map/screenmap.h"
#include "toolkit/program.h"

namespace zelk {

frmsaut::frmsaut(tk::Program& program)
    : tk::Screen(program, kName, level::kPlayfieldWidth, level::kPlayfieldHeight),
      Playfield(program.services()),
      zelk_(ScreenMap::of(program)) {
    showScene(*this);
    setCaption(QStringLiteral("Zelk"));
    setReleasesKeysOnLeaving(true);
    listenToPad();
}

void frmsaut::Form_Load() {
    setup();
}

void frmsaut::setup() {
    Playfield::setup();
    // The menu is only read, never loaded from here: its own load creates a
    // game screen, which must not happen while this one is being set up.
    showLevelName(zelk_.selectedLevelName(false));
}

void frmsaut::showLevelName(const QString& name) {
    setCaption(QStringLiteral("!! Zelk !!") + QString(6, u' ') + u'<' + name + u'>');
}

void frmsaut::levelOver(const QString& picture, const QString& standIn, bool won) {
    zelk_.showResult(picture, standIn, won);
}

// ---- The options, read live.

level::GameOptions frmsaut::gameOptions() const {
    return zelk_.gameOptions();
}

// ---- The window's keys and pad: the field hears them.

void frmsaut::Form_KeyPress(int ascii) {
    keyPress(ascii);
}
void frmsaut::Form_KeyDown(int keyCode, int) {
    keyDown(keyCode);
}
void frmsaut::Form_KeyUp(int keyCode, int) {
    keyUp(keyCode);
}

void frmsaut::listenToPad() {
    // With time frozen (the driver) the pad is read when the script says so.
    tk::Gamepad* pad = program().gamepad();
    if (!pad || program().frozenTime()) return;
    padPoll_ = new QTimer(this);
    connect(padPoll_, &QTimer::timeout, this, [this, pad] {
        // A pad is the user's hand in this window: not while he is in another.
        if (!visible() || !active()) return;
        padPoll_->setInterval(pad->poll(*this) ? kPadReadMs : kPadLookMs);
    });
    padPoll_->start(kPadLookMs);
}

// ---- The mouse: the field hears it.

void frmsaut::Form_MouseDown(int button, int shift, float x, float y) {
    Playfield::sceneMouseDown(button, shift, x, y);
}
void frmsaut::Form_MouseUp(int button, int shift, float x, float y) {
    Playfield::sceneMouseUp(button, shift, x, y);
}
void frmsaut::Form_MouseMove(int button, int shift, float x, float y) {
    Playfield::sceneMouseMove(button, shift, x, y);
}

// Only a level that runs, never one that has ended, and never resumed: it
// goes through the event tap as the key it stands for, so that a recording
// keeps the pause where it came and a replay shown drops it.
void frmsaut::Form_Deactivate() {
    if (over() || !Timer1.enabled() || pause.Visible || !program().isLoaded(*this)) return;
    deliverKeyPress(tk::key::Escape);
}

}  // namespace zelk
