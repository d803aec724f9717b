#include "platform/PlatformServices.h"

#include "platform/common/SystemClock.h"

namespace morvane::platform {

PlatformServices CreatePlatformServices(const PlatformSetup& /*setup*/) {
    PlatformServices services;
    services.clock = std::make_unique<SystemClock>();
    return services;
}

} // namespace morvane::platform
