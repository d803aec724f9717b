#include "MockLogind.h"
#include "TestSupport.h"
#include "platform/linux/LinuxPower.h"
#include "platform/linux/x11/DpmsServer.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <iterator>
#include <map>
#include <memory>
#include <poll.h>
#include <tuple>
#include <unistd.h>

namespace morvane::platform {
namespace {

using test::MockLogind;
using test::WaitUntil;

std::string Joined(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& l : lines) {
        all += l + "\n";
    }
    return all;
}

// Serves `power` as the program's event loop does, only when its descriptor wakes, until the
// condition holds; false at the deadline.
bool ServeUntil(LinuxPower& power, const std::function<bool()>& condition) {
    return WaitUntil([&] {
        pollfd wake{power.PollDescriptor(), POLLIN, 0};
        if (poll(&wake, 1, 20) > 0) {
            power.Process();
        }
        return condition();
    });
}

class PowerWithLogind : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_logind = std::make_unique<MockLogind>(R"({"CanHibernate": "na"})");
    }
    static void TearDownTestSuite() { s_logind.reset(); }

    void SetUp() override {
        // No request may leave this process unless the mock is certainly the one to get it.
        std::string why;
        ASSERT_TRUE(s_logind->Ready(why)) << why;
        s_logind->ClearCalls();
    }

    LinuxPower MakePower() {
        return LinuxPower([this](const std::string& line) { m_log.push_back(line); });
    }

    // Waits for the mock to have seen `method`; the calls it has seen by then.
    std::vector<MockLogind::Call> CallsOnceSeen(LinuxPower& power, const std::string& method) {
        std::vector<MockLogind::Call> calls;
        ServeUntil(power, [&] {
            calls = s_logind->Calls();
            return std::any_of(calls.begin(), calls.end(),
                               [&](const MockLogind::Call& c) { return c.method == method; });
        });
        return calls;
    }

    bool LogOnceWritten(LinuxPower& power) {
        return ServeUntil(power, [&] { return !m_log.empty(); });
    }

    static std::unique_ptr<MockLogind> s_logind;
    std::vector<std::string> m_log;
};

std::unique_ptr<MockLogind> PowerWithLogind::s_logind;

struct PowerCase {
    const char* name;
    void (LinuxPower::*operation)();
    const char* method;
};

void PrintTo(const PowerCase& c, std::ostream* out) {
    *out << c.name;
}

class PowerRequest : public PowerWithLogind, public ::testing::WithParamInterface<PowerCase> {};

TEST_P(PowerRequest, ReachesLogindOnceWithoutAskingTheUser) {
    LinuxPower power = MakePower();
    (power.*GetParam().operation)();

    const std::vector<MockLogind::Call> calls = CallsOnceSeen(power, GetParam().method);
    ASSERT_EQ(calls.size(), 1u) << "expected only " << GetParam().method;
    EXPECT_EQ(calls[0].method, GetParam().method);
    EXPECT_EQ(calls[0].args, std::vector<std::string>{"false"});
    EXPECT_TRUE(m_log.empty()) << Joined(m_log);
}

INSTANTIATE_TEST_SUITE_P(
    Linux, PowerRequest,
    ::testing::Values(PowerCase{"Hibernate", &LinuxPower::HibernatePC, "Hibernate"},
                      PowerCase{"ShutDown", &LinuxPower::ShutDownPC, "PowerOff"},
                      PowerCase{"Reboot", &LinuxPower::RebootPC, "Reboot"}),
    [](const ::testing::TestParamInfo<PowerCase>& info) { return std::string(info.param.name); });

// How the mock answers the ways of finding the session to end. Sessions: c2 is the graphical
// one, c3 the one we were started in, c7 one our process is counted in.
struct LogOffCase {
    const char* name;
    const char* xdgSessionId; // empty: unset
    bool autoAnswers;         // GetSession("auto") names c2
    bool displayAnswers;      // the user's Display is c2
    bool pidAnswers;          // our pid is in c7, else in no session as in an application scope
    std::vector<std::string> calls; // "Method argument", UID and PID standing for ours
    const char* terminated;         // nullptr: none
};

