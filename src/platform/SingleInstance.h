#pragma once

#include <string>

namespace morvane::platform {

/// Keeps a second copy of the program from running beside the first.
class SingleInstance {
public:
    SingleInstance() = default;
    virtual ~SingleInstance() = default;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /// Takes the instance lock for the rest of the process's life; false when another running
    /// instance holds it. When the lock cannot be set up at all the program is let through, and
    /// `WhyUnchecked` says why.
    virtual bool TryAcquire() = 0;
    /// Why the last `TryAcquire` could not tell whether another instance runs; empty when it
    /// could.
    [[nodiscard]] virtual std::string WhyUnchecked() const { return {}; }
};

} // namespace morvane::platform
