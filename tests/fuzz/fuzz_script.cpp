// Driver scripts of any bytes, run line by line on a fresh Zelk program with
// time frozen, in a program folder of its own under a temporary folder: every
// line either runs or is refused with a script error, and nothing is written
// beside the program folder.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/program.h"
#include "toolkit/scriptdriver.h"
#include "toolkit/scriptedservices.h"

namespace {

// Bounds that keep one input short: lines run, and timer firings per line.
constexpr int kMaxLines = 200;
constexpr int kMaxFirings = 100;

[[noreturn]] void fail(const char* what, const QString& detail) {
    std::fprintf(stderr, "fuzz_script: %s: %s\n", what, detail.toUtf8().constData());
    std::abort();
}

// What every run starts from. libFuzzer's entry points take no context, so
// the one application and the folder's files live for the whole process.
struct Setup {
    int argc = 1;
    char name[12] = "fuzz_script";
    char* argv[2] = {name, nullptr};
    QApplication app{argc, argv};
    std::vector<std::pair<QString, QByteArray>> files;

    Setup() {
        const QDir src(QStringLiteral(ZELK_SOURCE_DIR));
        const QStringList from = {QStringLiteral("assets/levels/*.lev"),
                                  QStringLiteral("tests/levels/*.lev"),
                                  QStringLiteral("assets/folder/TIPOFDAY.TXT")};
        for (const QString& pattern : from) {
            const QDir dir(src.filePath(QFileInfo(pattern).path()));
            for (const QFileInfo& f :
                 dir.entryInfoList({QFileInfo(pattern).fileName()}, QDir::Files)) {
                QFile file(f.filePath());
                if (file.open(QIODevice::ReadOnly))
                    files.emplace_back(f.fileName(), file.readAll());
            }
        }
        if (files.empty()) fail("no levels found under", src.path());
    }
};

Setup& setup() {
    static Setup s;
    return s;
}

// Lines the driver runs but a fuzzer must not: "snap" saves a picture at any
// path, and a huge firing count is a long run rather than a fault.
bool refused(const QString& line) {
    QStringList w;
    try {
        w = tk::splitWords(line.trimmed());
    } catch (const tk::ScriptError&) {
        return false;  // the driver refuses it itself
    }
    if (w.isEmpty()) return false;
    if (w[0] == QLatin1String("snap")) return true;
    return w[0] == QLatin1String("fire") && w.size() == 3 && w[2].toLongLong() > kMaxFirings;
}

// Qt's warnings (windows raised offscreen, and the like) would drown the
// fuzzer's own output.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    setup();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Setup& s = setup();
    QTemporaryDir outer;
    if (!outer.isValid()) fail("no temporary folder", outer.errorString());
    const QString folder = QDir(outer.path()).filePath(QStringLiteral("zelk"));
    QDir().mkdir(folder);
    for (const auto& [name, bytes] : s.files) {
        QFile f(QDir(folder).filePath(name));
        if (f.open(QIODevice::WriteOnly)) f.write(bytes);
    }
    {
        QString printed;
        QTextStream out(&printed);
        tk::ScriptedServices services(folder, nullptr);
        zelk::ZelkProgram program(services, true);
        tk::ScriptDriver driver(program, services, out);
        const QStringList lines =
            QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size))
                .split(u'\n');
        for (qsizetype i = 0; i < lines.size() && i < kMaxLines; ++i) {
            if (refused(lines[i])) continue;
            try {
                driver.execute(lines[i]);
            } catch (const tk::ScriptError&) {
            } catch (const tk::ProgramEnded&) {
                break;
            }
            program.collectGarbage();
        }
    }
    // Widgets the program let go of are deleted before the next run.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const QStringList beside =
        QDir(outer.path())
            .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    if (beside != QStringList{QStringLiteral("zelk")})
        fail("written beside the program folder", beside.join(u' '));
    return 0;
}
