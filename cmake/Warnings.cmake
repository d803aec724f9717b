# Warnings every target of ours gets; errors where MORVANE_WERROR is on (CI).
add_library(morvane_warnings INTERFACE)
target_compile_options(morvane_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
if(MORVANE_WERROR)
    target_compile_options(morvane_warnings INTERFACE -Werror)
endif()
