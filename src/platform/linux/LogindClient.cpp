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

Result LogindClient::Send(const char* method, const std::string& argument) {
    UniqueMessage request;
    if (Result made = NewCall(kManagerPath, kManager, method, request); !made.Ok()) {
        return made;
    }
    return m_bus.Post(method, request.get(),
                      sd_bus_message_append(request.get(), "s", argument.c_str()));
}

void LogindClient::Ask(const char* method, AnswerHandler then) {
    UniqueMessage question;
    if (Result made = NewCall(kManagerPath, kManager, method, question); !made.Ok()) {
        then({std::nullopt, made.Message()});
        return;
    }
    m_bus.Call(method, question.get(),
               [then = std::move(then)](sd_bus_message* reply, const std::string& failure) {
                   then(failure.empty() ? ReadText(reply, "s") : Answer{std::nullopt, failure});
               });
}

template <typename Argument>
void LogindClient::AskPath(const char* method, const char* type, Argument argument,
                           AnswerHandler then) {
    UniqueMessage question;
    Result made = NewCall(kManagerPath, kManager, method, question);
    if (made.Ok()) {
        if (const int r = sd_bus_message_append(question.get(), type, argument); r < 0) {
            made = BusConnection::CouldNotSend(method, r);
        }
    }
    if (!made.Ok()) {
        then({std::nullopt, made.Message()});
        return;
    }
    m_bus.Call(method, question.get(),
               [then = std::move(then)](sd_bus_message* reply, const std::string& failure) {
                   then(failure.empty() ? ReadText(reply, "o") : Answer{std::nullopt, failure});
               });
}

void LogindClient::SessionOf(pid_t pid, AnswerHandler then) {
    AskPath("GetSessionByPID", "u", static_cast<std::uint32_t>(pid),
            [this, then = std::move(then)](const Answer& path) {
                path.text ? AskSessionId(path.text->c_str(), then) : then(path);
            });
}

void LogindClient::SessionNamed(const std::string& name, AnswerHandler then) {
    AskPath("GetSession", "s", name.c_str(), [this, then = std::move(then)](const Answer& path) {
        path.text ? AskSessionId(path.text->c_str(), then) : then(path);
    });
}

void LogindClient::DisplaySessionOf(uid_t uid, AnswerHandler then) {
    AskPath("GetUser", "u", static_cast<std::uint32_t>(uid),
            [this, then = std::move(then)](const Answer& path) {
                UniqueMessage question;
                Result made = path.text ? NewCall(path.text->c_str(), kProperties, "Get", question)
                                        : Result::Error(0, path.failure);
                if (made.Ok()) {
                    if (const int r = sd_bus_message_append(question.get(), "ss", kUser, "Display");
                        r < 0) {
                        made = BusConnection::CouldNotSend("Get", r);
                    }
                }
                if (!made.Ok()) {
                    then({std::nullopt, made.Message()});
                    return;
                }
                m_bus.Call("Get", question.get(),
                           [then](sd_bus_message* reply, const std::string& failure) {
                               if (!failure.empty()) {
                                   then({std::nullopt, failure});
                                   return;
                               }
                               const char* id = nullptr;
                               const char* session = nullptr;
                               const int r = sd_bus_message_read(reply, "v", "(so)", &id, &session);
                               if (r < 0 || id == nullptr) {
                                   then(Unread(r));
                               } else if (*id == '\0') {
                                   then({std::nullopt, "the user has no graphical session"});
                               } else {
                                   then({id, {}});
                               }
                           });
            });
}

void LogindClient::AskSessionId(const char* path, AnswerHandler then) {
    UniqueMessage question;
    Result made = NewCall(path, kProperties, "Get", question);
    if (made.Ok()) {
        if (const int r = sd_bus_message_append(question.get(), "ss", kSession, "Id"); r < 0) {
            made = BusConnection::CouldNotSend("Get", r);
        }
    }
    if (!made.Ok()) {
        then({std::nullopt, made.Message()});
        return;
    }
    m_bus.Call("Get", question.get(),
               [then = std::move(then)](sd_bus_message* reply, const std::string& failure) {
                   if (!failure.empty()) {
                       then({std::nullopt, failure});
                       return;
                   }
                   const char* id = nullptr;
                   const int r = sd_bus_message_read(reply, "v", "s", &id);
                   then(r < 0 || id == nullptr ? Unread(r) : Answer{id, {}});
               });
}

} // namespace morvane::platform
