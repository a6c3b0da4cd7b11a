// The game pad over SDL's game controller API. Only that part of SDL is
// started: no window, no video, no input grabbed, no signal handlers, and no
// event queue (the pad's state is read at each poll, which also finds pads
// plugged in or out).
#include <SDL.h>

#include <QPointer>
#include <bitset>
#include <utility>

#include "gamepad.h"
#include "screen.h"

namespace tk {

namespace {

// The pad's buttons and the keys they give.
constexpr std::pair<SDL_GameControllerButton, int> kButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, key::PadA},
    {SDL_CONTROLLER_BUTTON_B, key::PadB},
    {SDL_CONTROLLER_BUTTON_X, key::PadX},
    {SDL_CONTROLLER_BUTTON_Y, key::PadY},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, key::PadLeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, key::PadRightShoulder},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, key::PadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, key::PadDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, key::PadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, key::PadRight},
    {SDL_CONTROLLER_BUTTON_START, key::PadStart},
    {SDL_CONTROLLER_BUTTON_BACK, key::PadBack},
};

// The left stick counts as pushed one way from kStickOn (of 32767) and as
// back once under kStickOff: a stick held near one value does not flicker.
constexpr int kStickOn = 16000;
constexpr int kStickOff = 12000;

class SdlGamepad final : public Gamepad {
public:
    explicit SdlGamepad(bool ownOnly) : ownOnly_(ownOnly) {}
    ~SdlGamepad() override;
    SdlGamepad(const SdlGamepad&) = delete;
    SdlGamepad& operator=(const SdlGamepad&) = delete;

    bool poll(Screen& screen) override;
    bool plugOwn(bool in, QString& whyNot) override;
    bool setOwnButton(const QString& name, bool down, QString& whyNot) override;
    bool setOwnAxis(const QString& name, int value, QString& whyNot) override;

private:
    using Keys = std::bitset<256>;
    bool start(QString* whyNot);
    void takeFirstPad();
    Keys keysHeld() const;
    void unplugOwn();
    bool ownThere(QString& whyNot) const;

    const bool ownOnly_;
    bool started_ = false, failed_ = false;
    SDL_GameController* pad_ = nullptr;
    SDL_Joystick* own_ = nullptr;  // the program's own pad while it is plugged in
    Keys read_;                    // the pad as last read
    Keys sent_;                    // held, as the screen was told
    Keys ignored_;                 // held when the screen was first given
    QPointer<Screen> screen_;
};

