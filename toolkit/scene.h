// A scene: the drawn elements of one screen, their names and z-order, the
// element arrays, the hit test and the routing of mouse events to elements,
// and the digests that tell what changed. No window: a scene runs as well
// without one (a game played or checked headless) as inside the screen that
// shows it.
#pragma once

#include <QColor>
#include <QRect>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "elementarray.h"
#include "elements.h"

class QObject;

namespace tk {

// Twips per pixel at scale 1.
constexpr float kTwipsPerPixel = 15.0f;

// What the mouse reaches when no element under it catches it: the screen, or
// a scene played without one.
class MouseSink {
public:
    virtual ~MouseSink() = default;
    virtual void sceneMouseDown(int button, int shift, float x, float y) = 0;
    virtual void sceneMouseUp(int button, int shift, float x, float y) = 0;
    virtual void sceneMouseMove(int button, int shift, float x, float y) = 0;
};

class EventTap;
class Stats;
class Timer;

// What a scene's timers ask of the window that shows it: its clock, the
// screen's life, the events' watcher. A scene without one runs its timers
// only when they are fired.
class TimerHost {
public:
    virtual ~TimerHost() = default;
    virtual bool frozenTime() const = 0;
    virtual void countAnimator(bool running) = 0;
    // False once the screen is unloaded: its timers never fire again.
    virtual bool timersLive() const = 0;
    virtual EventTap* tap() const = 0;
    virtual Stats* stats() const = 0;
    virtual QString hostName() const = 0;
    // Runs a timer's tick as the program runs every event.
    virtual void dispatch(const std::function<void()>& run) = 0;
};

class Scene {
public:
    Scene() = default;
    virtual ~Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    QColor backColor() const { return back_; }
    void setBackColor(const QColor& c) { back_ = c; }

    enum class MouseAction { Down, Up, Move };
    // x, y in twips. The event goes to the topmost visible element under the
    // pointer that catches the mouse, or to `sink`; with `forceTarget` to
    // `target` instead (nullptr: the sink).
    void routeMouse(MouseAction a, int button, int shift, float x, float y, Element* target,
                    bool forceTarget, MouseSink& sink);
    // The topmost visible element under a point that catches the mouse.
    Element* hitTest(float x, float y) const;
    // The tooltip of the topmost drawn element at a point.
    QString toolTipAt(float x, float y) const;

    // Names: "fiole", "mech1(3)".
    QString nameOf(const Element* e) const;
    Element* elementNamed(const QString& spec) const;
    Element* element(const QString& name, int index, bool indexed) const;
    QObject* control(const QString& name) const;
    bool isArray(const QString& name) const;
    std::vector<QString> elementNames() const { return order_; }  // in layout order
    std::vector<int> arrayIndices(const QString& name) const;
    // Every name in the order of its UTF-16 code units, a name registered
    // twice twice, with what it names: one element, an array or a control.
    // Made again only after a name was added.
    struct ByName {
        QString name;
        Element* element;
        ArrayBase* array;
        QObject* control;
    };
    const std::vector<ByName>& byName() const;

    // Registration, in z-order.
    template <class T>
    T& add(T& e, const char* name) {
        named_[QString::fromLatin1(name)] = Named{&e, nullptr, nullptr};
        order_.push_back(QString::fromLatin1(name));
        drawList_.push_back(&e);
        shown_.emplace_back();
        return e;
    }
    void registerArray(ArrayBase* a, const QString& name);
    // Controls and timers are named beside the elements; the scene only keeps
    // them for lookup.
    void registerControl(QObject* c);
    void insertDrawn(Element* e, Element* after);
    Element* lastOf(ArrayBase* a);

