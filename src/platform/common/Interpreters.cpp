#include "platform/common/Interpreters.h"

#include <array>

namespace morvane::platform {

namespace {

// How one family of interpreters reads its command line. Word lists are separated by spaces.
struct Syntax {
    std::string_view names = {};
    /// Short options after which no script runs: code, a module, standard input.
    std::string_view code = {};
    /// Short options taking a value: the rest of their word, else the next word.
    std::string_view value = {};
    /// Short options whose value is the rest of their word only, never the next word.
    std::string_view attached = {};
    /// Short options whose value is the script (php -f).
    std::string_view scriptOption = {};
    /// Long options (whole words) taking the next word as value unless written "--name=value".
    std::string_view longValue = {};
    /// Long options after which no script runs.
    std::string_view longCode = {};
    /// Long options whose value is the script (java -jar).
    std::string_view longScript = {};
    /// Options are whole words only; "-cp" is not "-c" and "-p".
    bool wholeWords = false;
    /// "+o name" and "+x" are options too (the shells).
    bool plusOptions = false;
    /// The first word that is not an option is the script; Java's is a class.
    bool operandIsScript = true;
};

constexpr std::array kSyntaxes = {
    Syntax{.names = "python pythonw pypy",
           .code = "cm",
           .value = "WXQ",
           .longValue = "--check-hash-based-pycs"},
    Syntax{.names = "perl", .code = "eE", .value = "I", .attached = "ixMmdDFC"},
    Syntax{.names = "ruby",
           .code = "e",
           .value = "IrCE",
           .attached = "xFKTW",
           .longValue = "--encoding --external-encoding --internal-encoding --enable --disable"},
    Syntax{.names = "node nodejs",
           .code = "ep",
           .value = "rC",
           .longValue = "--require --import --loader --experimental-loader --conditions --title",
           .longCode = "--eval --print"},
    Syntax{.names = "lua luajit", .code = "e", .value = "l"},
    Syntax{.names = "php", .code = "raBRESs", .value = "cdzt", .scriptOption = "fF"},
    Syntax{.names = "sh bash dash zsh ksh mksh ash yash fish csh tcsh",
           .code = "cs",
           .value = "oO",
           .longValue = "--rcfile --init-file --init-command",
           .longCode = "--command",
           .plusOptions = true},
    Syntax{.names = "tclsh wish",
           .longValue = "-encoding -colormap -display -geometry -name -use -visual",
           .wholeWords = true},
    Syntax{.names = "java javaw",
           .longValue = "-cp -classpath --class-path -p --module-path --upgrade-module-path "
                        "--add-modules --limit-modules --add-reads --add-exports --add-opens "
                        "--patch-module --source",
           .longCode = "-m --module",
           .longScript = "-jar",
           .wholeWords = true,
           .operandIsScript = false},
};

bool InList(std::string_view list, std::string_view word) {
    while (!list.empty()) {
        const std::size_t space = list.find(' ');
        if (list.substr(0, space) == word) {
            return true;
        }
        list.remove_prefix(space == std::string_view::npos ? list.size() : space + 1);
    }
    return false;
}

std::string_view BaseName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// python3.11 -> python, perl5.36.0 -> perl, lua5.4 -> lua.
std::string_view WithoutVersion(std::string_view name) {
    const std::size_t last = name.find_last_not_of("0123456789.");
    return last == std::string_view::npos ? std::string_view{} : name.substr(0, last + 1);
}

const Syntax* SyntaxOf(std::string_view exeName) {
    const std::string_view family = WithoutVersion(exeName);
    for (const Syntax& syntax : kSyntaxes) {
        if (!family.empty() && InList(syntax.names, family)) {
            return &syntax;
        }
    }
    return nullptr;
}

// The kernel keeps the first 15 bytes of a process's name.
bool IsShortNameOf(std::string_view comm, std::string_view path) {
    constexpr std::size_t kCommLength = 15;
    return !comm.empty() && BaseName(path).substr(0, kCommLength) == comm;
}

std::optional<std::string> Script(std::string_view word) {
    if (word.empty()) {
        return std::nullopt;
    }
    return std::string(word);
}

// Walks the options to the script. Returns nullopt when code, a module or standard input takes
// the script's place, or nothing names one.
std::optional<std::string> ParseOptions(const Syntax& syntax,
                                        const std::vector<std::string>& argv) {
    for (std::size_t i = 1; i < argv.size(); ++i) {
        const std::string_view word = argv[i];
        const bool option =
            word.size() > 1 && (word.front() == '-' || (syntax.plusOptions && word.front() == '+'));
        if (word == "--") {
            return i + 1 < argv.size() && syntax.operandIsScript ? Script(argv[i + 1])
                                                                 : std::nullopt;
        }
        if (!option) {
            // "-" alone is standard input.
            return syntax.operandIsScript && word != "-" ? Script(word) : std::nullopt;
        }
        if (syntax.wholeWords || word.starts_with("--")) {
            const std::size_t equals = word.find('=');
            const std::string_view name = word.substr(0, equals);
            const bool valueFollows = equals == std::string_view::npos;
            if (InList(syntax.longCode, name)) {
                return std::nullopt;
            }
            if (InList(syntax.longScript, name)) {
                return valueFollows ? (i + 1 < argv.size() ? Script(argv[i + 1]) : std::nullopt)
                                    : Script(word.substr(equals + 1));
            }
            if (valueFollows && InList(syntax.longValue, name)) {
                ++i;
            }
            continue;
        }
        // A bundle of short options: "-Bc" is -B then -c.
        for (std::size_t k = 1; k < word.size(); ++k) {
            const char letter = word[k];
            const std::string_view rest = word.substr(k + 1);
            if (syntax.code.find(letter) != std::string_view::npos) {
                return std::nullopt;
            }
            if (syntax.scriptOption.find(letter) != std::string_view::npos) {
                if (!rest.empty()) {
                    return Script(rest);
                }
                return i + 1 < argv.size() ? Script(argv[i + 1]) : std::nullopt;
            }
            if (syntax.value.find(letter) != std::string_view::npos) {
                if (rest.empty()) {
                    ++i;
                }
                break;
            }
            if (syntax.attached.find(letter) != std::string_view::npos) {
                break;
            }
        }
    }
    return std::nullopt;
}

} // namespace

bool Interpreters::Knows(std::string_view exeName) {
    return SyntaxOf(exeName) != nullptr;
}

std::optional<std::string> Interpreters::ScriptOf(std::string_view exeName, std::string_view comm,
                                                  const std::vector<std::string>& argv) {
    const Syntax* syntax = SyntaxOf(exeName);
    if (syntax == nullptr || argv.empty()) {
        return std::nullopt;
    }
    // Started through its "#!" line, a script gives the process its name, and its path follows
    // the interpreter and the line's one optional argument (which may hold spaces, so it is no
    // option list to parse).
    if (!IsShortNameOf(comm, argv[0])) {
        for (std::size_t i = 1; i <= 2 && i < argv.size(); ++i) {
            if (IsShortNameOf(comm, argv[i])) {
                return Script(argv[i]);
            }
        }
    }
    return ParseOptions(*syntax, argv);
}

} // namespace morvane::platform
