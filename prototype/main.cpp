// velmo: the jump test bed.
#include <QApplication>
#include <cstdio>

#include "prototype/program.h"
#include "toolkit/desktop.h"
#include "toolkit/folders.h"
#include "toolkit/qtservices.h"
#include "toolkit/signals.h"

namespace {
constexpr const char* kUsage =
    "Utilisation : velmo [--help | --version]\n"
    "Lance velmo, le banc d'essai des sauts de Zelk.\n"
    "\n"
    "  --help     affiche cette aide et quitte\n"
    "  --version  affiche la version et quitte\n";
}  // namespace

int main(int argc, char** argv) {
    if (const int code = tk::answerCommandLine(argc, argv, kUsage); code >= 0) return code;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "velmo: no display to open a window on (DISPLAY is not set); start it from a "
                     "desktop session, or under Xvfb.\n");
        return 1;
    }
    tk::PlatformArguments args(argc, argv);
    QApplication app(args.argc(), args.argv());
    app.setQuitOnLastWindowClosed(false);  // closing the screen unloads it, then the program ends
    // The game's data folder, which velmo shares; it keeps no settings.
    tk::QtServices services(tk::locateFolders(tk::executableFolder(), tk::dataHome(), QString(),
                                              QStringLiteral("zelk")));
    if (!tk::dataFolderFound(services, QString::fromLatin1(velmo::VelmoProgram::kTitle))) return 1;
    velmo::VelmoProgram program(services, false);
    tk::presentToDesktop(QStringLiteral("velmo"), QStringLiteral("org.zelk.Velmo"),
                         QStringLiteral(":/icons/velmo"));
    // Aside from another velmo's window rather than on top of it.
    level::FileLock place;
    program.setWindowOffset(tk::windowPlace(services.files(), QStringLiteral("velmo"), place));
    // Asked to stop by the system: the same end as the program's own.
    tk::StopSignals stop([&program] { program.interrupt(); });
    program.start();
    return app.exec();
}
