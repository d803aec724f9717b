#include "platform/linux/x11/X11Dpms.h"

#include "platform/linux/x11/X11ErrorTrap.h"
#include "platform/linux/x11/X11Windows.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>
#include <string>

namespace morvane::platform::x11 {

Result X11Dpms::TurnMonitorOff(const std::string& displayName) {
    const std::unique_ptr<X11Windows> windows = X11Windows::Open();
    if (windows == nullptr) {
        return Result::Error(0, "left on, cannot open X display \"" + displayName + "\"");
    }
    Display* display = windows->Handle();
    int eventBase = 0;
    int errorBase = 0;
    if (!DPMSQueryExtension(display, &eventBase, &errorBase)) {
        return Result::Error(0, "left on, the X display has no DPMS extension");
    }
    if (!DPMSCapable(display)) {
        return Result::Error(0, "left on, the X display cannot change its power level");
    }
    // A refused request must not end the program through Xlib's default error handler.
    X11ErrorTrap trap(display);
    CARD16 level = 0;
    BOOL enabled = False;
    // The server refuses to force a level while DPMS is switched off.
    if (DPMSInfo(display, &level, &enabled) && !enabled) {
        DPMSEnable(display);
    }
    DPMSForceLevel(display, DPMSModeOff);
    if (trap.Failed()) {
        return Result::Error(trap.LastError(), "the X server refused to turn the display off");
    }
    return {};
}

} // namespace morvane::platform::x11
