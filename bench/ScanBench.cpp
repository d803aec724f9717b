// The running-programs scan on Linux: over this machine's processes, then with 500 more children
// of ours. Beside it, the floor: listing /proc and one readlink per process, which the scan
// cannot beat.
#include "core/RunningPrograms.h"
#include "platform/linux/LinuxProcesses.h"

#include <benchmark/benchmark.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <memory>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using morvane::RunningPrograms;
using morvane::platform::LinuxProcesses;
using morvane::platform::ProcessInfo;

// Sleeping children that die with the benchmark, whatever happens to it.
class Children {
public:
    explicit Children(int count) {
        const pid_t parent = getpid();
        for (int i = 0; i < count; ++i) {
            const pid_t pid = fork();
            if (pid == 0) {
                prctl(PR_SET_PDEATHSIG, SIGKILL);
                if (getppid() != parent) {
                    _exit(1);
                }
                execl("/usr/bin/sleep", "sleep", "3600", static_cast<char*>(nullptr));
                _exit(127);
            }
            if (pid > 0) {
                m_pids.push_back(pid);
            }
        }
        // Measure them as programs, not as copies of this one on their way to exec.
        LinuxProcesses processes;
        for (const pid_t pid : m_pids) {
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (processes.ProcessName(pid) != "sleep" &&
                   std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
    }
    ~Children() {
        for (const pid_t pid : m_pids) {
            kill(pid, SIGKILL);
        }
        for (const pid_t pid : m_pids) {
            while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }
    }
    Children(const Children&) = delete;
    Children& operator=(const Children&) = delete;

private:
    std::vector<pid_t> m_pids;
};

std::vector<std::string> ExeLinks() {
    std::vector<std::string> links;
    if (DIR* dir = opendir("/proc")) {
        while (const dirent* entry = readdir(dir)) {
            if (entry->d_name[0] >= '1' && entry->d_name[0] <= '9') {
                links.push_back(std::string("/proc/") + entry->d_name + "/exe");
            }
        }
        closedir(dir);
    }
    return links;
}

void Scan(benchmark::State& state) {
    LinuxProcesses processes;
    std::size_t found = 0;
    for (auto _ : state) {
        std::vector<ProcessInfo> scan = processes.ScanRunningPrograms();
        found = scan.size();
        benchmark::DoNotOptimize(scan.data());
    }
    state.counters["listed"] = static_cast<double>(found);
    state.counters["in_proc"] = static_cast<double>(ExeLinks().size());
}

// What the user waits for: the scan and the lists and rows built from it.
void ScanAndLists(benchmark::State& state) {
    LinuxProcesses processes;
    RunningPrograms lists;
    for (auto _ : state) {
        lists.Rebuild(processes.ScanRunningPrograms(), &processes);
        benchmark::DoNotOptimize(lists.Programs().data());
    }
    state.counters["listed"] = static_cast<double>(lists.Scanned().size());
    state.counters["rows"] = static_cast<double>(lists.Programs().size());
}

// The floor: the same /proc listing and one readlink per process, keeping nothing.
void ListAndReadlinkOnly(benchmark::State& state) {
    char target[4096];
    for (auto _ : state) {
        for (const std::string& link : ExeLinks()) {
            benchmark::DoNotOptimize(readlink(link.c_str(), target, sizeof target));
        }
    }
}

// Below the floor: readlink alone over names prepared beforehand.
void ReadlinkOnly(benchmark::State& state) {
    const std::vector<std::string> links = ExeLinks();
    char target[4096];
    for (auto _ : state) {
        for (const std::string& link : links) {
            benchmark::DoNotOptimize(readlink(link.c_str(), target, sizeof target));
        }
    }
    state.counters["links"] = static_cast<double>(links.size());
}

// The 500 extra children start with the first benchmark that wants them and stay until the end,
// so the machine-only runs registered before them see the machine alone.
std::unique_ptr<Children> g_extra;

template <void (*Measure)(benchmark::State&)> void WithExtraChildren(benchmark::State& state) {
    if (!g_extra) {
        g_extra = std::make_unique<Children>(500);
    }
    Measure(state);
}

template <void (*Measure)(benchmark::State&)>
void Register(const std::string& name, bool extraChildren) {
    benchmark::RegisterBenchmark(((extraChildren ? "plus500children/" : "machine/") + name).c_str(),
                                 extraChildren ? WithExtraChildren<Measure> : Measure)
        ->Unit(benchmark::kMicrosecond);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    // Registration order is run order: the machine alone first.
    for (const bool extra : {false, true}) {
        Register<Scan>("ScanRunningPrograms", extra);
        Register<ScanAndLists>("ScanAndLists", extra);
        Register<ListAndReadlinkOnly>("ListAndReadlinkOnly", extra);
        Register<ReadlinkOnly>("ReadlinkOnly", extra);
    }
    benchmark::RunSpecifiedBenchmarks();
    g_extra.reset();
    benchmark::Shutdown();
    return 0;
}
