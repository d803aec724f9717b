#include "core/remote/RemoteDesk.h"

#include "core/Engine.h"
#include "core/editor/ProgramTargets.h"
#include "core/remote/TaskOrder.h"
#include "core/tasks/DateTime.h"
#include "types/Clock.h"

#include <array>
#include <charconv>

namespace morvane {

namespace {

using platform::ControlEvent;
using platform::ControlReply;
using platform::ControlVerb;

ControlReply Refused(std::string why) {
    ControlReply reply;
    reply.refusal = std::move(why);
    return reply;
}

// The words the command line takes for each action, so a listed task reads as it was asked.
std::string_view ActionWord(PowerAction power) {
    switch (power) {
    case PowerAction::None:
        break;
    case PowerAction::Shutdown:
        return "shutdown";
    case PowerAction::Reboot:
        return "reboot";
    case PowerAction::LogOff:
        return "logoff";
    case PowerAction::Hibernate:
        return "hibernate";
    case PowerAction::MonitorOff:
        return "monitor-off";
    case PowerAction::Suspend:
        return "suspend";
    case PowerAction::Lock:
        return "lock";
    }
    return {};
}

std::string_view LoopWords(TaskRepeat repeat) {
    switch (repeat) {
    case TaskRepeat::Month:
        return "every month";
    case TaskRepeat::Day:
        return "every day";
    case TaskRepeat::Hour:
        return "every hour";
    case TaskRepeat::Minute:
        return "every minute";
    case TaskRepeat::None:
    case TaskRepeat::Unknown:
        break;
    }
    return "once";
}

std::string ClockText(std::int64_t seconds) {
    const auto two = [](std::int64_t n) {
        return (n < 10 ? "0" : "") + std::to_string(n);
    };
    return std::to_string(seconds / 3600) + ":" + two(seconds % 3600 / 60) + ":" +
           two(seconds % 60);
}

} // namespace

RemoteDesk::RemoteDesk(Engine& engine, platform::ControlServer& server)
    : m_engine(engine), m_server(server) {
    m_engine.Tasks().AddObserver(this);
    m_engine.SetFiredListener(
        [this](TaskId id) { m_server.Announce(ControlEvent::TaskFired, id); });
    m_server.SetHandler(
        [this](const platform::ControlRequest& request) { return Answer(request); });
}

RemoteDesk::~RemoteDesk() {
    m_server.SetHandler({});
    m_engine.SetFiredListener({});
    m_engine.Tasks().RemoveObserver(this);
}

ControlReply RemoteDesk::Answer(const platform::ControlRequest& request) {
    switch (request.verb) {
    case ControlVerb::Add:
        return Add(request);
    case ControlVerb::List: {
        ControlReply reply;
        const DateTime now = m_engine.ClockSource().Now();
        const bool activitySeen = m_engine.IdleUnavailableReason().empty();
        const int count = m_engine.Tasks().Count();
        reply.tasks.reserve(static_cast<std::size_t>(count));
        for (int row = 1; row <= count; ++row) {
            reply.tasks.push_back(Describe(row, now, activitySeen));
        }
        return reply;
    }
    case ControlVerb::Cancel: {
        const int row = m_engine.Tasks().RowOf(request.id);
        if (row == 0 || !m_engine.DeleteTask(row)) {
            return Refused("there is no task " + std::to_string(request.id) +
                           " (see morvane --list)");
        }
        return {};
    }
    case ControlVerb::CancelAll:
        m_engine.CancelAll();
        return {};
    case ControlVerb::Show:
        m_engine.ShowWindow();
        return {};
    }
    return Refused("unknown request");
}

ControlReply RemoteDesk::Add(const platform::ControlRequest& request) {
    const DateTime now = m_engine.ClockSource().Now();
    std::string why;
    const std::optional<TaskOrder> order = ReadTaskOrder(request.fields, now, why);
    if (!order) {
        return Refused(why);
    }
    TaskBuilder::Input in = order->ToInput();
    if (order->target == TaskOrder::Target::Close) {
        // The process list as the editor would show it now: the target is one of its rows.
        m_engine.Refresh();
        const auto id = ProgramTargets::FirstProcessId(m_engine.Running(), order->program);
        if (!id) {
            return Refused("no running program is called \"" + order->program +
                           "\" (the names are those of the editor's process list)");
        }
        in.processId = *id;
        for (const RunningPrograms::Program& program : m_engine.Running().Programs()) {
            if (program.name == order->program) {
                in.targetPath = program.path;
                break;
            }
        }
    }
    if (order->target == TaskOrder::Target::Run) {
        if (const Result found = m_engine.CheckProgram(in.commandLine); !found.Ok()) {
            return Refused(found.Message());
        }
    }
    if (const Result watched = m_engine.CheckWatched(in); !watched.Ok()) {
        return Refused(watched.Message());
    }
    switch (TaskBuilder::Check(in)) {
    case TaskBuilder::Refusal::None:
        break;
    case TaskBuilder::Refusal::DateDoesNotExist:
        return Refused("that date does not exist");
    default:
        return Refused("the task cannot be made from these options");
    }
    if (TaskBuilder::AsksAboutPastTime(in, now)) {
        return Refused("that time has passed: " + FormatCanonical(order->at));
    }
    const int row = m_engine.AddTask(in, TaskOrigin::CommandLine);
    ControlReply reply;
    reply.id = m_engine.Tasks().IdOf(row);
    return reply;
}

platform::ControlTask RemoteDesk::Describe(int row, const DateTime& now, bool activitySeen) const {
    const TaskList& tasks = m_engine.Tasks();
    const TaskPlan& plan = tasks.PlanOf(row);
    const Task& task = tasks.At(row);
    platform::ControlTask line;
    line.id = tasks.IdOf(row);
    if (plan.IsIdle()) {
        line.when = "after " + DurationText(PeriodSeconds(plan.period)) + " without activity";
        if (!activitySeen) {
            line.when += " (waits: activity cannot be seen here)";
        }
    } else if (plan.Watches() && plan.due && FormatCanonical(*plan.due) == texts::kWaitingTime) {
        if (plan.trigger == TaskTrigger::ProgramExits) {
            line.when = plan.watchPid > 0 ? "when " + plan.watchName + " (" +
                                                std::to_string(plan.watchPid) + ") exits"
                                          : "when every " + plan.watchName + " has exited";
        } else {
            const bool network = plan.quietSource == QuietSource::Network;
            line.when = std::string("when the ") + (network ? "network" : "processor") +
                        " stays below " + std::to_string(plan.quietLimit) +
                        (network ? " KiB/s" : "%") + " for " +
                        DurationText(PeriodSeconds(plan.period));
        }
        if (const std::string problem = m_engine.WatchProblem(row); !problem.empty()) {
            line.when += " (waits: " + problem + ")";
        }
    } else if (!plan.due) {
        line.when = "due now (its time cannot be read)";
    } else {
        const std::int64_t left = std::max<std::int64_t>(0, SecondsBetween(now, *plan.due));
        line.when =
            FormatCanonical(*plan.due) + (left > 0 ? " (in " + ClockText(left) + ")" : " (due)");
    }
    switch (plan.target) {
    case TaskTarget::Close:
        line.what = "close " + task.program;
        if (plan.gentle) {
            line.what += " gently (" + DurationText(plan.graceSeconds) + ")";
        }
        break;
    case TaskTarget::Run:
        line.what = "run " + task.path;
        break;
    case TaskTarget::Empty:
        break;
    }
    const std::string_view action = ActionWord(plan.power);
    if (!action.empty()) {
        line.what += (line.what.empty() ? "" : ", then ") + std::string(action);
    }
    if (plan.quit) {
        line.what += line.what.empty() ? "quit" : ", then quit";
    }
    line.loop = LoopWords(plan.repeat);
    // A listed line is split at TABs and line breaks by its readers.
    for (std::string* text : {&line.when, &line.what}) {
        for (char& c : *text) {
            if (c == '\t' || c == '\r' || c == '\n') {
                c = ' ';
            }
        }
    }
    return line;
}

void RemoteDesk::AnnounceRows(ControlEvent event, int first, int last) {
    for (int row = first; row <= last; ++row) {
        m_server.Announce(event, m_engine.Tasks().IdOf(row));
    }
}

void RemoteDesk::OnRowsAppended(int first, int last) {
    AnnounceRows(ControlEvent::TaskAdded, first, last);
}

void RemoteDesk::OnRowAboutToBeRemoved(int row) {
    AnnounceRows(ControlEvent::TaskRemoved, row, row);
}

void RemoteDesk::OnRowsAboutToBeRemoved(const std::vector<int>& rows) {
    for (const int row : rows) {
        AnnounceRows(ControlEvent::TaskRemoved, row, row);
    }
}

void RemoteDesk::OnAboutToClear() {
    AnnounceRows(ControlEvent::TaskRemoved, 1, m_engine.Tasks().Count());
}

} // namespace morvane
