#include "scriptdriver.h"

#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QRegularExpression>
#include <QTextStream>
#include <QWidget>
#include <cmath>

#include "gamepad.h"
#include "program.h"
#include "scriptedservices.h"

namespace tk {

QStringList splitWords(const QString& line) {
    QStringList words;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n) {
        while (i < n && line[i].isSpace())
            ++i;
        if (i >= n) break;
        QString w;
        if (line[i] == u'"') {
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar c = line[i++];
                if (c == u'"') {
                    closed = true;
                    break;
                }
                if (c == u'\\' && i < n) {
                    const QChar e = line[i++];
                    w += e == u'r' ? QChar(u'\r') : e == u'n' ? QChar(u'\n') : e;
                } else {
                    w += c;
                }
            }
            if (!closed) throw ScriptError(QStringLiteral("unterminated quoted text"));
        } else {
            while (i < n && !line[i].isSpace())
                w += line[i++];
        }
        words << w;
    }
    return words;
}

QString formatValue(const QVariant& v) {
    switch (v.metaType().id()) {
        case QMetaType::Bool:
            return v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Char:
        case QMetaType::SChar:
            return QString::number(v.toLongLong());
        case QMetaType::Float:
            return level::str(v.toFloat());
        case QMetaType::Double:
            return level::str(v.toDouble());
        case QMetaType::QColor:
            return quoted(v.value<QColor>().name());
        case QMetaType::QStringList: {
            QStringList items;
            for (const QString& s : v.toStringList())
                items << quoted(s);
            return QLatin1Char('[') + items.join(QLatin1String(", ")) + QLatin1Char(']');
        }
        default:
            return quoted(v.toString());
    }
}

ScriptDriver::ScriptDriver(Program& program, ScriptedServices& services, QTextStream& out)
    : program_(program), services_(services), out_(out) {
    services_.setInterrupt([this] { program_.interrupt(); });
}

ScriptDriver::~ScriptDriver() {
    services_.setInterrupt({});
}

int ScriptDriver::run(QTextStream& in, QTextStream& err) {
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNo;
        try {
            execute(line);
        } catch (const ProgramEnded&) {
            return 0;
        } catch (const ScriptError& e) {
            err << "zelk-script: line " << lineNo << ": " << QString::fromStdString(e.what())
                << " (" << line.trimmed() << ")\n";
            err.flush();
            return 2;
        }
        program_.collectGarbage();
    }
    return 0;
}

Screen& ScriptDriver::screenNamed(const QString& name) {
    if (!program_.knows(name)) throw ScriptError(QStringLiteral("unknown screen ") + name);
    Screen* s = nullptr;
    program_.dispatch([&] { s = &program_.screen(name); });
    if (!s) throw ScriptError(QStringLiteral("screen %1 could not be loaded").arg(name));
    return *s;
}

ScriptDriver::Target ScriptDriver::screenTarget(Screen& s) {
    return Target{&s, nullptr, s.metaObject(), QObject::staticMetaObject.propertyCount()};
}

ScriptDriver::Target ScriptDriver::targetOf(Screen& s, const QString& spec, Element** element) {
    static const QRegularExpression re(QStringLiteral("^(\\w+)(?:\\((-?\\d+)\\))?$"));
    const auto m = re.match(spec);
    if (!m.hasMatch()) throw ScriptError(QStringLiteral("bad element ") + spec);
    const QString name = m.captured(1);
    const bool indexed = m.hasCaptured(2);
    const int index = indexed ? m.captured(2).toInt() : 0;
    if (Element* e = s.element(name, index, indexed)) {
        if (element) *element = e;
        return Target{nullptr, e, &e->meta(), 0};
    }
    if (!indexed) {
        if (QObject* c = s.control(name)) {
            return Target{c, nullptr, c->metaObject(), QObject::staticMetaObject.propertyCount()};
        }
    }
    throw ScriptError(QStringLiteral("unknown element %1.%2").arg(s.name(), spec));
}

