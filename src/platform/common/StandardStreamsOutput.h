#pragma once

#include "platform/CommandOutput.h"

#include <cstdio>
#include <iostream>

namespace morvane::platform {

/// A terminal program's answers: straight to its standard output and error.
class StandardStreamsOutput final : public CommandOutput {
public:
    std::ostream& Out() override { return std::cout; }
    std::ostream& Err() override { return std::cerr; }
    // Only standard output counts: a script reading the answer must not take a cut-off one
    // for the whole.
    bool Finish() override {
        std::cerr.flush();
        std::cout.flush();
        return std::cout.good() && std::fflush(stdout) == 0;
    }
};

} // namespace morvane::platform
