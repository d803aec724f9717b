#pragma once

#include "platform/Autostart.h"

#include <map>
#include <string>

namespace morvane::platform {

/// Registrations held in memory; `failWith` makes the next writes fail with that message (and
/// `failCode`).
class FakeAutostart final : public Autostart {
public:
    bool IsAutostartRegistered(const std::string& name) override {
        return entries.find(name) != entries.end();
    }
    Result SetAutostart(const std::string& name, const std::string& folder, bool flag) override {
        if (!failWith.empty()) {
            return Result::Error(failCode, failWith);
        }
        if (flag) {
            entries[name] = folder;
        } else {
            entries.erase(name);
        }
        return {};
    }

    std::map<std::string, std::string> entries;
    std::string failWith;
    int failCode = 13;
};

} // namespace morvane::platform
