// zelk: the game.
#include <QApplication>
#include <cstdio>

#include "app/program.h"
#include "toolkit/qtservices.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "zelk: no display to open a window on (DISPLAY is not set); start it from a "
                     "desktop session, or under Xvfb.\n");
        return 1;
    }
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);  // the program decides when it ends
    tk::QtServices services;
    zelk::ZelkProgram program(services, false);
    program.start();
    return app.exec();
}