    // The drawn elements bottom to top.
    const std::vector<Element*>& drawList() const { return drawList_; }
    // What a window was last told to show of each drawn element (beside the
    // draw list): its look's digest and the pixels it covered.
    struct Shown {
        size_t digest = 0;
        QRect pixels;
    };
    std::vector<Shown>& shown() { return shown_; }
    const std::vector<Shown>& shown() const { return shown_; }
    // The background and the elements drawn up to `last` rarely change: a
    // window draws them once into an image, again only when what they show
    // does.
    void cacheStaticLayer(const Element& last) { staticLast_ = &last; }
    const Element* staticLast() const { return staticLast_; }

    // The window whose clock runs the timers (nullptr: none); the timers
    // start or stop as it allows.
    void setTimerHost(TimerHost* host);
    TimerHost* timerHost() const { return timerHost_; }
    void registerTimer(Timer* t);
    void unregisterTimer(Timer* t);

    // Cheap digest of the elements' looks: changes when their picture would.
    size_t elementsDigest(size_t seed) const;

private:
    struct Named {
        Element* element;
        ArrayBase* array;
        QObject* control;
    };
    QColor back_ = QColor(240, 240, 240);
    TimerHost* timerHost_ = nullptr;
    const Element* staticLast_ = nullptr;
    std::vector<Timer*> timers_;
    std::map<QString, Named> named_;
    std::vector<QString> order_;
    mutable std::vector<ByName> byName_;
    mutable size_t byNameCount_ = 0;  // the names byName_ was made from
    std::vector<Element*> drawList_;
    std::vector<Shown> shown_;
    Element* pressed_ = nullptr;  // for clicks: press and release on the same element
    int buttonsHeld_ = 0;
    int pressesTaken_ = 0;  // held buttons whose press the sink or a handler took
};

// Watches, or stands in for, what a screen receives from the user and from its
// timers, before it runs: a game being recorded, or one played back. Each
// answers false to drop the event.
class EventTap {
public:
    virtual ~EventTap() = default;
    // target: the element the event was sent to without a hit test (forced),
    // nullptr for the screen.
    virtual bool mouse(Scene::MouseAction a, int button, int shift, float x, float y,
                       const Element* target, bool forced) = 0;
    enum class KeyAction { Down, Up, Press };
    virtual bool key(KeyAction a, int code, int shift) = 0;
    // An enabled timer about to run its Tick.
    virtual bool timer(const Timer& t) = 0;
};

// ---- ElementArray, defined here because it registers with its scene.

template <class T>
ElementArray<T>::ElementArray(Scene& scene, const char* name)
    : scene_(scene), name_(QString::fromLatin1(name)) {
    scene_.registerArray(this, name_);
}

template <class T>
T& ElementArray<T>::add(int i) {
    Element* last = items_.empty() ? nullptr : scene_.lastOf(this);
    T& e = place(i, std::make_unique<T>());
    scene_.insertDrawn(&e, last);
    return e;
}

template <class T>
T& ElementArray<T>::load(int i) {
    if (exists(i)) {
        throw level::RuntimeError(
            QStringLiteral("L'élément %1(%2) existe déjà.").arg(name_).arg(i));
    }
    if (items_.empty()) missing(i);
    const T* model = nullptr;
    for (auto& p : items_)
        if (p) {
            model = p.get();
            break;
        }
    if (!model) missing(i);
    Element* last = scene_.lastOf(this);
    auto copy = std::make_unique<T>(*model);
    copy->Visible = false;
    T& e = place(i, std::move(copy));
    scene_.insertDrawn(&e, last);
    return e;
}

template <class T>
T& ElementArray<T>::place(int i, std::unique_ptr<T> e) {
    if (items_.empty()) base_ = i;
    if (i < base_) {
        std::vector<std::unique_ptr<T>> grown(static_cast<size_t>(base_ - i));
        for (auto& p : items_)
            grown.push_back(std::move(p));
        items_ = std::move(grown);
        base_ = i;
    }
    const size_t k = static_cast<size_t>(i - base_);
    if (k >= items_.size()) items_.resize(k + 1);
    items_[k] = std::move(e);
    return *items_[k];
}

}  // namespace tk