SdlGamepad::~SdlGamepad() {
    if (!started_) return;
    if (pad_) SDL_GameControllerClose(pad_);
    if (own_) unplugOwn();
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlGamepad::start(QString* whyNot) {
    if (!started_ && !failed_) {
        // SDL's own handlers would take the program's stop signals.
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        started_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
        failed_ = !started_;
        if (started_) {
            SDL_JoystickEventState(SDL_IGNORE);
            SDL_GameControllerEventState(SDL_IGNORE);
        }
    }
    if (!started_ && whyNot)
        *whyNot = QStringLiteral("no game controllers: ") + QString::fromUtf8(SDL_GetError());
    return started_;
}

void SdlGamepad::takeFirstPad() {
    const SDL_JoystickID own = own_ ? SDL_JoystickInstanceID(own_) : -1;
    for (int i = 0; i < SDL_NumJoysticks() && !pad_; ++i) {
        if (!SDL_IsGameController(i)) continue;
        if (ownOnly_ && SDL_JoystickGetDeviceInstanceID(i) != own) continue;
        pad_ = SDL_GameControllerOpen(i);
    }
}

SdlGamepad::Keys SdlGamepad::keysHeld() const {
    Keys keys;
    for (auto [button, code] : kButtons)
        keys[code] = SDL_GameControllerGetButton(pad_, button) != 0;
    const auto stick = [&](SDL_GameControllerAxis axis, int less, int more) {
        const int v = SDL_GameControllerGetAxis(pad_, axis);
        keys[less] = v <= -(read_[less] ? kStickOff : kStickOn);
        keys[more] = v >= (read_[more] ? kStickOff : kStickOn);
    };
    stick(SDL_CONTROLLER_AXIS_LEFTX, key::PadStickLeft, key::PadStickRight);
    stick(SDL_CONTROLLER_AXIS_LEFTY, key::PadStickUp, key::PadStickDown);
    return keys;
}

bool SdlGamepad::poll(Screen& screen) {
    if (!start(nullptr)) return false;
    SDL_GameControllerUpdate();
    if (pad_ && !SDL_GameControllerGetAttached(pad_)) {
        SDL_GameControllerClose(pad_);
        pad_ = nullptr;
    }
    if (!pad_) takeFirstPad();
    read_ = pad_ ? keysHeld() : Keys();
    if (screen_ != &screen) {
        screen_ = &screen;
        sent_.reset();
        ignored_ = read_;
    }
    ignored_ &= read_;
    const Keys want = read_ & ~ignored_;
    // Let go first, so that a stick swung across reaches the screen as one
    // way left and the other taken.
    for (bool down : {false, true})
        for (size_t code = 0; code < want.size(); ++code) {
            if (want[code] != down || sent_[code] == down) continue;
            sent_[code] = down;
            if (down) {
                screen.deliverKeyDown(static_cast<int>(code), 0);
            } else {
                screen.deliverKeyUp(static_cast<int>(code), 0);
            }
        }
    return pad_ != nullptr;
}

bool SdlGamepad::plugOwn(bool in, QString& whyNot) {
    if (!start(&whyNot)) return false;
    if (in == (own_ != nullptr)) {
        whyNot = in ? QStringLiteral("the pad is already plugged in")
                    : QStringLiteral("no pad is plugged in");
        return false;
    }
    if (!in) {
        unplugOwn();
        return true;
    }
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    if (index >= 0 && !(own_ = SDL_JoystickOpen(index))) SDL_JoystickDetachVirtual(index);
    if (!own_) whyNot = QString::fromUtf8(SDL_GetError());
    return own_ != nullptr;
}

void SdlGamepad::unplugOwn() {
    const SDL_JoystickID id = SDL_JoystickInstanceID(own_);
    SDL_JoystickClose(own_);
    own_ = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id) {
            SDL_JoystickDetachVirtual(i);
            return;
        }
}

bool SdlGamepad::ownThere(QString& whyNot) const {
    if (!own_) whyNot = QStringLiteral("no pad is plugged in");
    return own_ != nullptr;
}

bool SdlGamepad::setOwnButton(const QString& name, bool down, QString& whyNot) {
    if (!ownThere(whyNot)) return false;
    const SDL_GameControllerButton b =
        SDL_GameControllerGetButtonFromString(name.toUtf8().constData());
    if (b == SDL_CONTROLLER_BUTTON_INVALID) {
        whyNot = QStringLiteral("no button ") + name;
        return false;
    }
    // The own pad's buttons are numbered as the controller's.
    SDL_JoystickSetVirtualButton(own_, b, down ? SDL_PRESSED : SDL_RELEASED);
    return true;
}

bool SdlGamepad::setOwnAxis(const QString& name, int value, QString& whyNot) {
    if (!ownThere(whyNot)) return false;
    const SDL_GameControllerAxis a = SDL_GameControllerGetAxisFromString(name.toUtf8().constData());
    if (a == SDL_CONTROLLER_AXIS_INVALID) {
        whyNot = QStringLiteral("no axis ") + name;
        return false;
    }
    if (value < SDL_JOYSTICK_AXIS_MIN || value > SDL_JOYSTICK_AXIS_MAX) {
        whyNot = QStringLiteral("an axis goes from -32768 to 32767");
        return false;
    }
    SDL_JoystickSetVirtualAxis(own_, a, static_cast<Sint16>(value));
    return true;
}

}  // namespace

std::unique_ptr<Gamepad> systemGamepad(bool ownOnly) {
    return std::make_unique<SdlGamepad>(ownOnly);
}

}  // namespace tk
