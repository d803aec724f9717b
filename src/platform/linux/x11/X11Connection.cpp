#include "platform/linux/x11/X11Connection.h"

#include <X11/Xlib.h>

namespace morvane::platform::x11 {

void X11Connection::DisplayCloser::operator()(_XDisplay* display) const {
    XCloseDisplay(display);
}

std::unique_ptr<X11Connection> X11Connection::Open(const std::string& displayName) {
    DisplayPtr display(XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str()));
    if (!display) {
        return nullptr;
    }
    // The constructor is private, so make_unique cannot reach it.
    return std::unique_ptr<X11Connection>(new X11Connection(std::move(display)));
}

X11Connection::X11Connection(DisplayPtr display)
    : m_display(std::move(display)), m_screen(DefaultScreen(m_display.get())),
      m_root(RootWindow(m_display.get(), m_screen)) {}

X11Connection::~X11Connection() = default;

XId X11Connection::Atom(const std::string& name) {
    const auto found = m_atoms.find(name);
    if (found != m_atoms.end()) {
        return found->second;
    }
    const ::Atom atom = XInternAtom(Handle(), name.c_str(), False);
    m_atoms.emplace(name, atom);
    return atom;
}

void X11Connection::Sync() {
    XSync(Handle(), False);
}

} // namespace morvane::platform::x11
