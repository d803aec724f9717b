# Warnings every target of ours gets; errors where MORVANE_WERROR is on (CI).
add_library(morvane_warnings INTERFACE)
target_compile_options(morvane_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wold-style-cast -Wnon-virtual-dtor -Woverloaded-virtual)
if(MORVANE_WERROR)
    target_compile_options(morvane_warnings INTERFACE -Werror)
endif()
# GCC 12 reports -Wrestrict false positives inside std::string's operator+ at -O2 and above
# (fixed in GCC 13); they would fail every optimised build of ours.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(morvane_warnings INTERFACE -Wno-restrict)
endif()