QMetaProperty ScriptDriver::propertyOf(const Target& t, const QString& name) {
    const int i = t.meta->indexOfProperty(name.toLatin1().constData());
    if (i < t.firstProperty) throw ScriptError(QStringLiteral("unknown property ") + name);
    return t.meta->property(i);
}

QVariant ScriptDriver::read(const Target& t, const QMetaProperty& p) {
    return t.object ? p.read(t.object) : p.readOnGadget(t.gadget);
}

void ScriptDriver::write(const Target& t, const QMetaProperty& p, const QString& text) {
    QVariant v;
    const int type = p.metaType().id();
    switch (type) {
        case QMetaType::Bool:
            if (text == QLatin1String("true") || text == QLatin1String("1")) {
                v = true;
            } else if (text == QLatin1String("false") || text == QLatin1String("0")) {
                v = false;
            } else {
                throw ScriptError(QStringLiteral("not a boolean: ") + text);
            }
            break;
        case QMetaType::Short:
        case QMetaType::Int:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Float:
        case QMetaType::Double: {
            double d = 0;
            if (!level::parseNumber(text, d))
                throw ScriptError(QStringLiteral("not a number: ") + text);
            if (type == QMetaType::Float) {
                v = static_cast<float>(d);
            } else if (type == QMetaType::Double) {
                v = d;
            } else {
                if (d != std::floor(d)) throw ScriptError(QStringLiteral("not whole: ") + text);
                if (type == QMetaType::Short && (d < -32768 || d > 32767))
                    throw ScriptError(QStringLiteral("out of 16-bit range: ") + text);
                v = QVariant::fromValue(static_cast<long long>(d));
                v.convert(p.metaType());
            }
            break;
        }
        case QMetaType::QColor: {
            const QColor c(text);
            if (!c.isValid()) throw ScriptError(QStringLiteral("not a colour: ") + text);
            v = c;
            break;
        }
        default:
            v = text;
            break;
    }
    if (!p.isWritable()) throw ScriptError(QStringLiteral("read-only property ") + p.name());
    program_.dispatch([&] {
        if (t.object) {
            p.write(t.object, v);
        } else {
            p.writeOnGadget(t.gadget, v);
        }
    });
}

namespace {
struct Path {
    QString screen, element, property;
};
Path splitPath(const QString& path) {
    const qsizetype dot = path.indexOf(u'.');
    if (dot <= 0) throw ScriptError(QStringLiteral("expected SCREEN.PATH: ") + path);
    Path p;
    p.screen = path.left(dot);
    const QString rest = path.mid(dot + 1);
    const qsizetype dot2 = rest.indexOf(u'.');
    if (dot2 < 0) {
        p.property = rest;
    } else {
        p.element = rest.left(dot2);
        p.property = rest.mid(dot2 + 1);
    }
    if (p.property.isEmpty()) throw ScriptError(QStringLiteral("missing property: ") + path);
    return p;
}
}  // namespace

void ScriptDriver::get(const QStringList& w) {
    const QString& path = w[1];
    const Path p = splitPath(path);
    Screen& s = screenNamed(p.screen);
    const Target t = p.element.isEmpty() ? screenTarget(s) : targetOf(s, p.element);
    const QMetaProperty mp = propertyOf(t, p.property);
    out_ << path << '=' << formatValue(read(t, mp)) << '\n';
    out_.flush();
}

void ScriptDriver::set(const QStringList& w) {
    const Path p = splitPath(w[1]);
    Screen& s = screenNamed(p.screen);
    const Target t = p.element.isEmpty() ? screenTarget(s) : targetOf(s, p.element);
    write(t, propertyOf(t, p.property), w[2]);
}

void ScriptDriver::printProperties(const QString& prefix, const Target& t) {
    for (int i = t.firstProperty; i < t.meta->propertyCount(); ++i) {
        const QMetaProperty mp = t.meta->property(i);
        out_ << prefix << mp.name() << '=' << formatValue(read(t, mp)) << '\n';
    }
}

