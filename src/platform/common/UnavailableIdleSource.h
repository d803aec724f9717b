#pragma once

#include "platform/IdleSource.h"

#include <string>
#include <utility>

namespace morvane::platform {

/// The idle source of a session that tells programs nothing about its use: every sample is
/// unknown, and the reason says so to the user.
class UnavailableIdleSource final : public IdleSource {
public:
    explicit UnavailableIdleSource(std::string reason) : m_reason(std::move(reason)) {}

    [[nodiscard]] bool IsAvailable() const override { return false; }
    [[nodiscard]] std::string UnavailableReason() const override { return m_reason; }
    Activity Sample() override { return Activity::Unknown; }
    void Reset() override {}

private:
    std::string m_reason;
};

} // namespace morvane::platform
