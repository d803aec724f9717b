// Real pointer input on KWin for tests: moves the pointer 5 px and back through
// org_kde_kwin_fake_input, which KWin honours when started with
// KWIN_WAYLAND_NO_PERMISSION_CHECKS=1. The compositor counts it as user activity, as it would a
// mouse.
//   morvane_kwin_fake_input     (uses WAYLAND_DISPLAY; exits 0 once KWin has read the motion)

#include "fake-input-client-protocol.h"

#include <wayland-client.h>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct DisplayCloser {
    void operator()(wl_display* display) const { wl_display_disconnect(display); }
};
struct RegistryDestroyer {
    void operator()(wl_registry* registry) const { wl_registry_destroy(registry); }
};
struct FakeInputDestroyer {
    void operator()(org_kde_kwin_fake_input* input) const {
        org_kde_kwin_fake_input_destroy(input);
    }
};

struct Globals {
    std::unique_ptr<org_kde_kwin_fake_input, FakeInputDestroyer> fakeInput;
};

void OnGlobal(void* data, wl_registry* registry, uint32_t name, const char* interface,
              uint32_t /*version*/) {
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 &&
        !globals->fakeInput) {
        globals->fakeInput.reset(static_cast<org_kde_kwin_fake_input*>(
            wl_registry_bind(registry, name, &org_kde_kwin_fake_input_interface, 1)));
    }
}

void OnGlobalRemove(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kRegistryListener{OnGlobal, OnGlobalRemove};

} // namespace

int main() {
    const std::unique_ptr<wl_display, DisplayCloser> display(wl_display_connect(nullptr));
    if (!display) {
        std::fprintf(stderr, "morvane_kwin_fake_input: no Wayland display\n");
        return 1;
    }
    Globals globals;
    const std::unique_ptr<wl_registry, RegistryDestroyer> registry(
        wl_display_get_registry(display.get()));
    wl_registry_add_listener(registry.get(), &kRegistryListener, &globals);
    if (wl_display_roundtrip(display.get()) < 0) {
        std::fprintf(stderr, "morvane_kwin_fake_input: the compositor went away\n");
        return 1;
    }
    if (!globals.fakeInput) {
        std::fprintf(stderr, "morvane_kwin_fake_input: the compositor offers no %s\n",
                     org_kde_kwin_fake_input_interface.name);
        return 1;
    }
    org_kde_kwin_fake_input_authenticate(globals.fakeInput.get(), "morvane-tests",
                                         "input for tests");
    org_kde_kwin_fake_input_pointer_motion(globals.fakeInput.get(), wl_fixed_from_int(5),
                                           wl_fixed_from_int(5));
    org_kde_kwin_fake_input_pointer_motion(globals.fakeInput.get(), wl_fixed_from_int(-5),
                                           wl_fixed_from_int(-5));
    // The round trip returns once KWin has handled every request before it.
    if (wl_display_roundtrip(display.get()) < 0) {
        std::fprintf(stderr, "morvane_kwin_fake_input: the compositor went away\n");
        return 1;
    }
    return 0;
}
