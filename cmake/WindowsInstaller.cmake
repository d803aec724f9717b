# The Windows installer, built by CPack's NSIS generator from the installed tree (the program,
# its data files beside it, and the Qt libraries windeployqt puts there):
#     scripts\windows.ps1 package
# gives build\windows\Morvane-<version>-win64.exe. It installs for the current user only, needs
# no administrator rights, and its uninstaller also removes start at logon.
set(CPACK_GENERATOR NSIS)
# The values below hold backslashes and NSIS variables, written to CPack's configuration as they
# are.
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_PACKAGE_NAME Morvane)
set(CPACK_PACKAGE_VENDOR "The Morvane developers")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Morvane)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Morvane)
set(CPACK_NSIS_PACKAGE_NAME Morvane)
set(CPACK_NSIS_DISPLAY_NAME Morvane)
# Where Windows puts programs installed for one user.
set(CPACK_NSIS_INSTALL_ROOT "$LOCALAPPDATA\\Programs")
set(CPACK_NSIS_MUI_ICON "${PROJECT_SOURCE_DIR}/data/windows/morvane.ico")
set(CPACK_NSIS_MUI_UNIICON "${PROJECT_SOURCE_DIR}/data/windows/morvane.ico")
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
# CPack's own script installs for all users as an administrator; ours, in cmake/windows, does not.
set(CPACK_MODULE_PATH "${PROJECT_SOURCE_DIR}/cmake/windows")

# Qt's libraries and plugins beside the installed program, so it starts from its folder. Run
# in the tree CPack installs into, so the package holds them.
# It sits beside qmake; scripts\windows.ps1 also puts it on the PATH.
set(morvane_qt_bin)
if(TARGET Qt6::qmake)
    get_target_property(morvane_qmake Qt6::qmake IMPORTED_LOCATION)
    get_filename_component(morvane_qt_bin "${morvane_qmake}" DIRECTORY)
endif()
find_program(MORVANE_WINDEPLOYQT windeployqt HINTS ${morvane_qt_bin} REQUIRED)
install(CODE "
    execute_process(COMMAND \"${MORVANE_WINDEPLOYQT}\" --no-translations
                            \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/morvane.exe\"
                    RESULT_VARIABLE deployed)
    if(NOT deployed EQUAL 0)
        message(FATAL_ERROR \"windeployqt failed: \${deployed}\")
    endif()
")

include(CPack)
