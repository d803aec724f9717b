#pragma once

namespace morvane::platform {

/// Keeps a second copy of the program from running beside the first.
class SingleInstance {
public:
    SingleInstance() = default;
    virtual ~SingleInstance() = default;
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    /// Takes the instance lock for the rest of the process's life; false when another running
    /// instance holds it. When the lock cannot be set up at all the program is let through.
    virtual bool TryAcquire() = 0;
};

} // namespace morvane::platform
