#include "platform/linux/x11/X11Windows.h"

namespace morvane::platform::x11 {

std::unique_ptr<X11Windows> X11Windows::Open(const std::string& displayName) {
    std::unique_ptr<X11Connection> connection = X11Connection::Open(displayName);
    if (!connection) {
        return nullptr;
    }
    // The constructor is private, so make_unique cannot reach it.
    return std::unique_ptr<X11Windows>(new X11Windows(std::move(connection)));
}

X11Windows::X11Windows(std::unique_ptr<X11Connection> connection)
    : m_connection(std::move(connection)), m_properties(*m_connection),
      m_tree(*m_connection, m_properties), m_wm(*m_connection, m_tree, m_properties) {}

X11Windows::~X11Windows() = default;

} // namespace morvane::platform::x11
