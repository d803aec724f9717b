// A long kept list: loading it at start-up with the table attached, one scheduler tick with the
// status over it, and the memory its tasks take. Figures are reported, never checked here.
#include "core/Engine.h"
#include "support/FakeRig.h"
#include "ui/StatusTexts.h"
#include "ui/TaskTableModel.h"

#include <QApplication>
#include <QString>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <malloc.h>
#include <map>
#include <string>
#include <unistd.h>

using namespace morvane;

namespace {

std::filesystem::path ListFolder(int rows) {
    return std::filesystem::temp_directory_path() /
           ("morvane-bench-list-" + std::to_string(::getpid()) + "-" + std::to_string(rows));
}

// The kept list of `rows` waiting tasks, due a year after the fake clock's day (none due), half
// close and half run, and settings with Autoload on so start-up loads it. Written once per size.
const std::filesystem::path& KeptFolder(int rows) {
    static std::map<int, std::filesystem::path> folders;
    auto found = folders.find(rows);
    if (found != folders.end()) {
        return found->second;
    }
    const std::filesystem::path folder = ListFolder(rows);
    std::filesystem::create_directories(folder);
    {
        std::ofstream out(folder / "default.mtf", std::ios::binary);
        for (int i = 0; i < rows; ++i) {
            const bool run = i % 2 == 1;
            out << (run ? "backup.sh" : "app") << '\t'
                << (run ? "/home/me/bin/backup.sh --all" : "/usr/bin/app") << '\t' << "None" << '\t'
                << "2027/12/07 " << (10 + i % 10) << ":" << (10 + i % 50) << ":00" << '\t'
                << (i % 3 == 0 ? "None" : "Every Day") << '\t'
                << (run ? "Run - Normal" : "Close - Normal") << '\t' << ""
                << "\r\n";
        }
    }
    {
        std::ofstream out(folder / "mvsetting.ini", std::ios::binary);
        out << "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
    }
    return folders.emplace(rows, folder).first->second;
}

AppPaths PathsFor(int rows) {
    const std::filesystem::path& folder = KeptFolder(rows);
    return AppPaths{folder, folder, "morvane"};
}

// The status line's and the tray tooltip's words, as the main window sets them after a change.
void WordStatus(const Engine& engine) {
    const QString next = StatusTexts::NextDue(engine);
    const QString armed = StatusTexts::Armed(engine);
    benchmark::DoNotOptimize(next.size() + armed.size());
}

// Start-up's load of the kept list: a fresh engine and table each time, then the status worded.
void BM_LoadKeptList(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const AppPaths paths = PathsFor(rows);
    for (auto _ : state) {
        test::FakeRig rig;
        Engine engine(rig.services, paths);
        TaskTableModel model(engine.Tasks());
        engine.LoadSettingsAndTasks();
        WordStatus(engine);
        if (engine.Tasks().Count() != rows) {
            state.SkipWithError("the kept list did not load in full");
        }
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

// One 500 ms tick over the loaded list, none due, and the status worded after it.
void BM_TickWithStatus(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    test::FakeRig rig;
    Engine engine(rig.services, PathsFor(rows));
    TaskTableModel model(engine.Tasks());
    engine.LoadSettingsAndTasks();
    for (auto _ : state) {
        engine.SchedulerTick();
        WordStatus(engine);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

// Every row's Type, Loop and After in the user's words, as a screen reader reading the whole
// table asks for them: no clock, file or time zone per row.
void BM_EveryRowsWords(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    test::FakeRig rig;
    Engine engine(rig.services, PathsFor(rows));
    TaskTableModel model(engine.Tasks());
    model.SetWordSources([&engine]() -> const LanguageTable& { return engine.Language(); },
                         [&engine] { return engine.IdleSeesAnyInput(); });
    engine.LoadSettingsAndTasks();
    for (auto _ : state) {
        qsizetype size = 0;
        for (int row = 0; row < rows; ++row) {
            for (const int column : {5, 6, 7}) {
                size += model.index(row, column).data().toString().size();
            }
        }
        benchmark::DoNotOptimize(size);
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

std::int64_t ResidentBytes() {
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) {
            resident = 0;
        }
        std::fclose(statm);
    }
    return static_cast<std::int64_t>(resident) * ::sysconf(_SC_PAGESIZE);
}

std::int64_t HeapInUseBytes() {
    const struct mallinfo2 info = ::mallinfo2();
    return static_cast<std::int64_t>(info.uordblks + info.hblkhd);
}

// What the loaded tasks take, engine and table included: resident memory and the heap in use,
// after the load minus before it. Run once and first, before other loads leave freed memory
// that the next one would reuse without growing.
void BM_LoadedMemory(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    const AppPaths paths = PathsFor(rows);
    double residentPerTask = 0;
    double heapPerTask = 0;
    for (auto _ : state) {
        test::FakeRig rig;
        Engine engine(rig.services, paths);
        TaskTableModel model(engine.Tasks());
        ::malloc_trim(0);
        const std::int64_t residentBefore = ResidentBytes();
        const std::int64_t heapBefore = HeapInUseBytes();
        engine.LoadSettingsAndTasks();
        WordStatus(engine);
        residentPerTask = static_cast<double>(ResidentBytes() - residentBefore) / rows;
        heapPerTask = static_cast<double>(HeapInUseBytes() - heapBefore) / rows;
    }
    constexpr double kMiB = 1024.0 * 1024.0;
    state.counters["rss_B_per_task"] = residentPerTask;
    state.counters["rss_MiB"] = residentPerTask * rows / kMiB;
    state.counters["heap_B_per_task"] = heapPerTask;
    state.counters["heap_MiB"] = heapPerTask * rows / kMiB;
}

} // namespace

BENCHMARK(BM_LoadedMemory)->Arg(100000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadKeptList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TickWithStatus)->Arg(10000)->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EveryRowsWords)->Arg(100000)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    // The table and its row pictures need a GUI application, but no screen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const int rows : {10000, 100000}) {
        std::error_code ec;
        std::filesystem::remove_all(ListFolder(rows), ec);
    }
    return 0;
}
