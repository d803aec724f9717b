#include "core/remote/CommandLine.h"

#include "core/remote/TaskOrder.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <ostream>
#include <string_view>
#include <thread>

namespace morvane {

namespace {

using platform::ControlVerb;

// How long a started instance has to load its list and take its name.
constexpr int kStartTimeoutMs = 30000;

constexpr std::array<std::string_view, 7> kActionOptions = {
    "shutdown", "reboot", "logoff", "hibernate", "suspend", "lock", "monitor-off"};
constexpr std::array<std::string_view, 10> kValueOptions = {
    "close", "run", "in", "at", "idle", "when-exits", "when-quiet", "for", "repeat", "grace"};
constexpr std::array<std::string_view, 2> kFlagOptions = {"now", "quit"};

template <typename Names> bool Has(const Names& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsDateOnly(std::string_view text) {
    return text.size() == 10 && text[4] == '-' && text[7] == '-';
}

CommandLine Bad(std::string why) {
    CommandLine line;
    line.kind = CommandLine::Kind::Bad;
    line.why = std::move(why);
    return line;
}

// --list, --cancel and --show stand alone.
CommandLine ReadAlone(const std::vector<std::string>& args) {
    CommandLine line;
    line.kind = CommandLine::Kind::Request;
    const std::string& first = args.front();
    if (first == "--cancel") {
        if (args.size() != 2) {
            return Bad("--cancel takes one task id, or all");
        }
        if (args[1] == "all") {
            line.request.verb = ControlVerb::CancelAll;
            return line;
        }
        const std::string& id = args[1];
        if (id.empty() || id.size() > 19 ||
            !std::all_of(id.begin(), id.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
            std::stoull(id) == 0) {
            return Bad("--cancel \"" + id + "\": a task id is a number above zero (see --list)");
        }
        line.request.verb = ControlVerb::Cancel;
        line.request.id = std::stoull(id);
        return line;
    }
    if (args.size() != 1) {
        return Bad(first + " takes no other option");
    }
    line.request.verb = first == "--list" ? ControlVerb::List : ControlVerb::Show;
    return line;
}

} // namespace

CommandLine ReadCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "--version") {
            line.kind = arg == "--help" ? CommandLine::Kind::Help : CommandLine::Kind::Version;
            return line;
        }
    }
    if (args.empty()) {
        return line;
    }
    const std::string& first = args.front();
    if (first == "--list" || first == "--cancel" || first == "--show") {
        return ReadAlone(args);
    }
    line.kind = CommandLine::Kind::Request;
    line.request.verb = ControlVerb::Add;
    OrderFields& fields = line.request.fields;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0) {
            return Bad("unexpected argument \"" + arg + "\"");
        }
        std::string name = arg.substr(2);
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        if (name == "list" || name == "cancel" || name == "show") {
            return Bad("--" + name + " takes no other option");
        }
        if (Has(kActionOptions, name) || Has(kFlagOptions, name)) {
            if (value) {
                return Bad("--" + name + " takes no value");
            }
            if (Has(kActionOptions, name)) {
                if (std::any_of(fields.begin(), fields.end(),
                                [](const auto& f) { return f.first == "action"; })) {
                    return Bad("give one action only");
                }
                fields.emplace_back("action", name);
            } else {
                fields.emplace_back(name, "true");
            }
            continue;
        }
        if (!Has(kValueOptions, name)) {
            return Bad("unknown option --" + name);
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                return Bad("--" + name + " needs a value");
            }
            value = args[++i];
        }
        // "--at 2026-12-24 18:00": the date and the time may come as two words.
        if (name == "at" && IsDateOnly(*value) && i + 1 < args.size() &&
            args[i + 1].rfind("--", 0) != 0) {
            *value += " " + args[++i];
        }
        fields.emplace_back(name, *value);
    }
    return line;
}

