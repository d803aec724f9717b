#include "platform/linux/LinuxPower.h"

#include "platform/linux/LogindClient.h"

#include <X11/Xlib.h>
#include <X11/extensions/dpms.h>
#include <cstdlib>
#include <unistd.h>

namespace morvane::platform {

namespace {

// A refused DPMS request must not end the program through Xlib's default error handler.
bool g_xRequestFailed = false;

int NoteXError(Display* /*display*/, XErrorEvent* /*event*/) {
    g_xRequestFailed = true;
    return 0;
}

} // namespace

LinuxPower::LinuxPower(LogSink log, SessionProbe session)
    : m_log(std::move(log)), m_session(std::move(session)) {}

void LinuxPower::EnableShutdownPrivilege() {
    LogindClient logind;
    if (!logind.Failure().empty()) {
        m_log("power: " + logind.Failure());
        return;
    }
    std::string line = "power: logind answers";
    for (const char* question : {"CanPowerOff", "CanReboot", "CanHibernate"}) {
        std::string failure;
        const std::optional<std::string> answer = logind.Ask(question, failure);
        line += std::string(" ") + question + "=" + (answer ? *answer : "(" + failure + ")");
    }
    m_log(line);
}

void LinuxPower::Request(const char* method) {
    LogindClient logind;
    // interactive = false: logind may refuse instead of asking the user for a password.
    if (const std::optional<std::string> failure = logind.Send(method, false)) {
        m_log("power: " + *failure);
    }
}

void LinuxPower::HibernatePC() {
    Request("Hibernate");
}

void LinuxPower::ShutDownPC() {
    Request("PowerOff");
}

void LinuxPower::RebootPC() {
    Request("Reboot");
}

void LinuxPower::LogOffUser() {
    LogindClient logind;
    std::string failure;
    const std::optional<std::string> session = logind.SessionOf(getpid(), failure);
    if (!session) {
        m_log("power: cannot log off, no session found for this process: " + failure);
        return;
    }
    if (const std::optional<std::string> sendFailure = logind.Send("TerminateSession", *session)) {
        m_log("power: " + *sendFailure);
    }
}

void LinuxPower::TurnOffMonitor() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        m_log("monitor: left on, cannot open X display \"" + m_session.X11Display() + "\"");
        return;
    }
    int eventBase = 0;
    int errorBase = 0;
    if (!DPMSQueryExtension(display, &eventBase, &errorBase)) {
        m_log("monitor: left on, the X display has no DPMS extension");
    } else if (!DPMSCapable(display)) {
        m_log("monitor: left on, the X display cannot change its power level");
    } else {
        const XErrorHandler previous = XSetErrorHandler(NoteXError);
        g_xRequestFailed = false;
        CARD16 level = 0;
        BOOL enabled = False;
        // The server refuses to force a level while DPMS is switched off.
        if (DPMSInfo(display, &level, &enabled) && !enabled) {
            DPMSEnable(display);
        }
        DPMSForceLevel(display, DPMSModeOff);
        XSync(display, False);
        XSetErrorHandler(previous);
        if (g_xRequestFailed) {
            m_log("monitor: the X server refused to turn the display off");
        }
    }
    XCloseDisplay(display);
}

} // namespace morvane::platform
