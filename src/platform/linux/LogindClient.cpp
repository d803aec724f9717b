#include "platform/linux/LogindClient.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <utility>

namespace morvane::platform {

namespace {

constexpr const char* kService = "org.freedesktop.login1";
constexpr const char* kManagerPath = "/org/freedesktop/login1";
constexpr const char* kManager = "org.freedesktop.login1.Manager";
constexpr const char* kSession = "org.freedesktop.login1.Session";
constexpr const char* kUser = "org.freedesktop.login1.User";
constexpr const char* kProperties = "org.freedesktop.DBus.Properties";
// How long logind has to answer a question, and how long the end waits for answers still out.
constexpr std::uint64_t kAnswerTimeoutUsec = 3'000'000;
// How long a power request is listened for: logind stopped for a while still carries it out
// when it resumes, and its answer then says what happened.
constexpr std::uint64_t kRequestPatienceUsec = 24ULL * 3600 * 1'000'000;

LogindClient::Answer Unread(int r) {
    return {std::nullopt, std::strerror(r < 0 ? -r : EBADMSG)};
}

// The one text of a reply (`type` "s" or "o"), or why it cannot be read.
LogindClient::Answer ReadText(sd_bus_message* reply, const char* type) {
    const char* text = nullptr;
    const int r = sd_bus_message_read(reply, type, &text);
    if (r < 0 || text == nullptr) {
        return Unread(r);
    }
    return {text, {}};
}

LogindClient::Answer ReadString(sd_bus_message* reply) {
    return ReadText(reply, "s");
}

LogindClient::Answer ReadPath(sd_bus_message* reply) {
    return ReadText(reply, "o");
}

// A session's Id property.
LogindClient::Answer ReadSessionId(sd_bus_message* reply) {
    const char* id = nullptr;
    const int r = sd_bus_message_read(reply, "v", "s", &id);
    return r < 0 || id == nullptr ? Unread(r) : LogindClient::Answer{id, {}};
}

// A user's Display property: the id and object of their graphical session, both empty without.
LogindClient::Answer ReadDisplay(sd_bus_message* reply) {
    const char* id = nullptr;
    const char* session = nullptr;
    const int r = sd_bus_message_read(reply, "v", "(so)", &id, &session);
    if (r < 0 || id == nullptr) {
        return Unread(r);
    }
    if (*id == '\0') {
        return {std::nullopt, "the user has no graphical session"};
    }
    return {id, {}};
}

// A reply that carries nothing: the request was taken.
LogindClient::Answer ReadNothing(sd_bus_message* /*reply*/) {
    return {std::string(), {}};
}

} // namespace

LogindClient::LogindClient() : m_bus(BusConnection::Bus::System, nullptr, kAnswerTimeoutUsec) {}

LogindClient::~LogindClient() {
    m_bus.AwaitAnswers();
}

Result LogindClient::NewCall(const char* path, const char* interface, const char* method,
                             UniqueMessage& call) {
    return m_bus.NewCall(kService, path, interface, method, call);
}

Result LogindClient::Send(const char* method, bool argument) {
    UniqueMessage request;
    if (Result made = NewCall(kManagerPath, kManager, method, request); !made.Ok()) {
        return made;
    }
    return m_bus.Post(method, request.get(),
                      sd_bus_message_append(request.get(), "b", argument ? 1 : 0));
}

template <typename... Arguments>
void LogindClient::Question(const char* path, const char* interface, const char* method,
                            Reader read, const AnswerHandler& then, std::uint64_t timeoutUsec,
                            const char* types, Arguments... arguments) {
    UniqueMessage question;
    Result made = NewCall(path, interface, method, question);
    if (made.Ok()) {
        if (const int r = sd_bus_message_append(question.get(), types, arguments...); r < 0) {
            made = BusConnection::CouldNotSend(method, r);
        }
    }
    if (made.Ok()) {
        made = m_bus.Call(
            method, question.get(),
            [read, then](sd_bus_message* reply, const std::string& failure) {
                if (failure.empty()) {
                    then(read(reply));
                    return;
                }
                // sd-bus and the bus daemon make these up themselves: logind said nothing.
                const bool unanswered =
                    sd_bus_message_is_method_error(reply, SD_BUS_ERROR_NO_REPLY) > 0 ||
                    sd_bus_message_is_method_error(reply, SD_BUS_ERROR_TIMEOUT) > 0;
                then({std::nullopt, failure, unanswered});
            },
            timeoutUsec);
    }
    if (!made.Ok()) {
        then({std::nullopt, made.Message()});
    }
}

void LogindClient::Request(const char* method, bool argument, const AnswerHandler& then) {
    Question(kManagerPath, kManager, method, ReadNothing, then, kRequestPatienceUsec, "b",
             argument ? 1 : 0);
}

void LogindClient::Request(const char* method, const std::string& argument,
                           const AnswerHandler& then) {
    Question(kManagerPath, kManager, method, ReadNothing, then, kRequestPatienceUsec, "s",
             argument.c_str());
}

void LogindClient::Ask(const char* method, const AnswerHandler& then) {
    Question(kManagerPath, kManager, method, ReadString, then, 0, "");
}

void LogindClient::SessionOf(pid_t pid, AnswerHandler then) {
    Question(
        kManagerPath, kManager, "GetSessionByPID", ReadPath,
        [this, then = std::move(then)](const Answer& path) {
            path.text ? AskSessionId(path.text->c_str(), then) : then(path);
        },
        0, "u", static_cast<std::uint32_t>(pid));
}

void LogindClient::SessionNamed(const std::string& name, AnswerHandler then) {
    Question(
        kManagerPath, kManager, "GetSession", ReadPath,
        [this, then = std::move(then)](const Answer& path) {
            path.text ? AskSessionId(path.text->c_str(), then) : then(path);
        },
        0, "s", name.c_str());
}

void LogindClient::DisplaySessionOf(uid_t uid, AnswerHandler then) {
    Question(
        kManagerPath, kManager, "GetUser", ReadPath,
        [this, then = std::move(then)](const Answer& path) {
            if (!path.text) {
                then(path);
                return;
            }
            Question(path.text->c_str(), kProperties, "Get", ReadDisplay, then, 0, "ss", kUser,
                     "Display");
        },
        0, "u", static_cast<std::uint32_t>(uid));
}

void LogindClient::AskSessionId(const char* path, const AnswerHandler& then) {
    Question(path, kProperties, "Get", ReadSessionId, then, 0, "ss", kSession, "Id");
}

} // namespace morvane::platform
