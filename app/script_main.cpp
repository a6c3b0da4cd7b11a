// zelk-script: runs the game (or velmo) headless from a script on standard
// input, with time frozen. See README.md for the commands.
#include <QApplication>
#include <QTextStream>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/levelfolder.h"
#include "app/program.h"
#include "game/headless.h"
#include "game/reach.h"
#include "level/replay.h"
#include "prototype/program.h"
#include "toolkit/desktop.h"
#include "toolkit/scriptdriver.h"
#include "toolkit/scriptedservices.h"

namespace {
constexpr const char* kUsage =
    "Utilisation : zelk-script [--folder DOSSIER] [--levels DOSSIER] [--seed N]\n"
    "                          [--program zelk|velmo] < script\n"
    "       zelk-script [--folder DOSSIER] --rejeu FICHIER.rejeu\n"
    "       zelk-script [--folder DOSSIER] --rejeu-v2 FICHIER.rejeu NOUVEAU.rejeu\n"
    "       zelk-script [--folder DOSSIER] --verifier NIVEAU.lev\n"
    "Joue le jeu (ou velmo) sans fenêtre, temps arrêté, d'après un script lu\n"
    "sur l'entrée standard, et écrit ce qu'il fait sur la sortie standard.\n"
    "\n"
    "  --folder DOSSIER    le dossier des données et des niveaux\n"
    "  --levels DOSSIER    un autre dossier pour les niveaux\n"
    "  --seed N            la graine des nombres aléatoires\n"
    "  --program NOM       zelk (par défaut) ou velmo\n"
    "  --rejeu FICHIER     rejoue une partie enregistrée et dit comment elle finit :\n"
    "                      code 0 gagnée, 1 perdue ou inachevée, 3 si elle ne se\n"
    "                      reproduit pas (2 : fichier illisible)\n"
    "  --rejeu-v2 FICHIER NOUVEAU\n"
    "                      rejoue la partie de même et l'écrit dans NOUVEAU en\n"
    "                      version 2, l'empreinte de l'état après chaque tick\n"
    "                      (2 aussi : NOUVEAU ne peut pas être écrit)\n"
    "  --verifier NIVEAU   dit quelles plates-formes du niveau le joueur ne peut\n"
    "                      pas atteindre (code 0 : toutes le sont, 1 : non)\n"
    "  --help              affiche cette aide et quitte\n"
    "  --version           affiche la version et quitte\n";

// --rejeu FILE: the replay played through on a game with no window; says
// how it ends. --rejeu-v2 FILE NEW: the same, and written again in version 2
// to NEW.
int checkReplayFile(tk::Services& services, const QString& path, const QString& rewritten,
                    QTextStream& out, QTextStream& err) {
    level::Replay replay;
    QString why;
    if (!level::readReplayFile(services.files(), path, replay, why)) {
        err << why << '\n';
        return 2;
    }
    zelk::HeadlessRun run;
    if (!zelk::playHeadless(services, replay, run, !rewritten.isEmpty())) {
        out << "ne se reproduit pas : " << run.where << '\n';
        return 3;
    }
    if (!rewritten.isEmpty() && !level::writeReplayFile(services.files(), rewritten, replay, why)) {
        out << "« " << rewritten << " » ne peut pas être écrit : " << why << '\n';
        return 2;
    }
    out << zelk::outcomeLine(run.outcome, run.ticks) << '\n';
    return run.outcome == level::Outcome::Won ? 0 : 1;
}

int refuse(const QString& what) {
    std::fprintf(stderr, "zelk-script : %s\nEssayez « zelk-script --help » pour en savoir plus.\n",
                 qPrintable(what));
    return 2;
}
}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            tk::printVersion("zelk-script");
            return 0;
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Without --folder, the folders the game itself would use.
    tk::Folders folders =
        tk::locateFolders(tk::executableFolder(), tk::dataHome(), tk::configHome(),
                          QString::fromLatin1(zelk::kFolderName));
    QString levels;
    QString programName = QStringLiteral("zelk");
    QString verify;
    bool seeded = false;
    uint32_t seed = 0;
    const QStringList args = app.arguments();
    const QStringList withValue = {QStringLiteral("--folder"),  QStringLiteral("--levels"),
                                   QStringLiteral("--seed"),    QStringLiteral("--program"),
                                   QStringLiteral("--rejeu"),   QStringLiteral("--verifier"),
                                   QStringLiteral("--rejeu-v2")};
    QString replayFile, rewritten;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!withValue.contains(a))
            return refuse(a.startsWith(u'-') ? QStringLiteral("option inconnue « %1 »").arg(a)
                                             : QStringLiteral("argument inattendu « %1 »").arg(a));
        if (i + 1 >= args.size()) return refuse(QStringLiteral("%1 attend une valeur").arg(a));
        if (a == QLatin1String("--folder")) {
            folders.data = folders.levels = args[++i];
        } else if (a == QLatin1String("--levels")) {
            levels = args[++i];
        } else if (a == QLatin1String("--seed")) {
            bool ok = false;
            seed = args[++i].toUInt(&ok);
            if (!ok) return refuse(QStringLiteral("graine invalide « %1 »").arg(args[i]));
            seeded = true;
        } else if (a == QLatin1String("--rejeu")) {
            replayFile = args[++i];
        } else if (a == QLatin1String("--rejeu-v2")) {
            if (i + 2 >= args.size())
                return refuse(QStringLiteral("%1 attend deux valeurs").arg(a));
            replayFile = args[++i];
            rewritten = args[++i];
        } else if (a == QLatin1String("--verifier")) {
            verify = args[++i];
        } else {
            programName = args[++i];
        }
    }
    QTextStream out(stdout), err(stderr), in(stdin);
    out.setEncoding(QStringConverter::Utf8);
    in.setEncoding(QStringConverter::Utf8);
    // A replay played through says only how it ends: what the game does
    // (its sounds) is kept aside.
    QString aside;
    QTextStream asideStream(&aside);
    tk::ScriptedServices services(folders.data, replayFile.isEmpty() ? &out : &asideStream);
    services.setFolders(folders.data, levels.isEmpty() ? folders.levels : levels);
    // A folder named keeps the options beside its levels, so that a run on
    // it touches nothing of the player's.
    if (!levels.isEmpty() || args.contains(QStringLiteral("--folder"))) folders.settings.clear();
    services.setSettingsFile(folders.settings);
    if (seeded) services.rng().reseed(seed);
    if (!replayFile.isEmpty()) {
        const int code = checkReplayFile(services, replayFile, rewritten, out, err);
        out.flush();
        return code;
    }
    // The check runs on a headless field: no program is needed.
    if (!verify.isEmpty()) return zelk::verifyLevelFile(services, verify, out, err);
    std::unique_ptr<tk::Program> program;
    if (programName == QLatin1String("zelk")) {
        program = std::make_unique<zelk::ZelkProgram>(services, true);
    } else if (programName == QLatin1String("velmo")) {
        program = std::make_unique<velmo::VelmoProgram>(services, true);
    } else {
        return refuse(QStringLiteral("programme inconnu « %1 »").arg(programName));
    }
    tk::ScriptDriver driver(*program, services, out);
    const int code = driver.run(in, err);
    out.flush();
    return code;
}
