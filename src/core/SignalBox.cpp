#include "core/SignalBox.h"

#include "core/Options.h"

namespace morvane {

void SignalBox::Raise(std::string_view text) {
    if (text == kRefresh && m_refresh) {
        m_refresh();
    }
    if (text == kAllMenuFalse) {
        m_options.UncheckAfterMenus();
    }
}

} // namespace morvane