void ScriptDriver::dump(const QStringList& w) {
    const QString& name = w[1];
    Screen& s = screenNamed(name);
    printProperties(name + u'.', screenTarget(s));
    for (const QString& e : s.elementNames()) {
        if (s.isArray(e)) {
            for (int i : s.arrayIndices(e)) {
                const QString spec = QStringLiteral("%1(%2)").arg(e).arg(i);
                printProperties(QStringLiteral("%1.%2.").arg(name, spec), targetOf(s, spec));
            }
        } else {
            printProperties(QStringLiteral("%1.%2.").arg(name, e), targetOf(s, e));
        }
    }
    out_.flush();
}

namespace {
int toInt(const QString& w) {
    bool ok = false;
    const int v = w.toInt(&ok);
    if (!ok) throw ScriptError(QStringLiteral("not a whole number: ") + w);
    return v;
}
float toFloat(const QString& w) {
    double d = 0;
    if (!level::parseNumber(w, d)) throw ScriptError(QStringLiteral("not a number: ") + w);
    return static_cast<float>(d);
}
// The character code a key produces with the shift mask given, where it has one.
int asciiOf(int keyCode, int shift) {
    if (keyCode == key::Backspace || keyCode == key::Tab || keyCode == key::Enter ||
        keyCode == key::Escape || keyCode == key::Space)
        return keyCode;
    if (keyCode >= 48 && keyCode <= 57) return keyCode;
    if (keyCode >= 65 && keyCode <= 90) {
        if (shift & CtrlKey) return keyCode - 64;  // the control characters
        return shift & ShiftKey ? keyCode : keyCode + 32;
    }
    return 0;
}
// The shift mask of the modifier words after a key code: shift, ctrl, alt.
int shiftOf(const QStringList& w) {
    int mask = 0;
    for (qsizetype i = 3; i < w.size(); ++i) {
        if (w[i] == QLatin1String("shift")) {
            mask |= ShiftKey;
        } else if (w[i] == QLatin1String("ctrl")) {
            mask |= CtrlKey;
        } else if (w[i] == QLatin1String("alt")) {
            mask |= AltKey;
        } else {
            throw ScriptError(QStringLiteral("expected shift, ctrl or alt: ") + w[i]);
        }
    }
    return mask;
}
}  // namespace

// The commands: name, words allowed (the command's own included), handler.
const ScriptDriver::Command ScriptDriver::kCommands[] = {
    {"start", 1, 1, &ScriptDriver::start},       {"show", 2, 2, &ScriptDriver::show},
    {"unload", 2, 2, &ScriptDriver::unload},     {"click", 2, 2, &ScriptDriver::click},
    {"select", 3, 3, &ScriptDriver::select},     {"key", 3, 6, &ScriptDriver::key},
    {"keyup", 3, 6, &ScriptDriver::keyUp},       {"mouse", 6, 6, &ScriptDriver::mouse},
    {"mouse", 7, 7, &ScriptDriver::mouseAt},     {"fire", 2, 3, &ScriptDriver::fire},
    {"set", 3, 3, &ScriptDriver::set},           {"get", 2, 2, &ScriptDriver::get},
    {"dump", 2, 2, &ScriptDriver::dump},         {"snap", 3, 3, &ScriptDriver::snap},
    {"answer", 2, 3, &ScriptDriver::answer},     {"close", 2, 2, &ScriptDriver::close},
    {"stop", 1, 1, &ScriptDriver::stop},         {"savereplay", 2, 2, &ScriptDriver::saveReplay},
    {"drop", 3, 3, &ScriptDriver::drop},         {"focus", 3, 3, &ScriptDriver::focus},
    {"minimise", 2, 2, &ScriptDriver::minimise}, {"pad", 3, 5, &ScriptDriver::pad},
};

void ScriptDriver::execute(const QString& raw) {
    const QString line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(u'#')) return;
    const QStringList w = splitWords(line);
    // A command may have forms of different lengths, one entry each.
    bool known = false;
    for (const Command& c : kCommands) {
        if (w[0] != QLatin1String(c.name)) continue;
        known = true;
        if (w.size() < c.minWords || w.size() > c.maxWords) continue;
        (this->*c.handler)(w);
        return;
    }
    throw ScriptError((known ? QStringLiteral("wrong number of words for ")
                             : QStringLiteral("unknown command ")) +
                      w[0]);
}

