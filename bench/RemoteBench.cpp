// What other programs ask of a long list: --list over every task, a task added at its end, and
// --cancel all with one removal announced per task. Figures are reported, never checked here.
#include "core/Engine.h"
#include "core/remote/RemoteDesk.h"
#include "platform/fake/FakeControl.h"
#include "support/FakeRig.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

using namespace morvane;

namespace {

struct LongList {
    // Loaded from a file, as a kept list is at start-up.
    explicit LongList(int rows) {
        std::filesystem::create_directories(folder);
        {
            std::ofstream out(folder / "long.mtf", std::ios::binary);
            for (int i = 0; i < rows; ++i) {
                const bool run = i % 2 == 1;
                out << (run ? "backup.sh\tbackup.sh --all" : "app\t/usr/bin/app")
                    << "\tNone\t2027/12/07 10:10:00\t" << (i % 3 == 0 ? "None" : "Every Day")
                    << '\t' << (run ? "Run - Normal" : "Close - Normal") << "\t\r\n";
            }
        }
        engine.LoadTasks(folder / "long.mtf");
    }
    ~LongList() { std::filesystem::remove_all(folder); }
    LongList(const LongList&) = delete;
    LongList& operator=(const LongList&) = delete;

    std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                   ("morvane-bench-remote-" + std::to_string(::getpid()));
    test::FakeRig rig;
    Engine engine{rig.services, AppPaths{folder, folder, "morvane"}};
    platform::FakeControlServer server;
    RemoteDesk desk{engine, server};
};

void BM_ListEveryTask(benchmark::State& state) {
    LongList list(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.desk.Answer({platform::ControlVerb::List, {}, 0}));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ListEveryTask)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_AddAtTheEnd(benchmark::State& state) {
    LongList list(static_cast<int>(state.range(0)));
    const platform::ControlRequest add{
        platform::ControlVerb::Add, {{"action", "shutdown"}, {"in", "1d"}}, 0};
    for (auto _ : state) {
        benchmark::DoNotOptimize(list.desk.Answer(add));
    }
}
BENCHMARK(BM_AddAtTheEnd)->Arg(1000)->Arg(100000)->Unit(benchmark::kMicrosecond);

void BM_CancelAll(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<LongList>(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        benchmark::DoNotOptimize(list->desk.Answer({platform::ControlVerb::CancelAll, {}, 0}));
        state.PauseTiming();
        list.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CancelAll)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
