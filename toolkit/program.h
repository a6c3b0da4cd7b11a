// The program object: it owns the screens, loads one (hidden, its load event
// run) the first time any code touches it, shows, minimises and unloads them,
// and runs every event so that errors are reported and the display refreshed.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "level/runtime.h"
#include "screen.h"
#include "services.h"

class QTimer;

namespace tk {

class Gamepad;
class Stats;

class Program : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<std::unique_ptr<Screen>(Program&)>;

    // frozenTime: timers never fire by themselves (the scripted driver fires them).
    Program(Services& services, bool frozenTime);
    ~Program() override;

    Services& services() const { return services_; }
    bool frozenTime() const { return frozen_; }
    // Counts for measurements, or nullptr (the usual case).
    Stats* stats() const { return stats_; }
    void setStats(Stats* stats) { stats_ = stats; }
    // Whole windows at every display frame while a timer animates them,
    // instead of the changed regions of new pictures only: kept as a measure.
    bool fullRepaint() const { return fullRepaint_; }
    void setFullRepaint(bool on);

    // How far every window is moved from its place (its layout's, or the
    // middle of the free area), pixels: aside from the same windows of
    // another copy of the program.
    QPoint windowOffset() const { return windowOffset_; }
    void setWindowOffset(QPoint px) { windowOffset_ = px; }

    // Screens are reached by their class: get<frmopt>(), show<frmedit>().
    // Each class names itself with a static kName, made a QString once: the
    // game reads its options through get<>() at every tick.
    template <class S>
    static const QString& nameOf() {
        static const QString name = QString::fromLatin1(S::kName);
        return name;
    }
    template <class S>
    void registerScreen() {
        registerScreen(nameOf<S>(),
                       [](Program& p) { return std::make_unique<S>(p); });
    }
    // The screen, loaded (hidden, load event run) if needed.
    template <class S>
    S& get() {
        return static_cast<S&>(screen(nameOf<S>()));
    }
    // The screen if it is loaded, else nullptr.
    template <class S>
    S* loadedAs() const {
        return static_cast<S*>(loaded(nameOf<S>()));
    }
    template <class S>
    S& show() {
        show(nameOf<S>());
        return get<S>();
    }
    // Unloads a screen: its unload event runs, its window goes, and it is
    // destroyed once the running event is over. The next touch loads it afresh.
    template <class S>
    void unload() {
        unload(nameOf<S>());
    }
    int loadedCount() const { return static_cast<int>(screens_.size()); }
    // Counts the screens loaded and unloaded: unchanged, every screen that
    // was loaded still is.
    unsigned screenChanges() const { return screenChanges_; }
    // False once the screen is unloaded (it may still be waiting to be destroyed).
    bool isLoaded(const Screen& s) const { return loaded(s.name()) == &s; }
    // Closing a window with its close box: unloads that screen, unless its
    // Form_QueryClose says no.
    void closedByUser(Screen& s);

    // The first screen of the program.
    virtual void start() = 0;
    // Saves what was recorded of the input of the last game, for the driver;
    // a program that records nothing says so.
    virtual bool saveRecording(const QString& /*path*/, QString& whyNot) {
        whyNot = QStringLiteral("this program records nothing");
        return false;
    }
    // The program's game pad, or nullptr for a program played without one.
    virtual Gamepad* gamepad() { return nullptr; }
    // Ends the program, unless a screen's Form_QueryUnload says no.
    void end();
    // Ends the program without asking (the system asks it to stop): each
    // screen's Form_Interrupted runs first.
    void interrupt();

    // Runs one event: a timer tick, a click, a key. Run-time errors are shown
    // in a message box and the program goes on; the display is refreshed at
    // the next frame when the model changed.
    template <class F>
    void dispatch(F&& f) {
        if (ended_) return;
        struct Depth {
            Program& p;
            explicit Depth(Program& q) : p(q) { ++p.depth_; }
            ~Depth() {
                if (--p.depth_ == 0) p.afterEvent();
            }
        } depth(*this);
        try {
            try {
                f();
            } catch (const level::RuntimeError& e) {
                reportError(e.text());
            }
        } catch (const ProgramEnded&) {
            // The end closed a dialog of this event: nothing of it goes on.
            // Frozen in time, under the driver, the end goes up to it.
            if (frozen_) throw;
        }
    }
    bool ended() const { return ended_; }
    // Shows a run-time error, titled with the program's name.
    void reportError(const QString& text);
    virtual QString title() const { return QCoreApplication::applicationName(); }

    // Destroys screens unloaded by earlier events (the driver calls it between
    // commands; the event loop does it by itself).
    void collectGarbage();
    // One display frame: repaints what changed on the shown screens. It comes
    // right after the event that changed them, at most once a display frame.
    void refreshDisplay();

private:
    // The same by name, for the scripted driver, whose names come from a script.
    friend class ScriptDriver;
    void registerScreen(const QString& name, Factory factory);
    bool knows(const QString& name) const { return factories_.count(name) != 0; }
    Screen& screen(const QString& name);
    Screen* loaded(const QString& name) const;
    void show(const QString& name);
    void unload(const QString& name);

    void afterEvent();
    Screen& load(const QString& name);

    Services& services_;
    bool frozen_;
    int depth_ = 0;
    std::map<QString, Factory> factories_;
    std::map<QString, std::unique_ptr<Screen>> screens_;
    unsigned screenChanges_ = 0;
    std::vector<std::unique_ptr<Screen>> graveyard_;
    QTimer* frame_ = nullptr;
    QElapsedTimer clock_;
    qint64 lastFrameNs_ = 0;  // when the last frame that drew something began
    bool fullRepaint_ = false;
    Stats* stats_ = nullptr;
    QPoint windowOffset_;
    bool ended_ = false;
};

}  // namespace tk
