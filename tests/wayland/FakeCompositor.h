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

/// A compositor of the test's own, on libwayland-server in a thread of its own. It offers what
/// the real ones cannot show here: outputs with a manager to switch them, each supporting that
/// or not as told (KWin's headless outputs support no DPMS, wlroots' never fail), recording the
/// modes asked for; and a seat with ext_idle_notifier_v1 that never sends a word, to be taken
/// away under a client.
class FakeCompositor final {
public:
    enum class Manager {
        None,
        KdeDpms,  ///< org_kde_kwin_dpms_manager: an unsupported output says so when asked.
        WlrPower, ///< zwlr_output_power_manager_v1: an unsupported output fails set_mode.
    };
    struct Offers {
        Manager manager = Manager::None;
        std::vector<bool> supported; ///< One output per entry.
        bool idle = false;           ///< wl_seat and ext_idle_notifier_v1.
    };

    /// Listens on a socket in `folder`.
    FakeCompositor(const std::string& folder, const Offers& offers);
    ~FakeCompositor();
    FakeCompositor(const FakeCompositor&) = delete;
    FakeCompositor& operator=(const FakeCompositor&) = delete;

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
