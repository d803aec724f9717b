#pragma once

#include <memory>
#include <systemd/sd-bus.h>
#include <systemd/sd-event.h>

// Owners for the sd-bus and sd-event objects: each is let go of when its owner goes.

namespace morvane::platform {

/// A bus connection: what is queued on it is written out first, then it is closed.
struct BusClose {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
using UniqueBus = std::unique_ptr<sd_bus, BusClose>;

/// A message: a request being built, or a reply.
struct MessageUnref {
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
using UniqueMessage = std::unique_ptr<sd_bus_message, MessageUnref>;

/// A slot: what keeps a call's reply handler registered.
struct SlotUnref {
    void operator()(sd_bus_slot* slot) const { sd_bus_slot_unref(slot); }
};
using UniqueSlot = std::unique_ptr<sd_bus_slot, SlotUnref>;

/// An event loop that bus connections are attached to.
struct EventUnref {
    void operator()(sd_event* event) const { sd_event_unref(event); }
};
using UniqueEvent = std::unique_ptr<sd_event, EventUnref>;

/// An event source of such a loop: switched off and let go of together.
struct EventSourceUnref {
    void operator()(sd_event_source* source) const { sd_event_source_disable_unref(source); }
};
using UniqueEventSource = std::unique_ptr<sd_event_source, EventSourceUnref>;

} // namespace morvane::platform
