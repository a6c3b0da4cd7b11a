#include "support.h"

namespace testing {

Fixture::Fixture() : services_(std::make_unique<tk::ScriptedServices>(folder(), nullptr)) {}
Fixture::~Fixture() = default;

QStringList Fixture::takeLog() {
    QStringList l = services_->log();
    services_->clearLog();
    return l;
}

}  // namespace testing
