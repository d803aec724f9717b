#pragma once

#include <string>

namespace morvane::test {

/// The compositor scripts/with-wayland.sh started for this run ("kwin", "sway", ...); empty
/// outside it.
std::string Compositor();
/// The Wayland display it listens on.
std::string LiveDisplay();

/// Makes real input on the seat: KWin's fake input from here, else the command the script
/// names (MORVANE_TEST_INPUT). False, with the reason in `why`, when it could not.
bool MakeInput(std::string& why);

} // namespace morvane::test

/// Skips the test unless it runs on `name`'s private desktop.
#define MORVANE_REQUIRE_COMPOSITOR(name)                                                           \
    do {                                                                                           \
        if (::morvane::test::Compositor() != (name)) {                                             \
            GTEST_SKIP() << "runs on " << (name) << " (scripts/with-wayland.sh)";                  \
        }                                                                                          \
    } while (false)