Screen& ScriptDriver::screenOfElement(const QString& word, QString& spec) {
    const Path p = splitPath(word + QStringLiteral(".x"));
    spec = word.mid(p.screen.size() + 1);
    return screenNamed(p.screen);
}

void ScriptDriver::start(const QStringList&) {
    program_.dispatch([&] { program_.start(); });
}

void ScriptDriver::show(const QStringList& w) {
    screenNamed(w[1]);
    program_.dispatch([&] { program_.show(w[1]); });
}

void ScriptDriver::unload(const QStringList& w) {
    if (!program_.knows(w[1])) throw ScriptError(QStringLiteral("unknown screen ") + w[1]);
    program_.dispatch([&] { program_.unload(w[1]); });
}

void ScriptDriver::close(const QStringList& w) {
    program_.closedByUser(screenNamed(w[1]));
}

void ScriptDriver::stop(const QStringList&) {
    program_.interrupt();
}

void ScriptDriver::click(const QStringList& w) {
    QString spec;
    Screen& s = screenOfElement(w[1], spec);
    Element* e = nullptr;
    const Target t = targetOf(s, spec, &e);
    if (e) {
        program_.dispatch([&] {
            if (e->Click) e->Click();
        });
    } else if (auto* b = qobject_cast<CommandButton*>(t.object)) {
        b->click();
    } else if (auto* c = qobject_cast<CheckBox*>(t.object)) {
        c->click();
    } else if (auto* o = qobject_cast<OptionButton*>(t.object)) {
        o->click();
    } else if (auto* m = qobject_cast<MenuItem*>(t.object)) {
        m->click();
    } else {
        throw ScriptError(QStringLiteral("cannot click ") + w[1]);
    }
}

void ScriptDriver::select(const QStringList& w) {
    QString spec;
    Screen& s = screenOfElement(w[1], spec);
    auto* l = qobject_cast<ListControl*>(targetOf(s, spec).object);
    if (!l) throw ScriptError(QStringLiteral("cannot select in ") + w[1]);
    int i = -1;
    for (int k = 0; k < l->listCount(); ++k)
        if (l->list(k) == w[2]) i = k;
    if (i < 0) throw ScriptError(QStringLiteral("no item ") + quoted(w[2]));
    l->userSelect(i);
}

void ScriptDriver::key(const QStringList& w) {
    Screen& s = screenNamed(w[1]);
    const int code = toInt(w[2]);
    const int shift = shiftOf(w);
    s.deliverKeyDown(code, shift);
    if (const int a = asciiOf(code, shift)) s.deliverKeyPress(a);
}

void ScriptDriver::keyUp(const QStringList& w) {
    screenNamed(w[1]).deliverKeyUp(toInt(w[2]), shiftOf(w));
}

namespace {
Screen::MouseAction mouseAction(const QString& w) {
    if (w == QLatin1String("down")) return Screen::MouseAction::Down;
    if (w == QLatin1String("up")) return Screen::MouseAction::Up;
    if (w == QLatin1String("move")) return Screen::MouseAction::Move;
    throw ScriptError(QStringLiteral("expected down, up or move: ") + w);
}
}  // namespace

// mouse S[.NAME[(I)]] ACTION BUTTON X Y: to the element named, or the screen.
void ScriptDriver::mouse(const QStringList& w) {
    const qsizetype dot = w[1].indexOf(u'.');
    Screen& s = screenNamed(dot < 0 ? w[1] : w[1].left(dot));
    Element* e = nullptr;
    if (dot >= 0) {
        targetOf(s, w[1].mid(dot + 1), &e);
        if (!e) throw ScriptError(QStringLiteral("not a drawn element: ") + w[1]);
    }
    const Screen::MouseAction a = mouseAction(w[2]);
    s.deliverMouse(a, toInt(w[3]), 0, toFloat(w[4]), toFloat(w[5]), e, true);
}

