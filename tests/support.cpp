#include "support.h"

#include <QDir>
#include <QFile>

namespace testing {

const char* const kStartLevel =
    "8520,1920,1695,1095,5400,3120,1455,3135,3360,9240,1455,3135,2640,2040,1455,3135,3120,5880,"
    "1455,3135,5520,7560,1455,3135,0,10,1,15,\"2\"\r\n";

Fixture::Fixture() : services_(std::make_unique<tk::ScriptedServices>(dir_.path(), nullptr)) {}
Fixture::~Fixture() = default;

QString Fixture::path(const QString& name) const {
    return QDir(dir_.path()).filePath(name);
}

void Fixture::writeFile(const QString& name, const QByteArray& bytes) const {
    QFile f(path(name));
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

QByteArray Fixture::readFile(const QString& name) const {
    QFile f(path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList Fixture::takeLog() {
    QStringList l = services_->log();
    services_->clearLog();
    return l;
}

}  // namespace testing
