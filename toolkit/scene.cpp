#include "scene.h"

#include <QObject>
#include <algorithm>

#include "paint.h"
#include "timer.h"

namespace tk {

Element* Scene::hitTest(float x, float y) const {
    for (auto it = drawList_.rbegin(); it != drawList_.rend(); ++it) {
        Element* e = *it;
        if (e->Visible && e->catchesMouse() && e->contains(x, y)) return e;
    }
    return nullptr;
}

void Scene::routeMouse(MouseAction a, int button, int shift, float x, float y, Element* target,
                       bool forceTarget, MouseSink& sink) {
    // Each event goes to the element under the pointer at that moment,
    // whether or not a button is held; shapes and lines pass it on to the
    // sink.
    Element* e = forceTarget ? target : hitTest(x, y);
    if (e && !e->catchesMouse()) e = nullptr;
    if (a == MouseAction::Down) {
        if (buttonsHeld_ == 0) pressed_ = e;
        buttonsHeld_ |= button;
        // A press the sink or an element with handlers took.
        if (!e || e->takesMouse()) pressesTaken_ |= button;
    } else if (a == MouseAction::Up) {
        // Released over an element that takes no mouse events (a label), a
        // press that was taken is ended by the sink, so that nothing it
        // started is left hanging.
        if (!forceTarget && e && !e->takesMouse() && (pressesTaken_ & button)) e = nullptr;
        buttonsHeld_ &= ~button;
        pressesTaken_ &= ~button;
    }
    const int held = a == MouseAction::Move ? buttonsHeld_ : button;
    if (e) {
        const MouseHandler& h = a == MouseAction::Down ? e->MouseDown
                                : a == MouseAction::Up ? e->MouseUp
                                                       : e->MouseMove;
        if (h) h(held, shift, x - e->Left, y - e->Top);
        // A click: pressed and released over the same element.
        if (a == MouseAction::Up && e == pressed_ && e->Click) e->Click();
    } else {
        switch (a) {
            case MouseAction::Down:
                sink.sceneMouseDown(held, shift, x, y);
                break;
            case MouseAction::Up:
                sink.sceneMouseUp(held, shift, x, y);
                break;
            case MouseAction::Move:
                sink.sceneMouseMove(held, shift, x, y);
                break;
        }
    }
    if (a == MouseAction::Up && buttonsHeld_ == 0) pressed_ = nullptr;
}

QString Scene::toolTipAt(float x, float y) const {
    for (auto it = drawList_.rbegin(); it != drawList_.rend(); ++it) {
        const Element* e = *it;
        if (!e->Visible || !e->contains(x, y)) continue;
        if (e->kind() == Element::Kind::Label) return static_cast<const Label*>(e)->ToolTipText;
        if (e->kind() == Element::Kind::Picture) return static_cast<const Picture*>(e)->ToolTipText;
    }
    return {};
}

size_t Scene::elementsDigest(size_t seed) const {
    for (const Element* e : drawList_)
        seed = digestElement(seed, *e);
    return seed;
}

void Scene::setTimerHost(TimerHost* host) {
    timerHost_ = host;
    for (Timer* t : timers_)
        t->sync();
}

void Scene::registerTimer(Timer* t) {
    timers_.push_back(t);
    registerControl(t);
}

void Scene::unregisterTimer(Timer* t) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), t), timers_.end());
}

void Scene::registerArray(ArrayBase* a, const QString& name) {
    named_[name] = Named{nullptr, a, nullptr};
    order_.push_back(name);
}

void Scene::registerControl(QObject* c) {
    named_[c->objectName()] = Named{nullptr, nullptr, c};
    order_.push_back(c->objectName());
}

Element* Scene::lastOf(ArrayBase* a) {
    const std::vector<int> idx = a->indices();
    return idx.empty() ? nullptr : a->find(idx.back());
}

void Scene::insertDrawn(Element* e, Element* after) {
    auto it = after ? std::find(drawList_.begin(), drawList_.end(), after) : drawList_.end();
    if (it != drawList_.end()) ++it;
    shown_.insert(shown_.begin() + (it - drawList_.begin()), Shown{});
    drawList_.insert(it, e);
}

Element* Scene::element(const QString& name, int index, bool indexed) const {
    auto it = named_.find(name);
    if (it == named_.end()) return nullptr;
    if (it->second.array) return indexed ? it->second.array->find(index) : nullptr;
    return indexed ? nullptr : it->second.element;
}

QString Scene::nameOf(const Element* e) const {
    for (const auto& [name, n] : named_) {
        if (n.element == e) return name;
        if (n.array)
            for (int i : n.array->indices())
                if (n.array->find(i) == e) return QStringLiteral("%1(%2)").arg(name).arg(i);
    }
    return {};
}

Element* Scene::elementNamed(const QString& spec) const {
    const qsizetype open = spec.indexOf(u'(');
    if (open < 0) return element(spec, 0, false);
    if (!spec.endsWith(u')')) return nullptr;
    bool ok = false;
    const int i = spec.mid(open + 1, spec.size() - open - 2).toInt(&ok);
    return ok ? element(spec.left(open), i, true) : nullptr;
}

QObject* Scene::control(const QString& name) const {
    auto it = named_.find(name);
    return it == named_.end() ? nullptr : it->second.control;
}

bool Scene::isArray(const QString& name) const {
    auto it = named_.find(name);
    return it != named_.end() && it->second.array;
}

std::vector<int> Scene::arrayIndices(const QString& name) const {
    auto it = named_.find(name);
    return it != named_.end() && it->second.array ? it->second.array->indices()
                                                  : std::vector<int>{};
}

const std::vector<Scene::ByName>& Scene::byName() const {
    if (byNameCount_ != order_.size()) {
        std::vector<QString> names = order_;
        std::sort(names.begin(), names.end());
        byName_.clear();
        for (QString& name : names) {
            const Named& n = named_.at(name);
            byName_.push_back(ByName{std::move(name), n.element, n.array, n.control});
        }
        byNameCount_ = order_.size();
    }
    return byName_;
}

}  // namespace tk
