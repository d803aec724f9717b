# `format` rewrites our C++ files as .clang-format says; `format-check` fails on any that differ.
# Both go through scripts/check-format.sh, which owns the file list.
add_custom_target(format
    COMMAND "${PROJECT_SOURCE_DIR}/scripts/check-format.sh" --fix
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
    COMMENT "Formatting the C++ sources"
    VERBATIM USES_TERMINAL)
add_custom_target(format-check
    COMMAND "${PROJECT_SOURCE_DIR}/scripts/check-format.sh"
    WORKING_DIRECTORY "${PROJECT_SOURCE_DIR}"
    COMMENT "Checking the C++ sources' format"
    VERBATIM USES_TERMINAL)
