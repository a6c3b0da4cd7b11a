// Benchmarks of the game's two hot paths: one firing of the game tick, and
// one frame of the game screen drawn by the real paint code. Both run on the
// scene of scene.h; the scene is put back every few ticks so that the load
// never thins out (frogs killed, the jump over). A third draws every screen a
// level reaches, for the worst level the readers accept and an ordinary one.
#include <benchmark/benchmark.h>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <vector>

#include "editor/frmedit.h"
#include "menus/frmpre.h"
#include "scene.h"
#include "tests/level_screens.h"

namespace {

using Clock = std::chrono::steady_clock;

// Ticks between two restorations of the scene: the player keeps rising.
constexpr int kRestoreEvery = 16;
// The game screen's window at scale 1, pixels.
constexpr int kWindowWidth = 1014, kWindowHeight = 734;

double seconds(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}

// One firing of the game timer, as the event loop runs it.
void tick(benchmark::State& state) {
    bench::GameScene scene(static_cast<int>(state.range(0)));
    zelk::frmsaut& game = scene.game();
    int n = 0;
    for (auto _ : state) {
        if (n++ % kRestoreEvery == 0) scene.restore();
        const auto t0 = Clock::now();
        game.Timer1.fire();
        state.SetIterationTime(seconds(t0, Clock::now()));
    }
    state.counters["frogs_alive"] = scene.greyFrogsAlive();
}

// The whole game screen drawn into the window's backing image; a tick runs
// between frames (not measured), as it does in the game.
void frame(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    bench::GameScene scene(15);
    zelk::frmsaut& game = scene.game();
    QImage image(kWindowWidth * scale, kWindowHeight * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    int n = 0;
    for (auto _ : state) {
        if (n++ % kRestoreEvery == 0) scene.restore();
        game.Timer1.fire();
        const auto t0 = Clock::now();
        {
            QPainter p(&image);
            game.render(p, QSize(kWindowWidth, kWindowHeight));
        }
        state.SetIterationTime(seconds(t0, Clock::now()));
    }
}

// What the game draws after a tick: the regions the tick changed, found and
// repainted over the last picture.
void regions(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    bench::GameScene scene(15);
    zelk::frmsaut& game = scene.game();
    const QSize window(kWindowWidth, kWindowHeight);
    game.window()->resize(window);
    game.relayout();
    QImage image(window * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    {
        QPainter p(&image);
        game.render(p, window);
    }
    game.takeChanges();
    int n = 0;
    for (auto _ : state) {
        // The restoration is a change of its own, drawn outside the measure.
        if (n++ % kRestoreEvery == 0) {
            scene.restore();
            QPainter p(&image);
            game.render(p, window, game.takeChanges());
        }
        game.Timer1.fire();
        const auto t0 = Clock::now();
        const QRegion changed = game.takeChanges();
        {
            QPainter p(&image);
            game.render(p, window, changed);
        }
        state.SetIterationTime(seconds(t0, Clock::now()));
    }
}

// The worst level the readers accept: six platforms as large as a platform
// may be, each covering the whole playfield, with every enemy; and an
// ordinary one, the editor's start layout with the same enemies.
constexpr const char* kWorstLevel =
    "-11010,-15210,22020,30420,-11010,-15210,22020,30420,-11010,-15210,22020,30420,"
    "-11010,-15210,22020,30420,-11010,-15210,22020,30420,-11010,-15210,22020,30420,"
    "1,50,7,100,\"10\"\r\n";
constexpr const char* kOrdinaryLevel =
    "8520,1920,1695,1095,5400,3120,1455,3135,3360,9240,1455,3135,2640,2040,1455,3135,"
    "3120,5880,1455,3135,5520,7560,1455,3135,1,50,7,100,\"10\"\r\n";

// One frame of a screen a level reaches, drawn as the program draws it: the
// game screen from its cached layer, the preview and the editor whole.
void levelScreens(benchmark::State& state) {
    testing::LevelScreens screens(QStringLiteral(ZELK_ASSETS_DIR));
    if (!screens.show(state.range(1) ? kWorstLevel : kOrdinaryLevel)) {
        state.SkipWithError("the level was refused");
        return;
    }
    zelk::ZelkProgram& program = screens.program();
    tk::Screen* const screen[] = {&program.get<zelk::frmsaut>(), &program.get<zelk::frmpre>(),
                                  &program.get<zelk::frmedit>()};
    tk::Screen& s = *screen[state.range(0)];
    QImage image;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        testing::LevelScreens::draw(s, image);
        state.SetIterationTime(seconds(t0, Clock::now()));
    }
}

double least(const std::vector<double>& v) {
    return *std::min_element(v.begin(), v.end());
}
double most(const std::vector<double>& v) {
    return *std::max_element(v.begin(), v.end());
}

}  // namespace

BENCHMARK(tick)
    ->Name("tick")
    ->ArgName("grey_frogs")
    ->Arg(1)
    ->Arg(4)
    ->Arg(8)
    ->Arg(15)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->ComputeStatistics("min", least)
    ->ComputeStatistics("max", most);

BENCHMARK(frame)
    ->Name("frame")
    ->ArgName("scale")
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", least)
    ->ComputeStatistics("max", most);

BENCHMARK(regions)
    ->Name("regions")
    ->ArgName("scale")
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", least)
    ->ComputeStatistics("max", most);

BENCHMARK(levelScreens)
    ->Name("level")
    ->ArgNames({"screen", "worst"})
    ->ArgsProduct({{0, 1, 2}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", least)
    ->ComputeStatistics("max", most);

int main(int argc, char** argv) {
    // Drawn into images only: no display needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
