// The main menu's level list clicked with a large records file beside the
// levels: what a click costs once the file has been read, and the first
// read itself.
#include <benchmark/benchmark.h>
#include <QTemporaryDir>
#include <chrono>

#include "app/program.h"
#include "menus/frmmenu.h"
#include "tests/many_records.h"
#include "toolkit/scriptedservices.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kLevel =
    "8520,1920,1695,1095,5400,3120,1455,3135,3360,9240,1455,3135,2640,2040,1455,3135,"
    "3120,5880,1455,3135,5520,7560,1455,3135,0,10,1,%1,\"2\"\r\n";

struct Menu {
    QTemporaryDir folder;
    tk::ScriptedServices services{folder.path(), nullptr};
    zelk::ZelkProgram program{services, true};

    explicit Menu(int records) {
        auto write = [&](const QString& name, const QByteArray& bytes) {
            QFile f(QDir(folder.path()).filePath(name));
            if (f.open(QIODevice::WriteOnly)) f.write(bytes);
        };
        write(QStringLiteral(".records"), testing::manyRecords(records));
        for (int i = 0; i < 2; ++i)
            write(QStringLiteral("%1.lev").arg(i), QString::fromLatin1(kLevel).arg(i).toLatin1());
        program.show<zelk::frmmenu>();
    }
    void click(int row) { program.get<zelk::frmmenu>().File1.userSelect(row); }
};

double since(Clock::time_point t0) {
    return std::chrono::duration<double>(Clock::now() - t0).count();
}

// A click on the other level of the list, the records already read.
void click(benchmark::State& state) {
    Menu menu(static_cast<int>(state.range(0)));
    menu.click(0);
    int row = 0;
    for (auto _ : state) {
        row = 1 - row;
        const auto t0 = Clock::now();
        menu.click(row);
        state.SetIterationTime(since(t0));
    }
}

// The first click: the whole file read and checked.
void firstRead(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Menu menu(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        const auto t0 = Clock::now();
        menu.click(1);
        state.SetIterationTime(since(t0));
    }
}

}  // namespace

BENCHMARK(click)
    ->Name("records_click")
    ->ArgName("records")
    ->Arg(0)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK(firstRead)
    ->Name("records_first_read")
    ->ArgName("records")
    ->Arg(100000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