void PrintTo(const LogOffCase& c, std::ostream* out) {
    *out << c.name;
}

std::string Raise(const char* name, const char* message) {
    return std::string("raise dbus.exceptions.DBusException('") + message + "', name='" + name +
           "')";
}

class LogOff : public PowerWithLogind, public ::testing::WithParamInterface<LogOffCase> {
protected:
    // Current logind: a session id is confirmed only when known, "auto" is the caller's
    // session or else the user's graphical one.
    void ShapeLogind(const LogOffCase& c) {
        for (const char* id : {"c2", "c3", "c7"}) {
            ASSERT_TRUE(s_logind->AddSession(id, getuid()));
        }
        const std::string autoCode = c.autoAnswers
                                         ? "ret = '/org/freedesktop/login1/session/c2'"
                                         : Raise("org.freedesktop.login1.NoSessionForPID",
                                                 "Caller does not belong to any known session");
        ASSERT_TRUE(s_logind->AddManagerMethod(
            "GetSession", "s", "o",
            "if args[0] == 'auto':\n    " + autoCode +
                "\nelse:\n    ret = '/org/freedesktop/login1/session/' + args[0]\n"
                "    if ret not in objects:\n        " +
                Raise("org.freedesktop.login1.NoSuchSession", "No such session")));
        // The template's own GetUser cannot take a number.
        ASSERT_TRUE(s_logind->AddManagerMethod(
            "GetUser", "u", "o",
            "ret = '/org/freedesktop/login1/user/%d' % args[0]\n"
            "if ret not in objects:\n    " +
                Raise("org.freedesktop.login1.NoSuchUser", "No such user")));
        ASSERT_TRUE(s_logind->SetUserDisplay(getuid(), c.displayAnswers ? "c2" : ""));
        ASSERT_TRUE(s_logind->AddManagerMethod(
            "GetSessionByPID", "u", "o",
            c.pidAnswers ? "ret = '/org/freedesktop/login1/session/c7'"
                         : Raise("org.freedesktop.login1.NoSessionForPID",
                                 "PID does not belong to any known session")));
        s_logind->ClearCalls();
    }
};

std::string Described(const MockLogind::Call& call) {
    std::string text = call.method;
    for (const std::string& arg : call.args) {
        text += " " + (arg == std::to_string(getuid()) && call.method == "GetUser" ? "UID"
                       : arg == std::to_string(getpid())                           ? "PID"
                                                                                   : arg);
    }
    return text;
}

