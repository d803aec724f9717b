#pragma once

#include <cstdio>
#include <cstdlib>

namespace morvane::fuzz {

/// Stops the run as a crash when a reader broke its word, so that libFuzzer keeps the input.
inline void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

} // namespace morvane::fuzz
