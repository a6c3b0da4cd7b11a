// The scripted driver: runs a program headless from a script, with time
// frozen. Every element and state variable of every screen is reachable by
// name through Qt's property system.
#pragma once

#include <QMetaProperty>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <stdexcept>

class QTextStream;

namespace tk {

class Program;
class Screen;
class ScriptedServices;
struct Element;

struct ScriptError : std::runtime_error {
    explicit ScriptError(const QString& m) : std::runtime_error(m.toStdString()) {}
};

// Splits a script line into words; a word in double quotes may hold blanks and
// the escapes \" \\ \r \n.
QStringList splitWords(const QString& line);

// A value as `get` prints it.
QString formatValue(const QVariant& v);

class ScriptDriver {
public:
    ScriptDriver(Program& program, ScriptedServices& services, QTextStream& out);
    ~ScriptDriver();
    ScriptDriver(const ScriptDriver&) = delete;
    ScriptDriver& operator=(const ScriptDriver&) = delete;
    // Runs a whole script. Returns 0, or 2 after a script error (reported on
    // `err` with its line number).
    int run(QTextStream& in, QTextStream& err);
    // Runs one line; throws ScriptError.
    void execute(const QString& line);

private:
    struct Target {
        QObject* object = nullptr;
        void* gadget = nullptr;
        const QMetaObject* meta = nullptr;
        int firstProperty = 0;
    };
    Screen& screenNamed(const QString& name);
    Target targetOf(Screen& s, const QString& elementSpec, Element** element = nullptr);
    Target screenTarget(Screen& s);
    QMetaProperty propertyOf(const Target& t, const QString& name);
    QVariant read(const Target& t, const QMetaProperty& p);
    void write(const Target& t, const QMetaProperty& p, const QString& text);
    void printProperties(const QString& prefix, const Target& t);
    // The screen of a SCREEN.ELEMENT word; spec receives the ELEMENT part.
    Screen& screenOfElement(const QString& word, QString& spec);

    // The commands, each given the line's words (the command's own first).
    struct Command {
        const char* name;
        qsizetype minWords, maxWords;
        void (ScriptDriver::*handler)(const QStringList& words);
    };
    static const Command kCommands[];
    void start(const QStringList& w);
    void show(const QStringList& w);
    void close(const QStringList& w);
    void stop(const QStringList& w);
    void unload(const QStringList& w);
    void click(const QStringList& w);
    void select(const QStringList& w);
    void key(const QStringList& w);
    void keyUp(const QStringList& w);
    void mouse(const QStringList& w);
    void mouseAt(const QStringList& w);
    void fire(const QStringList& w);
    void set(const QStringList& w);
    void get(const QStringList& w);
    void dump(const QStringList& w);
    void snap(const QStringList& w);
    void answer(const QStringList& w);
    void saveReplay(const QStringList& w);
    void drop(const QStringList& w);
    void pad(const QStringList& w);
    void focus(const QStringList& w);
    void minimise(const QStringList& w);

    Program& program_;
    ScriptedServices& services_;
    QTextStream& out_;
};

}  // namespace tk