TEST_P(LogOff, EndsTheFirstSessionFoundInOrderOrSaysWhyNone) {
    const LogOffCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(ShapeLogind(c));
    std::map<std::string, std::string> variables;
    if (*c.xdgSessionId != '\0') {
        variables["XDG_SESSION_ID"] = c.xdgSessionId;
    }
    LinuxPower power([this](const std::string& line) { m_log.push_back(line); }, SessionProbe(), {},
                     Environment(variables));

    power.LogOffUser();

    std::vector<MockLogind::Call> calls;
    if (c.terminated != nullptr) {
        calls = CallsOnceSeen(power, "TerminateSession");
        EXPECT_TRUE(m_log.empty()) << Joined(m_log);
    } else {
        ASSERT_TRUE(LogOnceWritten(power));
        calls = s_logind->Calls();
        ASSERT_EQ(m_log.size(), 1u) << Joined(m_log);
        // Every way tried is in the line with its reason.
        for (const char* reason :
             {"no session found", "XDG_SESSION_ID: unset", "auto: Caller does not belong",
              "no graphical session", "PID does not belong"}) {
            EXPECT_NE(m_log[0].find(reason), std::string::npos) << reason << " in " << m_log[0];
        }
    }
    std::vector<std::string> described;
    std::transform(calls.begin(), calls.end(), std::back_inserter(described), Described);
    std::vector<std::string> expected = c.calls;
    if (c.terminated != nullptr) {
        expected.push_back(std::string("TerminateSession ") + c.terminated);
    }
    EXPECT_EQ(described, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Logind, LogOff,
    ::testing::Values(
        LogOffCase{"StartedInSession", "c3", true, true, true, {"GetSession c3"}, "c3"},
        LogOffCase{"Auto", "", true, true, true, {"GetSession auto"}, "c2"},
        LogOffCase{"UnknownStartSessionThenAuto",
                   "c9",
                   true,
                   true,
                   true,
                   {"GetSession c9", "GetSession auto"},
                   "c2"},
        LogOffCase{"Display", "", false, true, true, {"GetSession auto", "GetUser UID"}, "c2"},
        LogOffCase{"OwnProcessLast",
                   "",
                   false,
                   false,
                   true,
                   {"GetSession auto", "GetUser UID", "GetSessionByPID PID"},
                   "c7"},
        LogOffCase{"NoneFound",
                   "",
                   false,
                   false,
                   false,
                   {"GetSession auto", "GetUser UID", "GetSessionByPID PID"},
                   nullptr}),
    [](const ::testing::TestParamInfo<LogOffCase>& info) { return std::string(info.param.name); });

TEST_F(LogOff, ARefusedLogOffReachesTheHandler) {
    ASSERT_NO_FATAL_FAILURE(ShapeLogind({"Refused", "", true, true, true, {}, "c2"}));
    ASSERT_TRUE(s_logind->AddManagerMethod(
        "TerminateSession", "s", "",
        Raise("org.freedesktop.DBus.Error.AccessDenied", "Permission denied")));
    LinuxPower power([this](const std::string& line) { m_log.push_back(line); }, SessionProbe(), {},
                     Environment(std::map<std::string, std::string>{}));
    std::vector<std::string> refused;
    power.SetOutcomeHandler(
        [&](Power::Outcome, const std::string& action, const std::string& reason) {
            refused.push_back(action + ": " + reason);
        });

    power.LogOffUser();

    EXPECT_TRUE(ServeUntil(power, [&] { return !refused.empty(); }));
    ASSERT_TRUE(s_logind->AddManagerMethod("TerminateSession", "s", "", ""));
    EXPECT_EQ(refused, std::vector<std::string>{"Log Off: Permission denied"});
}

// Lock finds the graphical session as log off does; without one it is refused, never done.
TEST_F(LogOff, LockLocksTheSessionLogOffWouldEndOrIsRefusedWithoutOne) {
    for (const bool graphical : {true, false}) {
        ASSERT_NO_FATAL_FAILURE(ShapeLogind({"", "", false, graphical, false, {}, nullptr}));
        LinuxPower power([this](const std::string& line) { m_log.push_back(line); }, SessionProbe(),
                         {}, Environment(std::map<std::string, std::string>{}));
        std::vector<std::string> refused;
        power.SetOutcomeHandler(
            [&](Power::Outcome, const std::string& action, const std::string& reason) {
                refused.push_back(action + ": " + reason);
            });

        power.LockScreen();

        if (graphical) {
            const std::vector<MockLogind::Call> calls = CallsOnceSeen(power, "LockSession");
            ASSERT_FALSE(calls.empty());
            EXPECT_EQ(Described(calls.back()), "LockSession c2");
        } else {
            ASSERT_TRUE(ServeUntil(power, [&] { return !refused.empty(); }));
            EXPECT_EQ(refused, std::vector<std::string>{"Lock the Screen: no session found"});
        }
        EXPECT_EQ(m_log.size(), graphical ? 0U : 1U) << Joined(m_log);
        m_log.clear();
    }
}

TEST_F(PowerWithLogind, SuspendGoesOnlyWhereCanSuspendAllowsItAndSaysWhyNot) {
    // CanSuspend's answer, then what logind is asked and what the handler hears.
    const std::tuple<const char*, std::vector<std::string>, std::vector<std::string>> cases[] = {
        {"yes", {"CanSuspend", "Suspend false"}, {}},
        {"challenge", {"CanSuspend", "Suspend false"}, {}},
        {"no", {"CanSuspend"}, {"Suspend: the system does not allow this user to suspend"}},
        {"na", {"CanSuspend"}, {"Suspend: this machine cannot suspend"}},
    };
    for (const auto& [answer, sent, refusal] : cases) {
        ASSERT_TRUE(s_logind->AddManagerMethod("CanSuspend", "", "s",
                                               std::string("ret = '") + answer + "'"));
        s_logind->ClearCalls();
        LinuxPower power = MakePower();
        std::vector<std::string> refused;
        power.SetOutcomeHandler(
            [&](Power::Outcome, const std::string& action, const std::string& reason) {
                refused.push_back(action + ": " + reason);
            });

        power.SuspendPC();

        ASSERT_TRUE(ServeUntil(power, [&] { return refused.size() == refusal.size(); }));
        const std::vector<MockLogind::Call> calls = CallsOnceSeen(power, sent.back());
        std::vector<std::string> described;
        std::transform(calls.begin(), calls.end(), std::back_inserter(described), Described);
        EXPECT_EQ(described, sent) << answer;
        EXPECT_EQ(refused, refusal) << answer;
    }
    ASSERT_TRUE(s_logind->AddManagerMethod("CanSuspend", "", "s", "ret = 'yes'"));
}

TEST_F(PowerWithLogind, ShutdownPrivilegeOnlyAsksAndLogsTheAnswers) {
    LinuxPower power = MakePower();

    power.EnableShutdownPrivilege();

    ASSERT_TRUE(LogOnceWritten(power));
    std::vector<std::string> methods;
    for (const MockLogind::Call& c : s_logind->Calls()) {
        methods.push_back(c.method);
    }
    EXPECT_EQ(methods, (std::vector<std::string>{"CanPowerOff", "CanReboot", "CanHibernate"}));
    ASSERT_EQ(m_log.size(), 1u);
    EXPECT_NE(m_log[0].find("CanPowerOff=yes CanReboot=yes CanHibernate=na"), std::string::npos)
        << m_log[0];
}

TEST_F(PowerWithLogind, NeitherTheQuestionsNorTheRequestWaitForASlowLogind) {
    ASSERT_TRUE(s_logind->AddManagerMethod("CanHibernate", "", "s",
                                           "import time; time.sleep(2); ret = 'na'"));
    s_logind->ClearCalls();
    LinuxPower power = MakePower();

    const auto before = std::chrono::steady_clock::now();
    power.EnableShutdownPrivilege();
    power.ShutDownPC();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(1));

    // The request is on its way before the slow answer comes; the answers are logged after.
    const std::vector<MockLogind::Call> calls = CallsOnceSeen(power, "PowerOff");
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[3].method, "PowerOff");
    ASSERT_TRUE(LogOnceWritten(power));
    EXPECT_NE(m_log[0].find("CanHibernate=na"), std::string::npos) << m_log[0];
    // With everything taken in the descriptor goes quiet: the event loop must not spin on it.
    power.Process();
    pollfd wake{power.PollDescriptor(), POLLIN, 0};
    EXPECT_EQ(poll(&wake, 1, 100), 0);
}

