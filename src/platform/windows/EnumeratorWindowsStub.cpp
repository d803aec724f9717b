#include "platform/Enumerator.h"

// Stands in for the enumerator's window operations until they are built: only what the shared
// snapshot calls, each with the answer of a system without windows. The window operations'
// file replaces this one.

namespace morvane::platform {

WindowId Enumerator::DesktopWind() {
    return 0;
}

void Enumerator::EnumWindowsInto(std::vector<WindowId>& /*winds*/) {}

} // namespace morvane::platform
