# The Debian package, built by CPack from an installed tree under /usr:
#     cmake --preset release && cmake --build --preset release --target package
# gives build/release/morvane_<version>-<release>_<arch>.deb. scripts/test-package.sh checks it.
include(GNUInstallDirs)

set(MORVANE_PACKAGE_MAINTAINER "The Morvane developers <morvane@users.noreply.github.com>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VENDOR "The Morvane developers")
set(CPACK_PACKAGE_CONTACT "${MORVANE_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "close programs, start programs or turn off the computer on a schedule")
set(CPACK_PACKAGE_DESCRIPTION
    "Morvane closes a running program, starts a program, or shuts down, reboots,
hibernates, logs off or turns off the monitor at a fixed date and time, after a
countdown, or after a period without mouse movement, once or repeating.

It closes only the user's own programs, and only the one chosen, picked by
dragging a target onto its window (X11) or from the list of running programs.
It runs on X11 and on Wayland desktops.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Folders the package creates are 0755 whatever the builder's umask.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MORVANE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://morvane.github.io/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded by Qt at run time, so dpkg-shlibdeps cannot see it: the Wayland platform plugin. The
# X11 one comes with libqt6gui6, which the program links.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-wayland")

# What Debian asks of every package's documentation folder.
set(morvane_docdir ${CMAKE_INSTALL_DATADIR}/doc/morvane)
install(FILES ${PROJECT_SOURCE_DIR}/cmake/debian/copyright DESTINATION ${morvane_docdir})
set(CPACK_DEBIAN_PACKAGE_VERSION "${PROJECT_VERSION}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/changelog.in
               ${PROJECT_BINARY_DIR}/debian/changelog.Debian @ONLY)
add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz
    COMMAND gzip -9nkf changelog.Debian
    DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.Debian
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}/debian
    VERBATIM)
add_custom_target(morvane_debian_changelog ALL
    DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz)
install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.Debian.gz DESTINATION ${morvane_docdir})

include(CPack)
