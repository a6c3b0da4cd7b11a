// A fresh temporary folder for a test, with level files written and read
// back; Qt Core only, so that the level library's tests can use it.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace testing {

// The start layout line that a new level is saved as.
inline constexpr const char* kStartLevel =
    "8520,1920,1695,1095,5400,3120,1455,3135,3360,9240,1455,3135,2640,2040,1455,3135,3120,5880,"
    "1455,3135,5520,7560,1455,3135,0,10,1,15,\"2\"\r\n";

class Folder {
public:
    QString folder() const { return dir_.path(); }
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    void writeFile(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    QByteArray readFile(const QString& name) const {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

private:
    QTemporaryDir dir_;
};

}  // namespace testing
