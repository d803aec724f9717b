#pragma once

#include <cerrno>
#include <unistd.h>
#include <utility>

namespace morvane::platform {

/// Owns one file descriptor and closes it when it goes; -1 when it owns none.
class UniqueFd final {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() { Reset(); }
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.Release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    [[nodiscard]] int Get() const { return m_fd; }
    [[nodiscard]] bool IsValid() const { return m_fd >= 0; }
    /// Lets go of the descriptor without closing it.
    [[nodiscard]] int Release() { return std::exchange(m_fd, -1); }
    /// Closes the descriptor held, if any, and holds `fd` instead. Only close(2) is called, so
    /// this is safe between fork and exec too.
    void Reset(int fd = -1) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = fd;
    }
    /// Closes the descriptor now: 0, or the errno of a close that failed (for a writer, data
    /// that may not have arrived).
    int Close() {
        const int fd = Release();
        return fd >= 0 && ::close(fd) != 0 ? errno : 0;
    }

private:
    int m_fd = -1;
};

} // namespace morvane::platform