TEST_F(PowerWithLogind, ARefusalReachesTheHandlerWhenItComes) {
    ASSERT_TRUE(s_logind->AddManagerMethod(
        "Reboot", "b", "",
        "raise dbus.exceptions.DBusException('Interactive authentication required.', "
        "name='org.freedesktop.DBus.Error.InteractiveAuthorizationRequired')"));
    LinuxPower power = MakePower();
    std::vector<std::string> refused;
    power.SetOutcomeHandler(
        [&](Power::Outcome, const std::string& action, const std::string& reason) {
            refused.push_back(action + ": " + reason);
        });
    power.RebootPC();
    EXPECT_TRUE(ServeUntil(power, [&] { return !refused.empty(); }));
    ASSERT_TRUE(s_logind->AddManagerMethod("Reboot", "b", "", ""));
    ASSERT_EQ(refused.size(), 1U);
    EXPECT_EQ(refused[0], "Reboot: Interactive authentication required.");
    EXPECT_EQ(m_log.size(), 1U) << "and logged";
}

// What logind says once it resumes, and what the handler must have heard by then.
struct StalledCase {
    const char* name;
    const char* rebootCode; // the mock's answer once it runs again
    std::vector<std::string> heard;
};

void PrintTo(const StalledCase& c, std::ostream* out) {
    *out << c.name;
}

