#pragma once

#include <string>
#include <utility>

namespace morvane {

/// What a request to the platform came to: success, or an error with the system's error number
/// (0 when the failure has none) and the message text to show for it.
class [[nodiscard]] Result {
public:
    /// Success.
    Result() = default;
    /// An error; `message` is what the user is shown, exactly as given.
    [[nodiscard]] static Result Error(int code, std::string message) {
        Result result;
        result.m_failed = true;
        result.m_code = code;
        result.m_message = std::move(message);
        return result;
    }

    [[nodiscard]] bool Ok() const { return !m_failed; }
    /// The error number; 0 on success.
    [[nodiscard]] int Code() const { return m_code; }
    /// The message to show; empty on success.
    [[nodiscard]] const std::string& Message() const { return m_message; }

    bool operator==(const Result&) const = default;

private:
    bool m_failed = false;
    int m_code = 0;
    std::string m_message;
};

} // namespace morvane
