#pragma once

#include <functional>
#include <string_view>

namespace morvane {

class Options;

/// The two cross-window requests. A request's effect is complete when Raise returns, so a writer
/// of "refresh" reads fresh running-programs lists on its next statement.
class SignalBox {
public:
    static constexpr std::string_view kRefresh = "refresh";
    static constexpr std::string_view kAllMenuFalse = "AllMenuFalse";

    explicit SignalBox(Options& options) : m_options(options) {}

    /// What "refresh" does: rescan the running programs and rebuild the lists that show them.
    void SetRefreshHandler(std::function<void()> handler) { m_refresh = std::move(handler); }

    /// Performs the request named by `text`; any other text does nothing.
    void Raise(std::string_view text);
    void Refresh() { Raise(kRefresh); }
    void AllMenuFalse() { Raise(kAllMenuFalse); }

private:
    Options& m_options;
    std::function<void()> m_refresh;
};

} // namespace morvane
