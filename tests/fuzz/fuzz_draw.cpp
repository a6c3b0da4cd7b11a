// Level files of any bytes, drawn: a level that some reader takes is shown on
// the preview, the game screen and the editor as a player reaches them, and
// every screen is painted offscreen, then again after the game's first ticks
// and a key in the editor. Run with a timeout of one second: a level that
// costs more than that to show and draw is a finding.
#include <QApplication>
#include <QByteArray>
#include <QImage>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "editor/frmedit.h"
#include "level/levelfile.h"
#include "tests/folder.h"
#include "tests/level_screens.h"

namespace {

// Game ticks before the second drawing.
constexpr int kTicks = 3;

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "fuzz_draw: %s\n", what);
    std::abort();
}

// What every run starts from. libFuzzer's entry points take no context, so
// the one application and the program live for the whole process.
struct Setup {
    int argc = 1;
    char name[10] = "fuzz_draw";
    char* argv[2] = {name, nullptr};
    QApplication app{argc, argv};
    testing::LevelScreens screens{QStringLiteral(ZELK_SOURCE_DIR "/assets")};
    QImage image;
};

Setup& setup() {
    static Setup s;
    return s;
}

// Qt's warnings (windows raised offscreen, and the like) would drown the
// fuzzer's own output.
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

void drawAll(Setup& s) {
    for (tk::Screen* screen : s.screens.shown())
        testing::LevelScreens::draw(*screen, s.image);
}

void showAndDraw(Setup& s, const QByteArray& level) {
    if (!s.screens.show(level)) fail("no screen shows a level that a reader takes");
    drawAll(s);
    s.screens.tick(kTicks);
    s.screens.program().get<zelk::frmedit>().deliverKeyDown(tk::key::Left, 0);
    drawAll(s);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    // The first drawing loads fonts and pictures: not part of any input.
    showAndDraw(setup(), QByteArray(testing::kStartLevel));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Levels that no reader takes never reach a screen; they are the level
    // fuzzer's.
    level::Record r;
    level::Error e;
    level::Level l;
    std::array<double, 4 * level::kPlatformCount> half{};
    if (!level::parse(bytes, QStringLiteral("niveau.lev"), r, e)) return 0;
    const bool taken = level::decodeForGame(r, QString(), l, e) ||
                       level::decodeForEditor(r, QString(), l, e) ||
                       level::decodePreview(r, QString(), half, e);
    if (!taken) return 0;
    showAndDraw(setup(), bytes);
    return 0;
}
