// velmo: the jump test bed.
#include <QApplication>
#include <cstdio>

#include "prototype/program.h"
#include "toolkit/desktop.h"
#include "toolkit/qtservices.h"
#include "toolkit/signals.h"

int main(int argc, char** argv) {
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
    tk::QtServices services;
    velmo::VelmoProgram program(services, false);
    tk::presentToDesktop(QStringLiteral("velmo"), QStringLiteral("org.zelk.Velmo"),
                         QStringLiteral(":/icons/velmo"));
    // Asked to stop by the system: the same end as the program's own.
    tk::StopSignals stop([&program] { program.interrupt(); });
    program.start();
    return app.exec();
}
