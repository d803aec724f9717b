// The desktop's notification service, played by python-dbusmock's notification daemon on a
// private session bus.
#include "TestSupport.h"
#include "platform/linux/LinuxNotifications.h"

#include <gtest/gtest.h>
#include <string>
#include <systemd/sd-bus.h>
#include <vector>

namespace morvane::platform {
namespace {

using test::WaitUntil;
using namespace std::chrono_literals;

constexpr const char* kService = "org.freedesktop.Notifications";
constexpr const char* kPath = "/org/freedesktop/Notifications";

// The sound a Notify call's hints name (the variant holding them is next); empty for none.
std::string SoundHint(sd_bus_message* m) {
    std::string sound;
    if (sd_bus_message_enter_container(m, 'v', "a{sv}") <= 0) {
        return sound;
    }
    sd_bus_message_enter_container(m, 'a', "{sv}");
    while (sd_bus_message_enter_container(m, 'e', "sv") > 0) {
        const char* key = nullptr;
        const char* value = nullptr;
        sd_bus_message_read(m, "s", &key);
        if (std::string(key) == "sound-name" && sd_bus_message_read(m, "v", "s", &value) >= 0) {
            sound = value;
        } else {
            sd_bus_message_skip(m, "v");
        }
        sd_bus_message_exit_container(m);
    }
    sd_bus_message_exit_container(m);
    sd_bus_message_exit_container(m);
    return sound;
}

// The summary and body of every Notify call the mock has seen, with the sound it asked for.
std::vector<std::string> Shown(sd_bus* bus) {
    std::vector<std::string> shown;
    sd_bus_message* received = nullptr;
    const int r = sd_bus_call_method(bus, kService, kPath, "org.freedesktop.DBus.Mock", "GetCalls",
                                     nullptr, &received, "");
    const UniqueMessage reply(received);
    if (r < 0) {
        return shown;
    }
    sd_bus_message_enter_container(reply.get(), 'a', "(tsav)");
    while (sd_bus_message_enter_container(reply.get(), 'r', "tsav") > 0) {
        std::uint64_t when = 0;
        const char* method = nullptr;
        sd_bus_message_read(reply.get(), "ts", &when, &method);
        std::vector<std::string> texts;
        std::string sound;
        sd_bus_message_enter_container(reply.get(), 'a', "v");
        while (sd_bus_message_at_end(reply.get(), 0) == 0) {
            char type = 0;
            const char* contents = nullptr;
            sd_bus_message_peek_type(reply.get(), &type, &contents);
            const char* text = nullptr;
            if (contents != nullptr && std::string(contents) == "s" &&
                sd_bus_message_read(reply.get(), "v", "s", &text) >= 0) {
                texts.emplace_back(text);
            } else if (contents != nullptr && std::string(contents) == "a{sv}") {
                sound = SoundHint(reply.get());
            } else {
                sd_bus_message_skip(reply.get(), "v");
            }
        }
        sd_bus_message_exit_container(reply.get());
        sd_bus_message_exit_container(reply.get());
        // app name, icon, summary, body
        if (std::string(method) == "Notify" && texts.size() == 4) {
            shown.push_back(texts[0] + "|" + texts[2] + "|" + texts[3] +
                            (sound.empty() ? "" : "|sound=" + sound));
        }
    }
    return shown;
}

// What the mock has shown, once it has shown anything (empty after the deadline).
std::vector<std::string> ShownOnceAny() {
    sd_bus* opened = nullptr;
    if (sd_bus_open_user(&opened) < 0) {
        ADD_FAILURE() << "no session bus to ask the mock";
        return {};
    }
    const UniqueBus watcher(opened);
    std::vector<std::string> shown;
    EXPECT_TRUE(WaitUntil([&] {
        shown = Shown(watcher.get());
        return !shown.empty();
    }));
    return shown;
}

TEST(LinuxNotifications, AServiceThatComesUpLaterIsUsed) {
    test::TempDir dir;
    test::ChildProcess daemon({"/usr/bin/dbus-daemon", "--session", "--nofork", "--print-address=1",
                               "--address=unix:path=" + (dir / "bus")},
                              {false, true});
    const std::string address = daemon.ReadLine(20s).value_or("");
    ASSERT_FALSE(address.empty());
    const test::ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", address);
    std::vector<std::string> log;
    const LogSink sink = [&](const std::string& line) {
        log.push_back(line);
    };
    // One instance throughout, as the program keeps it: its first "no" must not stick.
    LinuxNotifications notifications(nullptr, sink);
    EXPECT_FALSE(notifications.IsAvailable()) << "no service on the bus yet";

    test::ChildProcess mock(
        {"/usr/bin/python3", "-m", "dbusmock", "--template", "notification_daemon"});
    ASSERT_TRUE(WaitUntil([&] { return notifications.IsAvailable(); }, 30s));
    EXPECT_FALSE(notifications.CanPlaySound()) << "the mock plays no sounds by default";
    EXPECT_TRUE(notifications.Show("Shutdown PC in 5 minutes", "Morvane will shut down the PC."));

    const std::vector<std::string> shown = ShownOnceAny();
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Morvane|Shutdown PC in 5 minutes|Morvane will shut down the PC."}));
}

TEST(LinuxNotifications, TheWarningSoundGoesWithTheMessageWhereTheServicePlaysSounds) {
    test::TempDir dir;
    test::ChildProcess daemon({"/usr/bin/dbus-daemon", "--session", "--nofork", "--print-address=1",
                               "--address=unix:path=" + (dir / "bus")},
                              {false, true});
    const std::string address = daemon.ReadLine(20s).value_or("");
    ASSERT_FALSE(address.empty());
    const test::ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", address);
    test::ChildProcess mock({"/usr/bin/python3", "-m", "dbusmock", "--template",
                             "notification_daemon", "-p", R"({"capabilities": "body sound"})"});
    LinuxNotifications notifications(nullptr, {});
    ASSERT_TRUE(WaitUntil([&] { return notifications.IsAvailable(); }, 30s));
    EXPECT_TRUE(notifications.CanPlaySound());
    EXPECT_TRUE(notifications.ShowWithSound("About to act", "Shut down", "dialog-warning"));

    const std::vector<std::string> shown = ShownOnceAny();
    EXPECT_EQ(shown,
              (std::vector<std::string>{"Morvane|About to act|Shut down|sound=dialog-warning"}));
}

TEST(LinuxNotifications, WithoutASessionBusItSaysSoAndShowsNothing) {
    test::TempDir dir;
    const test::ScopedEnv bus("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + (dir / "no_bus_here"));
    std::vector<std::string> log;
    LinuxNotifications notifications(nullptr,
                                     [&](const std::string& line) { log.push_back(line); });
    EXPECT_FALSE(notifications.IsAvailable());
    EXPECT_FALSE(notifications.Show("title", "body"));
    ASSERT_EQ(log.size(), 1U);
    EXPECT_NE(log[0].find("session bus"), std::string::npos) << log[0];
}

} // namespace
} // namespace morvane::platform
