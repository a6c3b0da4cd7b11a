#include "folders.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "services.h"

namespace tk {

namespace {

bool writable(const QString& folder) {
    return ::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0;
}

// A base folder of the user's by the XDG rules: the variable when it is an
// absolute path, else underHome in HOME; empty when neither is.
QString userFolder(const QByteArray& xdg, const QByteArray& home, const char* underHome) {
    // Relative or empty values are ignored, as the rules say.
    QByteArray path;
    if (xdg.startsWith('/'))
        path = xdg;
    else if (home.startsWith('/'))
        path = home + underHome;
    else
        return {};
    const QString name = QFile::decodeName(path);
    if (QFile::encodeName(name) == path) return name;
    std::error_code ec;
    std::filesystem::create_directories(path.toStdString(), ec);
    const int fd = ::open(path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return {};
    return QStringLiteral("/proc/self/fd/%1").arg(fd);
}

}  // namespace

Folders locateFolders(const QString& exeDir, const QString& dataHome, const QString& configHome,
                      const QString& name) {
    if (exeDir.isEmpty() || !QFileInfo(exeDir).isDir()) return {};
    const QString levels = dataHome.isEmpty() ? QString() : QDir(dataHome).filePath(name);
    const QString settings =
        configHome.isEmpty() ? QString() : QDir(configHome).filePath(name + u'/' + name + ".conf");
    const QString installed = QDir::cleanPath(exeDir + QStringLiteral("/../share/") + name);
    if (!QFileInfo(installed).isDir()) {
        if (writable(exeDir)) return {exeDir, exeDir, {}};
        return {exeDir, levels, settings};
    }
    return {installed, levels, settings};
}

QString executableFolder() {
    QByteArray path(4096, Qt::Uninitialized);
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), static_cast<size_t>(path.size()));
    if (n <= 0 || n >= path.size()) return {};
    path.truncate(n);
    // How the system names an executable whose file is gone.
    const QByteArray deleted = " (deleted)";
    if (path.endsWith(deleted)) path.chop(deleted.size());
    const qsizetype slash = path.lastIndexOf('/');
    if (!path.startsWith('/') || slash < 0) return {};
    return QFile::decodeName(path.left(std::max<qsizetype>(slash, 1)));
}

QString dataHome(const QByteArray& xdgDataHome, const QByteArray& home) {
    return userFolder(xdgDataHome, home, "/.local/share");
}

QString dataHome() {
    return dataHome(qgetenv("XDG_DATA_HOME"), qgetenv("HOME"));
}

QString configHome(const QByteArray& xdgConfigHome, const QByteArray& home) {
    return userFolder(xdgConfigHome, home, "/.config");
}

QString configHome() {
    return configHome(qgetenv("XDG_CONFIG_HOME"), qgetenv("HOME"));
}

bool dataFolderFound(Services& services, const QString& program) {
    if (!services.dataFolder().isEmpty()) return true;
    services.msgBox(QStringLiteral("%1 ne trouve pas le dossier de ses images, de ses sons et de "
                                   "ses niveaux : le programme a sans doute été supprimé ou mis à "
                                   "jour depuis son lancement.\r\n\r\nRelancez-le.")
                        .arg(program),
                    mb::OkOnly | mb::Critical, program);
    return false;
}

}  // namespace tk