class StalledLogind : public PowerWithLogind, public ::testing::WithParamInterface<StalledCase> {
protected:
    void TearDown() override { s_logind->Stall(false); }
};

TEST_P(StalledLogind, IsNoAnswerYetAndItsLateAnswerIsHeard) {
    ASSERT_TRUE(s_logind->AddManagerMethod("Reboot", "b", "", GetParam().rebootCode));
    LinuxPower power = MakePower();
    std::vector<std::string> heard;
    power.SetOutcomeHandler(
        [&](Power::Outcome outcome, const std::string& action, const std::string& reason) {
            static const char* const kWords[] = {"refused", "no answer yet", "done late"};
            heard.push_back(action + ": " + kWords[static_cast<int>(outcome)] +
                            (reason.empty() ? "" : ": " + reason));
        });
    s_logind->Stall(true);

    power.RebootPC();

    ASSERT_TRUE(ServeUntil(power, [&] { return !heard.empty(); }));
    EXPECT_EQ(heard, std::vector<std::string>{"Reboot: no answer yet"});
    s_logind->Stall(false);
    EXPECT_TRUE(ServeUntil(power, [&] { return heard.size() == GetParam().heard.size(); }));
    ASSERT_TRUE(s_logind->AddManagerMethod("Reboot", "b", "", ""));
    EXPECT_EQ(heard, GetParam().heard);
}

INSTANTIATE_TEST_SUITE_P(
    Logind, StalledLogind,
    ::testing::Values(
        StalledCase{"CarriesItOutLate", "", {"Reboot: no answer yet", "Reboot: done late"}},
        StalledCase{"RefusesLate",
                    "raise dbus.exceptions.DBusException('Permission denied', "
                    "name='org.freedesktop.DBus.Error.AccessDenied')",
                    {"Reboot: no answer yet", "Reboot: refused: Permission denied"}}),
    [](const ::testing::TestParamInfo<StalledCase>& info) { return std::string(info.param.name); });

TEST(PowerWithoutBus, EveryRequestReturnsAndSaysWhy) {
    test::TempDir dir;
    test::ScopedEnv bus("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=" + (dir / "no_bus_here"));
    std::vector<std::string> log;
    LinuxPower power([&](const std::string& line) { log.push_back(line); });

    power.EnableShutdownPrivilege();
    power.HibernatePC();
    power.ShutDownPC();
    power.RebootPC();
    power.LogOffUser();
    power.SuspendPC();
    power.LockScreen();

    ASSERT_EQ(log.size(), 7u);
    for (const std::string& line : log) {
        EXPECT_NE(line.find("system bus"), std::string::npos) << line;
    }
}

TEST(MonitorPower, WithoutAnXDisplayNothingHappensButTheLogSaysWhy) {
    test::ScopedEnv display("DISPLAY", std::nullopt);
    std::vector<std::string> log;
    LinuxPower power([&](const std::string& line) { log.push_back(line); });

    power.TurnOffMonitor();

    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("cannot open X display"), std::string::npos) << log[0];
}

TEST(MonitorPower, ADisplayWithoutDpmsIsLeftAloneAndTheLogSaysWhy) {
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "needs the Xvfb display of scripts/with-desktop.sh";
    }
    std::vector<std::string> log;
    LinuxPower power([&](const std::string& line) { log.push_back(line); });

    power.TurnOffMonitor(); // Xvfb has no DPMS extension

    ASSERT_EQ(log.size(), 1u);
    EXPECT_NE(log[0].find("no DPMS"), std::string::npos) << log[0];
}

// A display's DPMS with the X server's rules: no level is forced while DPMS is off, switching it
// off lights the monitor, and no timeout may come before the one it follows.
struct FakeDpmsDisplay {
    x11::DpmsInfo info;
    x11::DpmsTimeouts timeouts;
};

