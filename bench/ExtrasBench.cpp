// What the warning, notification and status additions cost: one scheduler tick of the engine
// with the status the windows read after it, and the history file at its full length.
#include "core/Engine.h"
#include "core/extras/History.h"
#include "support/FakeRig.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace morvane;

namespace {

std::filesystem::path BenchFolder() {
    return std::filesystem::temp_directory_path() / "morvane-bench-extras";
}

// A tick over `rows` tasks, none due, every fifth with a power action (so each is looked at
// for the five- and one-minute notices), then the next due row and its time left.
void BM_EngineTickWithStatus(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    test::FakeRig rig;
    std::filesystem::create_directories(BenchFolder());
    Engine engine(rig.services, AppPaths{BenchFolder(), BenchFolder(), "morvane"});
    Preferences prefs;
    prefs.warnBeforeActing = true;
    prefs.notifyPowerSoon = true;
    engine.SetPreferences(prefs);
    for (int i = 0; i < rows; ++i) {
        engine.AddTask(Task{"app", "/usr/bin/app", "None", "2026/12/08 09:00:00", "Every Day",
                            "Close - Normal", i % 5 == 0 ? "Shutdown PC" : ""});
    }
    for (auto _ : state) {
        engine.SchedulerTick();
        benchmark::DoNotOptimize(engine.SecondsLeft(engine.NextDueRow()));
    }
    state.SetItemsProcessed(state.iterations() * rows);
    std::filesystem::remove_all(BenchFolder());
}

HistoryEvent Event(int i) {
    return {DateTime{2026, 12, 7, 10, 0, i % 60}, HistoryEvent::Kind::CouldNotStart,
            "/home/me/bin/backup.sh --all", 0, "No such file or directory"};
}

std::filesystem::path HistoryFile() {
    return BenchFolder() / "history.log";
}

// A history of kLimit events, in its file.
void FillHistoryFile(History& history) {
    std::filesystem::create_directories(BenchFolder());
    history.Load(HistoryFile());
    for (int i = 0; i < static_cast<int>(History::kLimit); ++i) {
        (void)history.Append(Event(i));
    }
}

// One event more on a full history: the whole file is written again, atomically.
void BM_HistoryAppendFull(benchmark::State& state) {
    History history;
    FillHistoryFile(history);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.Append(Event(++i)).Ok());
    }
    std::filesystem::remove_all(BenchFolder());
}

// Start-up reads the full history once.
void BM_HistoryLoadFull(benchmark::State& state) {
    {
        History history;
        FillHistoryFile(history);
    }
    for (auto _ : state) {
        History history;
        history.Load(HistoryFile());
        benchmark::DoNotOptimize(history.Events().size());
    }
    std::filesystem::remove_all(BenchFolder());
}

} // namespace

BENCHMARK(BM_EngineTickWithStatus)->Arg(100)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryAppendFull)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HistoryLoadFull)->Unit(benchmark::kMicrosecond);
