// The once-a-second watch over a long list: 100,000 tasks of which one, or all, wait for a
// program to exit or for quiet. Figures are reported, never checked here.
#include "core/Engine.h"
#include "support/FakeRig.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

using namespace morvane;

namespace {

// `rows` tasks, every `every`-th of them waiting (by name, by id, for the network and the
// processor in turn), the rest fixed-time tasks; 300 programs run.
struct WatchedList {
    WatchedList(int rows, int every) {
        for (int i = 0; i < 300; ++i) {
            rig.processes.running.push_back({"/usr/bin/app" + std::to_string(i), 1000 + i});
        }
        for (int i = 0; i < rows; ++i) {
            Task task{"app",  "/usr/bin/app",   "None", "2027/12/07 10:10:00",
                      "None", "Close - Normal", ""};
            if (i % every == 0) {
                const int kind = i / every % 4;
                task.closeTime = texts::kWaitingTime;
                task.type =
                    kind == 0 ? WhenExitsType(false, 0, "app7")
                    : kind == 1
                        ? WhenExitsType(false, 1000 + i % 300, "app" + std::to_string(i % 300))
                        : WhenQuietType(false,
                                        kind == 2 ? QuietSource::Network : QuietSource::Processor,
                                        50, "00-00-05-00");
            }
            engine.AddTask(std::move(task));
        }
    }

    test::FakeRig rig;
    Engine engine{rig.services, AppPaths{"/nonexistent", "/nonexistent", "morvane"}};
};

void BM_WatchTick(benchmark::State& state) {
    WatchedList watched(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        watched.rig.clock.Advance(1);
        watched.engine.MouseTick();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
// One waiting task among 100,000, and every task waiting.
BENCHMARK(BM_WatchTick)->Args({100000, 100000})->Args({100000, 1})->Unit(benchmark::kMillisecond);

} // namespace
