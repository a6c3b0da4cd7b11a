// zelk: the game.
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <memory>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "app/levelfolder.h"
#include "app/program.h"
#include "toolkit/desktop.h"
#include "toolkit/qtservices.h"
#include "toolkit/signals.h"
#include "toolkit/stats.h"

namespace {
// Allocations from this size up are mapped on their own, bytes.
constexpr int kMmapThreshold = 256 * 1024;

constexpr const char* kUsage =
    "Utilisation : zelk [--help | --version | NIVEAU.lev | FICHIER.rejeu]\n"
    "Lance Zelk, un jeu de plates-formes qui se joue à la souris.\n"
    "\n"
    "  NIVEAU.lev     copie le niveau dans vos niveaux et le choisit dans la liste\n"
    "  FICHIER.rejeu  montre une partie enregistrée\n"
    "  --help         affiche cette aide et quitte\n"
    "  --version      affiche la version et quitte\n"
    "\n"
    "Les niveaux du joueur sont rangés dans $XDG_DATA_HOME/zelk\n"
    "(par défaut ~/.local/share/zelk) quand le jeu est installé, et ses options\n"
    "dans $XDG_CONFIG_HOME/zelk/zelk.conf (par défaut ~/.config/zelk/zelk.conf).\n";

// The one file a file manager hands over (a level or a replay opened with
// Zelk); the options and anything else are answered by answerCommandLine.
QString fileToOpen(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '-') return {};
    return QFile::decodeName(argv[1]);
}

}  // namespace

int main(int argc, char** argv) {
    const QString file = fileToOpen(argc, argv);
    if (const int code = tk::answerCommandLine(file.isEmpty() ? argc : 1, argv, kUsage); code >= 0)
        return code;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fprintf(stderr,
                     "zelk: no display to open a window on (DISPLAY is not set); start it from a "
                     "desktop session, or under Xvfb.\n");
        return 1;
    }
#ifdef __GLIBC__
    // Each level allocates and frees pictures of a few megabytes (the game's
    // background layer, the result picture). Left to itself the allocator
    // keeps them in the heap after the first level; mapped apart, they go
    // back to the system when freed.
    mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
#endif
    tk::PlatformArguments args(argc, argv);
    QApplication app(args.argc(), args.argv());
    app.setQuitOnLastWindowClosed(false);  // the program decides when it ends
    // ZELK_STATS=FILE: counts of ticks and frames for measurements (README).
    std::unique_ptr<tk::Stats> stats;
    if (const QString path = qEnvironmentVariable("ZELK_STATS"); !path.isEmpty())
        stats = std::make_unique<tk::Stats>(path);
    tk::QtServices services(tk::locateFolders(tk::executableFolder(), tk::dataHome(),
                                              tk::configHome(),
                                              QString::fromLatin1(zelk::kFolderName)));
    if (!tk::dataFolderFound(services, QString::fromLatin1(zelk::ZelkProgram::kTitle))) return 1;
    zelk::ZelkProgram program(services, false);
    tk::presentToDesktop(QStringLiteral("zelk"), QStringLiteral("org.zelk.Zelk"),
                         QStringLiteral(":/icons/zelk"));
    program.setStats(stats.get());
    // Aside from another zelk's windows rather than on top of them.
    level::FileLock place;
    program.setWindowOffset(tk::windowPlace(services.files(), QStringLiteral("zelk"), place));
    // Asked to stop by the system: the same end as the program's own, without
    // questions; unsaved work is in its recovery copy.
    tk::StopSignals stop([&program] { program.interrupt(); });
    // ZELK_FULL_REPAINT=1: whole windows at every display frame, for comparison.
    program.setFullRepaint(qEnvironmentVariable("ZELK_FULL_REPAINT") == QLatin1String("1"));
    program.dispatch([&] {
        if (file.endsWith(QLatin1String(".rejeu"))) {
            program.startWithReplay(file);
        } else {
            if (!file.isEmpty()) program.openAtStart(QFileInfo(file).absoluteFilePath());
            program.start();
        }
    });
    // Stopped during a message of the start: the event loop is not started.
    return program.ended() ? 0 : app.exec();
}
