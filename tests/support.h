// Helpers shared by the tests: scripted services on a fresh temporary
// program folder, and level files written for a test.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "folder.h"
#include "toolkit/scriptedservices.h"

namespace tk {
class Program;
}

namespace testing {

class Fixture : public Folder {
public:
    Fixture();
    ~Fixture();
    tk::ScriptedServices& services() { return *services_; }
    // Messages and other service calls seen so far, then forgotten.
    QStringList takeLog();

private:
    std::unique_ptr<tk::ScriptedServices> services_;
};

}  // namespace testing
