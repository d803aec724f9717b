#pragma once

#include "platform/ProgramIconLookup.h"

#include <map>
#include <string>
#include <vector>

namespace morvane::platform {

/// Icons the test names per executable path or program name; remembers every question.
class FakeProgramIconLookup final : public ProgramIconLookup {
public:
    std::string IconFor(const ProgramIdentity& program) override {
        asked.push_back(program);
        for (const std::string* key : {&program.executablePath, &program.programName}) {
            if (const auto it = icons.find(*key); !key->empty() && it != icons.end()) {
                return it->second;
            }
        }
        return {};
    }

    std::map<std::string, std::string> icons; ///< executable path or program name -> icon
    std::vector<ProgramIdentity> asked;
};

} // namespace morvane::platform
