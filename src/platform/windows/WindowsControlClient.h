#pragma once

#include "platform/Control.h"

#include <windows.h>

#include <string>

namespace morvane::platform {

/// The command line's end of the control channel: it opens the running instance's pipe (see
/// WindowsControlServer) for each request.
class WindowsControlClient final : public ControlClient {
public:
    /// How long a request may take from the first try to the answer: a starting instance may
    /// still be loading, and the pipe serves one client at a time.
    static constexpr DWORD kAnswerWithinMs = 60000;

    /// This user's pipe; its name is looked up when first needed.
    WindowsControlClient() = default;
    explicit WindowsControlClient(std::wstring pipeName) : m_name(std::move(pipeName)) {}

    bool InstanceRuns() override;
    Result Send(const ControlRequest& request, ControlReply& reply) override;
    Result StartInstance(const std::string& executable, int timeoutMs) override;

private:
    /// The pipe's name; empty, with m_why, when it cannot be known.
    const std::wstring& Name();

    std::wstring m_name;
    std::string m_why;
};

} // namespace morvane::platform
