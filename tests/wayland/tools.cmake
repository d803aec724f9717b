# Tools the Wayland tests use on the real compositors (scripts/with-wayland.sh): real input on KWin.
include(${PROJECT_SOURCE_DIR}/cmake/WaylandProtocols.cmake)

morvane_wayland_protocols(morvane_test_kwin_fake_input_protocol
    ${PLASMA_WAYLAND_PROTOCOLS_DIR}/fake-input.xml)
add_executable(morvane_kwin_fake_input ${CMAKE_CURRENT_LIST_DIR}/KwinFakeInput.cpp)
target_link_libraries(morvane_kwin_fake_input PRIVATE morvane_test_kwin_fake_input_protocol
                                                      morvane_warnings)
# What a test run through scripts/with-wayland.sh needs in its ENVIRONMENT for input on KWin
# (the tool is part of the default build).
# Qt 6.4's Wayland plugin never tears its display down at exit (the compositor's globals, the
# seat, queued requests), nor its xcb plugin XWayland's XInput pointer devices, so leak checking
# is off for the Qt programs these tests run on the compositors;
# AddressSanitizer still checks every access. Our Wayland layer has its own leak-checked tests
# (wayland_*), and the windows are leak-checked on X11 and offscreen.
set(MORVANE_WAYLAND_TEST_ENV
    "MORVANE_KWIN_FAKE_INPUT=$<TARGET_FILE:morvane_kwin_fake_input>"
    "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1")

# The real program natively on each compositor: its first frame, then a clean end on SIGTERM.
foreach(compositor mutter kwin sway weston)
    add_test(NAME wayland.Smoke.${compositor}
             COMMAND ${CMAKE_CURRENT_LIST_DIR}/smoke.sh ${compositor} $<TARGET_FILE:morvane>
                     ${CMAKE_CURRENT_BINARY_DIR}/wayland-smoke-${compositor})
    set_tests_properties(wayland.Smoke.${compositor} PROPERTIES
        SKIP_RETURN_CODE 77 TIMEOUT 90 ENVIRONMENT "LC_ALL=C.UTF-8;TZ=UTC;${MORVANE_WAYLAND_TEST_ENV}")
endforeach()
