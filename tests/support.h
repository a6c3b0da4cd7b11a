// Helpers shared by the tests: a program with scripted services in a fresh
// temporary program folder, and level files written for a test.
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include "toolkit/scriptedservices.h"

namespace tk {
class Program;
}

namespace testing {

// The start layout line that a new level is saved as.
extern const char* const kStartLevel;

class Fixture {
public:
    Fixture();
    ~Fixture();
    QString folder() const { return dir_.path(); }
    QString path(const QString& name) const;
    void writeFile(const QString& name, const QByteArray& bytes) const;
    QByteArray readFile(const QString& name) const;
    tk::ScriptedServices& services() { return *services_; }
    // Messages and other service calls seen so far, then forgotten.
    QStringList takeLog();

private:
    QTemporaryDir dir_;
    std::unique_ptr<tk::ScriptedServices> services_;
};

}  // namespace testing
