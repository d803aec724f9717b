#pragma once

#include <map>
#include <optional>
#include <string>

namespace morvane::platform {

/// Environment variables: the process's own, or a fixed set a test hands in.
class Environment final {
public:
    /// The process's environment, read when asked.
    Environment() = default;
    /// Exactly these variables and no others.
    explicit Environment(std::map<std::string, std::string> variables)
        : m_fixed(std::move(variables)) {}

    /// The variable's value; empty when it is unset or empty, which mean the same to us.
    [[nodiscard]] std::string Get(const std::string& name) const;

private:
    std::optional<std::map<std::string, std::string>> m_fixed;
};

} // namespace morvane::platform