// mouse S at ACTION BUTTON X Y: to whatever is under (X, Y), as the user's
// mouse goes.
void ScriptDriver::mouseAt(const QStringList& w) {
    if (w[2] != QLatin1String("at")) throw ScriptError(QStringLiteral("expected at: ") + w[2]);
    Screen& s = screenNamed(w[1]);
    const Screen::MouseAction a = mouseAction(w[3]);
    s.deliverMouse(a, toInt(w[4]), 0, toFloat(w[5]), toFloat(w[6]));
}

void ScriptDriver::fire(const QStringList& w) {
    QString spec;
    Screen& s = screenOfElement(w[1], spec);
    auto* t = qobject_cast<Timer*>(targetOf(s, spec).object);
    if (!t) throw ScriptError(QStringLiteral("not a timer: ") + w[1]);
    const int n = w.size() == 3 ? toInt(w[2]) : 1;
    QPointer<Timer> timer(t);
    for (int i = 0; i < n && timer; ++i)
        timer->fire();
}

// Not for tests: saves a picture of a screen, for looking at it.
void ScriptDriver::snap(const QStringList& w) {
    Screen& s = screenNamed(w[1]);
    if (!s.window()->grab().save(w[2])) throw ScriptError(QStringLiteral("cannot save ") + w[2]);
}

void ScriptDriver::saveReplay(const QStringList& w) {
    QString why;
    if (!program_.saveRecording(w[1], why)) throw ScriptError(QStringLiteral("savereplay: ") + why);
}

// A file dropped on a screen's window, as from a file manager.
void ScriptDriver::drop(const QStringList& w) {
    screenNamed(w[1]).deliverDrop({w[2]});
}

// pad S plug|unplug, pad S button NAME down|up, pad S axis NAME VALUE: the
// program's own pad, read at once into screen S.
void ScriptDriver::pad(const QStringList& w) {
    Gamepad* pad = program_.gamepad();
    if (!pad) throw ScriptError(QStringLiteral("this program has no game pad"));
    Screen& s = screenNamed(w[1]);
    QString why;
    bool done = false;
    if (w.size() == 3 && (w[2] == QLatin1String("plug") || w[2] == QLatin1String("unplug"))) {
        done = pad->plugOwn(w[2] == QLatin1String("plug"), why);
    } else if (w.size() == 5 && w[2] == QLatin1String("button") &&
               (w[4] == QLatin1String("down") || w[4] == QLatin1String("up"))) {
        done = pad->setOwnButton(w[3], w[4] == QLatin1String("down"), why);
    } else if (w.size() == 5 && w[2] == QLatin1String("axis")) {
        done = pad->setOwnAxis(w[3], toInt(w[4]), why);
    } else {
        throw ScriptError(
            QStringLiteral("expected plug, unplug, button NAME down|up or axis NAME VALUE"));
    }
    if (!done) throw ScriptError(QStringLiteral("pad: ") + why);
    pad->poll(s);
}

// focus S out: another window takes the focus from the screen's.
void ScriptDriver::focus(const QStringList& w) {
    if (w[2] != QLatin1String("out")) throw ScriptError(QStringLiteral("expected out: ") + w[2]);
    screenNamed(w[1]).deliverDeactivate();
}

// The screen's window minimised, as from its title bar.
void ScriptDriver::minimise(const QStringList& w) {
    Screen& s = screenNamed(w[1]);
    program_.dispatch([&] { s.setWindowState(Minimized); });
}

void ScriptDriver::answer(const QStringList& w) {
    if (w.size() == 2) {
        if (w[1] != QLatin1String("stop"))
            throw ScriptError(QStringLiteral("expected stop: ") + w[1]);
        services_.stopAtNextDialog();
    } else if (w[1] == QLatin1String("msgbox")) {
        services_.queueMsgBoxAnswer(toInt(w[2]));
    } else if (w[1] == QLatin1String("input")) {
        services_.queueInputAnswer(w[2]);
    } else {
        throw ScriptError(QStringLiteral("expected msgbox or input: ") + w[1]);
    }
}

}  // namespace tk
