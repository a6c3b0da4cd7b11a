// zelk-script: runs the game (or velmo) headless from a script on standard
// input, with time frozen. See README.md for the commands.
#include <QApplication>
#include <QStandardPaths>
#include <QTextStream>
#include <cstdio>
#include <memory>

#include "app/program.h"
#include "prototype/program.h"
#include "toolkit/folders.h"
#include "toolkit/scriptdriver.h"
#include "toolkit/scriptedservices.h"

namespace {
int usage() {
    std::fprintf(stderr,
                 "usage: zelk-script [--folder DIR] [--levels DIR] [--seed N] "
                 "[--program zelk|velmo] < script\n");
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Without --folder, the folders the game itself would use.
    tk::Folders folders =
        tk::locateFolders(QCoreApplication::applicationDirPath(),
                          QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QString levels;
    QString programName = QStringLiteral("zelk");
    bool seeded = false;
    uint32_t seed = 0;
    const QStringList args = app.arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (i + 1 >= args.size()) return usage();
        if (a == QLatin1String("--folder")) {
            folders.data = folders.levels = args[++i];
        } else if (a == QLatin1String("--levels")) {
            levels = args[++i];
        } else if (a == QLatin1String("--seed")) {
            bool ok = false;
            seed = args[++i].toUInt(&ok);
            if (!ok) return usage();
            seeded = true;
        } else if (a == QLatin1String("--program")) {
            programName = args[++i];
        } else {
            return usage();
        }
    }
    QTextStream out(stdout), err(stderr), in(stdin);
    out.setEncoding(QStringConverter::Utf8);
    in.setEncoding(QStringConverter::Utf8);
    tk::ScriptedServices services(folders.data, &out);
    services.setFolders(folders.data, levels.isEmpty() ? folders.levels : levels);
    if (seeded) services.rng().reseed(seed);
    std::unique_ptr<tk::Program> program;
    if (programName == QLatin1String("zelk")) {
        program = std::make_unique<zelk::ZelkProgram>(services, true);
    } else if (programName == QLatin1String("velmo")) {
        program = std::make_unique<velmo::VelmoProgram>(services, true);
    } else {
        return usage();
    }
    tk::ScriptDriver driver(*program, services, out);
    const int code = driver.run(in, err);
    out.flush();
    return code;
}
