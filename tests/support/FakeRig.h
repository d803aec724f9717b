#pragma once

#include "core/Engine.h"
#include "platform/fake/FakeAutostart.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeFileSync.h"
#include "platform/fake/FakeIdleSource.h"
#include "platform/fake/FakeLauncher.h"
#include "platform/fake/FakePower.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/fake/FakeSystemLoad.h"

#include <string>
#include <vector>

namespace morvane::test {

/// The platform services an Engine takes, all of them recording fakes: the clock stands at
/// 2026/12/07 10:00:00 and our own pid is 4242. Nothing here touches the machine.
struct FakeRig {
    FakeRig() = default;
    FakeRig(const FakeRig&) = delete;
    FakeRig& operator=(const FakeRig&) = delete;

    platform::FakeClock clock{DateTime{2026, 12, 7, 10, 0, 0}};
    platform::FakePower power;
    platform::FakeProcesses processes{4242};
    platform::FakeLauncher launcher;
    platform::FakeIdleSource idle;
    platform::FakeAutostart autostart;
    platform::FakeFileSync fileSync;
    platform::FakeSystemLoad load;
    /// The lines the engine logged.
    std::vector<std::string> logged;
    Engine::Services services{clock,
                              power,
                              processes,
                              launcher,
                              idle,
                              autostart,
                              DateOrder::DayFirst,
                              TextCodec::Default(),
                              &fileSync,
                              [this](const std::string& line) { logged.push_back(line); },
                              &load};
};

} // namespace morvane::test
