#include "program.h"

#include <QTimer>
#include <algorithm>

namespace tk {

Program::Program(Services& services, bool frozenTime) : services_(services), frozen_(frozenTime) {
    if (!frozen_) {
        frame_ = new QTimer(this);
        frame_->setTimerType(Qt::PreciseTimer);
        frame_->setSingleShot(true);
        connect(frame_, &QTimer::timeout, this, &Program::refreshDisplay);
        clock_.start();
    }
}

void Program::setFullRepaint(bool on) {
    fullRepaint_ = on;
    if (frame_) frame_->setSingleShot(!on);
}

Program::~Program() {
    graveyard_.clear();
    screens_.clear();
}

void Program::registerScreen(const QString& name, Factory factory) {
    factories_[name] = std::move(factory);
}

Screen* Program::loaded(const QString& name) const {
    auto it = screens_.find(name);
    return it == screens_.end() ? nullptr : it->second.get();
}

Screen& Program::screen(const QString& name) {
    if (Screen* s = loaded(name)) return *s;
    return load(name);
}

Screen& Program::load(const QString& name) {
    auto f = factories_.find(name);
    if (f == factories_.end())
        throw level::RuntimeError(QStringLiteral("Écran inconnu : %1.").arg(name));
    Screen& s = *(screens_[name] = f->second(*this));
    ++screenChanges_;
    // Registered before its load event, so that code the event runs finds it.
    // An end during the event stops the code that loaded the screen too.
    bool ended = false;
    dispatch([&] {
        try {
            s.Form_Load();
        } catch (const ProgramEnded&) {
            ended = true;
        }
    });
    if (ended) throw ProgramEnded();
    return s;
}

void Program::show(const QString& name) {
    Screen& s = screen(name);
    s.showWindow();
    services_.screenShown(name);
}

void Program::unload(const QString& name) {
    auto it = screens_.find(name);
    if (it == screens_.end()) return;
    std::unique_ptr<Screen> s = std::move(it->second);
    screens_.erase(it);
    ++screenChanges_;
    s->Form_Unload();
    s->hideWindow();
    services_.screenUnloaded(name);
    // The running handler may belong to this screen: destroy it afterwards.
    graveyard_.push_back(std::move(s));
    if (!frozen_) QMetaObject::invokeMethod(this, &Program::collectGarbage, Qt::QueuedConnection);
}

void Program::closedByUser(Screen& s) {
    const QString name = s.name();
    dispatch([&] {
        if (s.Form_QueryClose()) unload(name);
    });
}

void Program::collectGarbage() {
    if (depth_ > 0) return;
    graveyard_.clear();
    if (frozen_ || ended_) return;
    // A program with no window left must not linger; minimised ones are
    // kept for their values and are no way back for the user.
    for (auto& [name, s] : screens_)
        if (s->visible() && s->windowState() != Minimized) return;
    dispatch([this] { end(); });  // its questions are an event's
}

void Program::end() {
    if (ended_) return;
    // Any screen may keep the program going (work the user wants to go back to).
    std::vector<Screen*> open;
    for (auto& [name, s] : screens_)
        open.push_back(s.get());
    for (Screen* s : open)
        if (isLoaded(*s) && !s->Form_QueryUnload()) return;
    ended_ = true;
    services_.end();
}

void Program::interrupt() {
    if (ended_) return;
    std::vector<Screen*> open;
    for (auto& [name, s] : screens_)
        open.push_back(s.get());
    for (Screen* s : open)
        if (isLoaded(*s)) dispatch([s] { s->Form_Interrupted(); });
    ended_ = true;
    services_.end();
}

void Program::reportError(const QString& text) {
    services_.msgBox(text, mb::OkOnly | mb::Critical, title());
}

void Program::afterEvent() {
    if (!frame_ || frame_->isActive()) return;
    if (fullRepaint_) return frame_->start(kFrameMs);
    // A tick's picture is shown as soon as the tick is over, in the same
    // wake-up, unless the last frame began less than a display frame ago.
    // A wake-up a little early for its frame draws it all the same rather
    // than wake again a moment later: a fast timer wakes once a frame.
    constexpr qint64 kFrameNs = kFrameMs * qint64{1'000'000}, kEarlyNs = 2'000'000;
    const qint64 wait = lastFrameNs_ + kFrameNs - clock_.nsecsElapsed();
    if (wait <= kEarlyNs) return refreshDisplay();
    frame_->start(static_cast<int>((wait + 999'999) / 1'000'000));
}

void Program::refreshDisplay() {
    const qint64 began = clock_.isValid() ? clock_.nsecsElapsed() : 0;
    bool drawn = false;
    for (auto& [name, s] : screens_)
        if (s->updateIfChanged()) drawn = true;
    if (fullRepaint_) {
        if (!drawn && frame_) frame_->stop();
    } else if (drawn) {
        lastFrameNs_ = began;
    }
}

}  // namespace tk
