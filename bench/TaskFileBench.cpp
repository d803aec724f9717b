// Writing and reading a task file of 100,000 tasks.
#include "core/storage/TaskFile.h"
#include "core/tasks/TaskList.h"

#include <benchmark/benchmark.h>

#include <filesystem>

using namespace morvane;

namespace {

constexpr int kTasks = 100000;

void Fill(TaskList& tasks) {
    for (int i = 0; i < kTasks; ++i) {
        tasks.Append(Task{"program" + std::to_string(i % 97) + ".exe",
                          "/usr/lib/some/folder/program" + std::to_string(i % 97),
                          std::to_string(1000 + i), "2026/12/07 18:00:00", "Every Day",
                          i % 3 == 0 ? "Close - After 00-01-30-00" : "Close - Normal",
                          i % 5 == 0 ? "Shutdown PC - Q" : ""});
    }
}

std::filesystem::path BenchFile() {
    return std::filesystem::temp_directory_path() / "morvane-bench-100k.mtf";
}

void BM_WriteTaskFile(benchmark::State& state) {
    TaskList tasks;
    Fill(tasks);
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteTaskFile(BenchFile(), tasks).Ok());
    }
    state.SetItemsProcessed(state.iterations() * kTasks);
}

void BM_ReadTaskFile(benchmark::State& state) {
    {
        TaskList tasks;
        Fill(tasks);
        (void)WriteTaskFile(BenchFile(), tasks);
    }
    for (auto _ : state) {
        TaskList tasks;
        benchmark::DoNotOptimize(ReadTaskFile(BenchFile(), tasks, DateTime{2026, 12, 7, 10, 0, 0}));
    }
    state.SetItemsProcessed(state.iterations() * kTasks);
    std::filesystem::remove(BenchFile());
}

} // namespace

BENCHMARK(BM_WriteTaskFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTaskFile)->Unit(benchmark::kMillisecond);
