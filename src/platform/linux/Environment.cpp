#include "platform/linux/Environment.h"

#include <cstdlib>

namespace morvane::platform {

std::string Environment::Get(const std::string& name) const {
    if (m_fixed) {
        const auto it = m_fixed->find(name);
        return it != m_fixed->end() ? it->second : std::string{};
    }
    const char* value = std::getenv(name.c_str());
    return value != nullptr ? value : "";
}

} // namespace morvane::platform