std::string HelpText() {
    return "Usage: morvane [ACTION] [TARGET] TRIGGER [--repeat minute|hour|day|month] [--quit]\n"
           "       morvane --list | --cancel ID|all | --show | --help | --version\n"
           "\n"
           "Without arguments, starts Morvane (or brings its window forward). With a task, hands\n"
           "it to the running Morvane of this session, starting one when none runs, and prints\n"
           "the new task's id.\n"
           "\n"
           "ACTION (what happens at the time, or after the target's task):\n"
           "  --shutdown, --reboot, --logoff, --hibernate, --monitor-off\n"
           "  --suspend (sleep), --lock (lock the screen)\n"
           "TARGET:\n"
           "  --close PROGRAM       close every running copy of PROGRAM (as the process list\n"
           "                        names it: its file name, or a script's name)\n"
           "  --run COMMAND-LINE    start a program\n"
           "TRIGGER (exactly one):\n"
           "  --now                 at once\n"
           "  --in DURATION         after DURATION: 90s, 30m, 1h30m, 2d\n"
           "  --at TIME             at HH:MM[:SS] (today, or tomorrow when past) or at\n"
           "                        YYYY-MM-DD HH:MM[:SS]\n"
           "  --idle DURATION       after DURATION without mouse movement\n"
           "  --when-exits PID|PROGRAM  once the process, or every process of the program,\n"
           "                        has exited\n"
           "  --when-quiet network[=KIB_PER_S]|cpu[=PERCENT] [--for DURATION]\n"
           "                        once traffic (50 KiB/s) or processor use (10%) has\n"
           "                        stayed below the level for DURATION (5m); runs once\n"
           "OPTIONS:\n"
           "  --repeat UNIT         repeat every minute, hour, day or month\n"
           "  --quit                quit Morvane after the task\n"
           "  --grace DURATION      with --close: ask the program to close first, and force\n"
           "                        it only if it still runs after DURATION (1s to 1h)\n"
           "\n"
           "  --list                one line per task: id, when, what, repeat (TAB between)\n"
           "  --cancel ID|all       remove a task, or every task and the after-all action\n"
           "  --show                bring the window forward\n"
           "\n"
           "Examples:\n"
           "  morvane --shutdown --in 30m\n"
           "  morvane --run 'backup.sh' --at 23:00 --hibernate\n"
           "  morvane --close firefox --idle 20m --grace 30s\n"
           "  morvane --cancel all\n"
           "\n"
           "Exit status: 0 done, 1 Morvane could not be reached or started, 2 bad arguments or a\n"
           "task refused (the reason is printed; nothing changed).\n"
           "Tasks and settings are kept in $XDG_CONFIG_HOME/morvane (~/.config/morvane when it\n"
           "is unset).\n";
}

int RunCommandLine(const CommandLine& line, platform::ControlClient& client,
                   const std::string& executable, const DateTime& now, std::ostream& out,
                   std::ostream& err) {
    if (line.kind == CommandLine::Kind::Bad) {
        err << "morvane: " << line.why << " (see morvane --help)\n";
        return 2;
    }
    const platform::ControlRequest& request = line.request;
    if (request.verb == ControlVerb::Add) {
        std::string why;
        if (!ReadTaskOrder(request.fields, now, why)) {
            err << "morvane: " << why << "\n";
            return 2;
        }
    }
    if (!client.InstanceRuns()) {
        if (request.verb != ControlVerb::Add && request.verb != ControlVerb::Show) {
            err << "morvane: Morvane is not running\n";
            return 1;
        }
        if (const Result started = client.StartInstance(executable, kStartTimeoutMs);
            !started.Ok()) {
            err << "morvane: " << started.Message() << "\n";
            return 1;
        }
    }
    platform::ControlReply reply;
    // An instance that was just started owns its name a moment before it can answer.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kStartTimeoutMs);
    for (;;) {
        if (const Result sent = client.Send(request, reply); !sent.Ok()) {
            err << "morvane: " << sent.Message() << "\n";
            return 1;
        }
        if (reply.refusal != platform::kStartingRefusal ||
            std::chrono::steady_clock::now() >= deadline) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    if (!reply.refusal.empty()) {
        err << "morvane: " << reply.refusal << "\n";
        return 2;
    }
    if (request.verb == ControlVerb::Add) {
        out << reply.id << "\n";
    }
    for (const platform::ControlTask& task : reply.tasks) {
        out << task.id << '\t' << task.when << '\t' << task.what << '\t' << task.loop << '\n';
    }
    out.flush();
    return out ? 0 : 1;
}

} // namespace morvane
