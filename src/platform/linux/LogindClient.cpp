#include "platform/linux/LogindClient.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <systemd/sd-bus.h>

namespace morvane::platform {

namespace {

constexpr const char* kService = "org.freedesktop.login1";
constexpr const char* kManagerPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";
constexpr const char* kSession = "org.freedesktop.login1.Session";
// A question to logind must not hold the user interface for long.
constexpr std::uint64_t kAnswerTimeoutUsec = 3'000'000;

std::string Describe(int result, const sd_bus_error* error) {
    if (error != nullptr && sd_bus_error_is_set(error) && error->message != nullptr) {
        return error->message;
    }
    return std::strerror(-result);
}

} // namespace

LogindClient::LogindClient() {
    const int r = sd_bus_open_system(&m_bus);
    if (r < 0) {
        m_bus = nullptr;
        m_failure = std::string("cannot reach the system bus: ") + std::strerror(-r);
        return;
    }
    sd_bus_set_method_call_timeout(m_bus, kAnswerTimeoutUsec);
}

LogindClient::~LogindClient() {
    sd_bus_flush_close_unref(m_bus);
}

std::optional<std::string> LogindClient::Send(const char* method, bool argument) {
    sd_bus_message* message = nullptr;
    int r = NewRequest(method, &message);
    if (r >= 0) {
        r = sd_bus_message_append(message, "b", argument ? 1 : 0);
    }
    return Post(method, message, r);
}

std::optional<std::string> LogindClient::Send(const char* method, const std::string& argument) {
    sd_bus_message* message = nullptr;
    int r = NewRequest(method, &message);
    if (r >= 0) {
        r = sd_bus_message_append(message, "s", argument.c_str());
    }
    return Post(method, message, r);
}

int LogindClient::NewRequest(const char* method, sd_bus_message** message) {
    if (m_bus == nullptr) {
        return -ENOTCONN;
    }
    const int r =
        sd_bus_message_new_method_call(m_bus, message, kService, kManagerPath, kManager, method);
    return r < 0 ? r : sd_bus_message_set_expect_reply(*message, 0);
}

std::optional<std::string> LogindClient::Post(const char* method, sd_bus_message* message, int r) {
    if (m_bus == nullptr) {
        sd_bus_message_unref(message);
        return m_failure;
    }
    if (r >= 0) {
        r = sd_bus_send(m_bus, message, nullptr);
    }
    // Fire and forget, but the request must be on the bus before the program may quit.
    if (r >= 0) {
        r = sd_bus_flush(m_bus);
    }
    sd_bus_message_unref(message);
    if (r < 0) {
        return std::string(method) + " could not be sent: " + std::strerror(-r);
    }
    return std::nullopt;
}

std::optional<std::string> LogindClient::Ask(const char* method, std::string& failure) {
    if (m_bus == nullptr) {
        failure = m_failure;
        return std::nullopt;
    }
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    std::optional<std::string> answer;
    int r = sd_bus_call_method(m_bus, kService, kManagerPath, kManager, method, &error, &reply, "");
    const char* text = nullptr;
    if (r >= 0) {
        r = sd_bus_message_read(reply, "s", &text);
    }
    if (r >= 0) {
        answer = text;
    } else {
        failure = Describe(r, &error);
    }
    sd_bus_message_unref(reply);
    sd_bus_error_free(&error);
    return answer;
}

std::optional<std::string> LogindClient::SessionOf(pid_t pid, std::string& failure) {
    if (m_bus == nullptr) {
        failure = m_failure;
        return std::nullopt;
    }
    sd_bus_error error = SD_BUS_ERROR_NULL;
    sd_bus_message* reply = nullptr;
    std::optional<std::string> id;
    int r = sd_bus_call_method(m_bus, kService, kManagerPath, kManager, "GetSessionByPID", &error,
                               &reply, "u", static_cast<std::uint32_t>(pid));
    const char* path = nullptr;
    if (r >= 0) {
        r = sd_bus_message_read(reply, "o", &path);
    }
    char* text = nullptr;
    if (r >= 0) {
        r = sd_bus_get_property_string(m_bus, kService, path, kSession, "Id", &error, &text);
    }
    if (r >= 0) {
        id = text;
    } else {
        failure = Describe(r, &error);
    }
    std::free(text);
    sd_bus_message_unref(reply);
    sd_bus_error_free(&error);
    return id;
}

} // namespace morvane::platform
