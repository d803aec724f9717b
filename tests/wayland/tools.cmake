# Tools the Wayland tests use on the real compositors (scripts/with-wayland.sh): real input on KWin.
include(${PROJECT_SOURCE_DIR}/cmake/WaylandProtocols.cmake)

morvane_wayland_protocols(morvane_test_kwin_fake_input_protocol
    ${PLASMA_WAYLAND_PROTOCOLS_DIR}/fake-input.xml)
add_executable(morvane_kwin_fake_input ${CMAKE_CURRENT_LIST_DIR}/KwinFakeInput.cpp)
target_link_libraries(morvane_kwin_fake_input PRIVATE morvane_test_kwin_fake_input_protocol
                                                      morvane_warnings)
