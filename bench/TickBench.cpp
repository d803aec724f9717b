// Cost of one scheduler tick over a large task list.
#include "core/AppExit.h"
#include "core/Options.h"
#include "core/scheduler/PowerDispatch.h"
#include "core/scheduler/ScheduleHooks.h"
#include "core/scheduler/Scheduler.h"
#include "core/scheduler/TaskActions.h"
#include "core/tasks/TaskList.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakePower.h"

#include <benchmark/benchmark.h>

using namespace morvane;

namespace {

struct NoActions final : TaskActions {
    void CloseProgram(const std::string&, int) override {}
    void RunProgram(const std::string&, int) override {}
};

struct NoHooks final : Rescan, ListKeeper {
    void Refresh() override {}
    void KeepList() override {}
};

struct NoExit final : AppExit {
    void QuitImmediately() override {}
    void ExitCommand() override {}
    bool IsEnding() const override { return false; }
};

void Tick(benchmark::State& state, bool lastDue) {
    const int rows = static_cast<int>(state.range(0));
    TaskList tasks;
    for (int i = 0; i < rows; ++i) {
        const bool due = lastDue && i == rows - 1;
        tasks.Append(Task{"app.exe", "/usr/bin/app", "None",
                          due ? "2026/12/07 09:00:00" : "2026/12/08 09:00:00", "Every Day",
                          "Close - Normal", ""});
    }
    Options options;
    platform::FakeClock clock{DateTime{2026, 12, 7, 10, 0, 0}};
    platform::FakePower power;
    PowerDispatch dispatch{power, options};
    NoActions actions;
    NoHooks hooks;
    NoExit exit;
    Scheduler scheduler{{tasks, options, clock, dispatch, actions, hooks, exit}};
    for (auto _ : state) {
        scheduler.Tick();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

void BM_TickNoneDue(benchmark::State& state) {
    Tick(state, false);
}
void BM_TickLastDue(benchmark::State& state) {
    Tick(state, true);
}

} // namespace

BENCHMARK(BM_TickNoneDue)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TickLastDue)->Arg(10000)->Unit(benchmark::kMicrosecond);