class FakeDpmsServer final : public x11::DpmsServer {
public:
    explicit FakeDpmsServer(FakeDpmsDisplay& display) : m_display(display) {}
    std::optional<x11::DpmsInfo> Info() override { return m_display.info; }
    std::optional<x11::DpmsTimeouts> Timeouts() override { return m_display.timeouts; }
    int SetTimeouts(const x11::DpmsTimeouts& t) override {
        if ((t.off != 0 && t.off < t.suspend) || (t.suspend != 0 && t.suspend < t.standby)) {
            return 2; // BadValue
        }
        m_display.timeouts = t;
        return 0;
    }
    int Enable() override {
        m_display.info.enabled = true;
        return 0;
    }
    int Disable() override {
        m_display.info = {false, true};
        return 0;
    }
    int ForceOff() override {
        if (!m_display.info.enabled) {
            return 8; // BadMatch
        }
        m_display.info.monitorOn = false;
        return 0;
    }

private:
    FakeDpmsDisplay& m_display;
};

struct MonitorCase {
    const char* name;
    bool dpmsWasOn;
    std::function<void(FakeDpmsDisplay&)> whileOff; // what the user does meanwhile
    FakeDpmsDisplay after;
    const char* logged; // nullptr: nothing
};

void PrintTo(const MonitorCase& c, std::ostream* out) {
    *out << c.name;
}

class MonitorOff : public ::testing::TestWithParam<MonitorCase> {};

constexpr x11::DpmsTimeouts kUserTimeouts{600, 900, 1200};

TEST_P(MonitorOff, LeavesTheUsersDpmsSettingsAsTheyWere) {
    const MonitorCase& c = GetParam();
    FakeDpmsDisplay display{{c.dpmsWasOn, true}, kUserTimeouts};
    std::vector<std::string> log;
    {
        LinuxPower power([&](const std::string& line) { log.push_back(line); }, SessionProbe(),
                         [&](Result&) { return std::make_unique<FakeDpmsServer>(display); });

        power.TurnOffMonitor();

        EXPECT_FALSE(display.info.monitorOn);
        // Nothing blanks the screen by itself that did not before.
        EXPECT_EQ(display.timeouts, c.dpmsWasOn ? kUserTimeouts : x11::DpmsTimeouts{});
        c.whileOff(display);
        EXPECT_TRUE(ServeUntil(power, [&] {
            return display.info == c.after.info && display.timeouts == c.after.timeouts;
        }));
    }
    // Nor does our end change what the user has.
    EXPECT_EQ(display.info, c.after.info);
    EXPECT_EQ(display.timeouts, c.after.timeouts);
    ASSERT_EQ(log.size(), c.logged != nullptr ? 1u : 0u) << Joined(log);
    if (c.logged != nullptr) {
        EXPECT_NE(log[0].find(c.logged), std::string::npos) << log[0];
    }
}

void Wake(FakeDpmsDisplay& display) {
    display.info.monitorOn = true; // the user moves the mouse
}

INSTANTIATE_TEST_SUITE_P(
    Dpms, MonitorOff,
    ::testing::Values(
        MonitorCase{"DpmsOn", true, Wake, {{true, true}, kUserTimeouts}, nullptr},
        MonitorCase{
            "DpmsOffComesBackOnceLit", false, Wake, {{false, true}, kUserTimeouts}, nullptr},
        MonitorCase{"DpmsSetUpAnewMeanwhileStays",
                    false,
                    [](FakeDpmsDisplay& display) {
                        display.timeouts = {300, 300, 300};
                        Wake(display);
                    },
                    {{true, true}, {300, 300, 300}},
                    nullptr},
        MonitorCase{"EndWhileOffKeepsItOffWithoutBlanking",
                    false,
                    [](FakeDpmsDisplay&) {},
                    {{true, false}, {}},
                    "still off"}),
    [](const ::testing::TestParamInfo<MonitorCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace morvane::platform
