#!/usr/bin/env bash
# Fails when an include crosses a layer the wrong way:
#   src/types     the standard library and itself only;
#   src/core      the standard library, types, core and the platform interfaces (no Qt, no OS,
#                 no back end);
#   src/platform  never the core, the UI or the program; its interfaces only the standard
#                 library, types and each other;
#   src/ui        never a back end.
set -euo pipefail
cd "$(dirname "$0")/.."

# Every header of the C++20 standard library, C compatibility headers included.
std='algorithm|any|array|atomic|bit|bitset|cassert|cctype|cerrno|cfloat|charconv|chrono|cinttypes'
std+='|climits|clocale|cmath|compare|concepts|condition_variable|cstddef|cstdint|cstdio|cstdlib'
std+='|cstring|ctime|cwchar|cwctype|deque|exception|filesystem|fstream|functional|initializer_list'
std+='|iomanip|ios|iosfwd|iostream|istream|iterator|limits|list|locale|map|memory|mutex|new'
std+='|numbers|numeric|optional|ostream|queue|random|ranges|ratio|regex|set|span|sstream|stack'
std+='|stdexcept|streambuf|string|string_view|system_error|thread|tuple|type_traits|typeinfo'
std+='|unordered_map|unordered_set|utility|variant|vector|version'

failed=0
report() { # message, offending lines
    if [ -n "$2" ]; then
        printf '%s\n%s\n' "$1" "$2" >&2
        failed=1
    fi
}
includes() { grep -rHn -E '^\s*#\s*include' "$@" || true; }

report "src/types includes something other than the standard library:" \
    "$(includes src/types | grep -v -E "#\s*include\s*(<($std)>|\"types/)")"
report "src/core includes Qt, an OS header, a back end or the UI:" \
    "$(includes src/core | grep -v -E "#\s*include\s*(<($std)>|\"(types|core)/|\"platform/[A-Za-z]+\.h\")")"
report "src/platform includes the core, the UI or the program:" \
    "$(includes src/platform | grep -E '#\s*include\s*"(core|ui|app)/')"
report "a platform interface includes more than the shared types and other interfaces:" \
    "$(includes src/platform/*.h | grep -v -E "#\s*include\s*(<($std)>|\"types/|\"platform/[A-Za-z]+\.h\")")"
report "src/ui includes a platform back end:" \
    "$(includes src/ui | grep -E '#\s*include\s*"platform/(linux|windows|fake|common)/')"

[ "$failed" -eq 0 ] && echo "layers: every include points the right way"
exit "$failed"
