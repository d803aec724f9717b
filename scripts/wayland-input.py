#!/usr/bin/python3
"""Makes real input on a headless compositor, for tests: `wayland-input.py mutter` moves the
pointer through mutter's remote-desktop interface on the session bus."""
import sys

import dbus


def mutter():
    bus = dbus.SessionBus()
    rd = bus.get_object("org.gnome.Mutter.RemoteDesktop", "/org/gnome/Mutter/RemoteDesktop")
    path = dbus.Interface(rd, "org.gnome.Mutter.RemoteDesktop").CreateSession()
    session = dbus.Interface(bus.get_object("org.gnome.Mutter.RemoteDesktop", path),
                             "org.gnome.Mutter.RemoteDesktop.Session")
    session.Start()
    # The session lives as long as this connection: move while it is up, then end it.
    session.NotifyPointerMotionRelative(dbus.Double(5.0), dbus.Double(5.0))
    session.NotifyPointerMotionRelative(dbus.Double(-5.0), dbus.Double(-5.0))
    session.Stop()


if __name__ == "__main__":
    {"mutter": mutter}[sys.argv[1]]()
