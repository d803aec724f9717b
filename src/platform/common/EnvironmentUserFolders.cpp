#include "platform/common/EnvironmentUserFolders.h"

#include "types/PathText.h"

#include <cstdlib>

namespace morvane::platform {

std::filesystem::path EnvironmentUserFolders::FromEnvironment(const std::string& name) const {
    const char* value = std::getenv(name.c_str());
    return value != nullptr ? PathFromUtf8(value) : std::filesystem::path();
}

} // namespace morvane::platform
