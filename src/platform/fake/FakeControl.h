#pragma once

#include "platform/Control.h"

#include <string>
#include <utility>
#include <vector>

namespace morvane::platform {

/// A channel inside one process: the test claims or refuses the name, reads what was announced,
/// and asks through a FakeControlClient that calls the handler directly.
class FakeControlServer final : public ControlServer {
public:
    Claim ClaimName() override { return claim; }
    [[nodiscard]] std::string WhyUnavailable() const override { return "no channel in the fake"; }
    void SetHandler(Handler handler) override { m_handler = std::move(handler); }
    void Announce(ControlEvent event, std::uint64_t id) override {
        announced.emplace_back(event, id);
    }
    [[nodiscard]] int PollDescriptor() const override { return -1; }
    void SetWakeHandler(std::function<void()> wake) override { m_wake = std::move(wake); }
    void Process() override {}

    /// What the handler answers to `request`, as a client would get it.
    [[nodiscard]] ControlReply Ask(const ControlRequest& request) const {
        return m_handler ? m_handler(request) : ControlReply{"nobody answers", 0, {}};
    }
    [[nodiscard]] bool HasHandler() const { return static_cast<bool>(m_handler); }

    Claim claim = Claim::Ours;
    std::vector<std::pair<ControlEvent, std::uint64_t>> announced;

private:
    Handler m_handler;
    std::function<void()> m_wake;
};

/// The command line's side over a FakeControlServer; none (null) is an instance that does not
/// run. Starting one sets `server` to `startable` and records the executable.
class FakeControlClient final : public ControlClient {
public:
    bool InstanceRuns() override { return server != nullptr; }
    Result Send(const ControlRequest& request, ControlReply& reply) override {
        sent.push_back(request);
        if (server == nullptr) {
            return Result::Error(0, "Morvane is not running");
        }
        if (starting > 0) {
            --starting;
            reply = ControlReply{kStartingRefusal, 0, {}};
            return {};
        }
        reply = server->Ask(request);
        return {};
    }
    Result StartInstance(const std::string& executable, int /*timeoutMs*/) override {
        started.push_back(executable);
        if (startable == nullptr) {
            return Result::Error(0, "could not start " + executable);
        }
        server = startable;
        return {};
    }

    FakeControlServer* server = nullptr;
    FakeControlServer* startable = nullptr;
    /// How many requests the instance answers as still starting before it answers.
    int starting = 0;
    std::vector<ControlRequest> sent;
    std::vector<std::string> started;
};

} // namespace morvane::platform
