#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct wl_display;

namespace morvane::test {

/// A compositor of the test's own, on libwayland-server in a thread of its own: wl_output
/// globals and one manager to switch them with, each output supporting that or not as told,
/// recording the modes it is asked for. It stands in where the real compositors cannot show it:
/// KWin's headless outputs support no DPMS, and wlroots' headless ones never fail.
class FakeOutputsCompositor final {
public:
    enum class Manager {
        KdeDpms,  ///< org_kde_kwin_dpms_manager: an unsupported output says so when asked.
        WlrPower, ///< zwlr_output_power_manager_v1: an unsupported output fails set_mode.
    };

    /// One output per entry of `supported`. Listens on a socket in `folder`.
    FakeOutputsCompositor(const std::string& folder, Manager manager,
                          const std::vector<bool>& supported);
    ~FakeOutputsCompositor();
    FakeOutputsCompositor(const FakeOutputsCompositor&) = delete;
    FakeOutputsCompositor& operator=(const FakeOutputsCompositor&) = delete;

    /// The socket's full path, a display name clients connect to.
    [[nodiscard]] const std::string& Socket() const { return m_socket; }
    /// The modes each output was asked for, in order.
    [[nodiscard]] std::vector<std::vector<std::uint32_t>> ModesSet() const;

    struct Output {
        std::mutex* mutex = nullptr; // the compositor's, which guards modesSet
        bool supported = false;
        std::vector<std::uint32_t> modesSet;
    };

private:
    struct DisplayDestroy {
        void operator()(wl_display* display) const;
    };

    std::string m_socket;
    std::unique_ptr<wl_display, DisplayDestroy> m_display;
    std::vector<std::unique_ptr<Output>> m_outputs;
    mutable std::mutex m_mutex;
    std::atomic<bool> m_stop{false};
    std::thread m_thread; // last: started when the rest is ready, joined before it goes
};

} // namespace morvane::test
