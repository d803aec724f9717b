#include "core/scheduler/WatchTrigger.h"

#include "core/tasks/DateTime.h"
#include "platform/Processes.h"
#include "types/Clock.h"

#include <algorithm>

namespace morvane {

namespace {

constexpr std::uint64_t kLongestGapMillis = 10'000;

const DateTime& WaitingTime() {
    static const DateTime waiting = *ParseDateText(texts::kWaitingTime, DateOrder::DayFirst);
    return waiting;
}

// Only a task still waiting is watched: one whose time came waits for its action (a warning
// may hold it), and a snoozed one for its new time.
bool IsWaiting(const TaskPlan& plan) {
    return plan.due && *plan.due == WaitingTime();
}

} // namespace

void WatchTrigger::Tick() {
    if (m_d.tasks.WatchTaskCount() == 0) {
        m_state.clear();
        m_last.reset();
        return;
    }
    const DateTime now = m_d.clock.Now();
    m_runningNames.clear();
    m_pidRuns.clear();
    bool scanned = false;
    bool read = false;
    std::unordered_map<TaskId, State> next;
    next.reserve(static_cast<std::size_t>(m_d.tasks.WatchTaskCount()));
    for (int row = 1; row <= m_d.tasks.Count(); ++row) {
        const TaskPlan& plan = m_d.tasks.PlanOf(row);
        if (!plan.Watches()) {
            continue;
        }
        const TaskId id = m_d.tasks.IdOf(row);
        const auto known = m_state.find(id);
        State state = known == m_state.end() ? State{} : known->second;
        if (plan.trigger == TaskTrigger::Quiet && !read) {
            // Both counters at once: they are read together, and the rates need the last reading.
            m_now = m_d.load != nullptr ? m_d.load->Read(true, true) : platform::LoadSample{};
            m_kibPerSecond.reset();
            m_processorPercent.reset();
            // Readings far apart (the machine slept, the program hung) say nothing about now:
            // a download may go on after waking, so the quiet period starts again.
            const bool recent = m_last && m_now.millis > m_last->millis &&
                                m_now.millis - m_last->millis <= kLongestGapMillis;
            if (recent && m_now.networkBytes && m_last->networkBytes &&
                *m_now.networkBytes >= *m_last->networkBytes) {
                m_kibPerSecond = static_cast<double>(*m_now.networkBytes - *m_last->networkBytes) /
                                 1024.0 * 1000.0 /
                                 static_cast<double>(m_now.millis - m_last->millis);
            }
            if (recent && m_now.processor && m_last->processor &&
                m_now.processor->total > m_last->processor->total &&
                m_now.processor->busy >= m_last->processor->busy) {
                m_processorPercent =
                    100.0 * static_cast<double>(m_now.processor->busy - m_last->processor->busy) /
                    static_cast<double>(m_now.processor->total - m_last->processor->total);
            }
            read = true;
        }
        if (plan.trigger == TaskTrigger::ProgramExits && !scanned &&
            (plan.watchPid == 0 || state.byName || !state.seen)) {
            for (const platform::ProcessInfo& p : m_d.processes.ScanRunningPrograms()) {
                m_runningNames.push_back(FileNameFromPath(p.path));
            }
            scanned = true;
        }
        Watch(row, plan, state, now);
        next.emplace(id, state);
    }
    m_state.swap(next);
    if (read) {
        m_last = m_now;
    }
}

bool WatchTrigger::Runs(const TaskPlan& plan, State& state) {
    if (plan.watchPid > 0 && !state.byName) {
        auto [it, fresh] = m_pidRuns.try_emplace(plan.watchPid, false);
        if (fresh) {
            // Checked as a kill checks it: an id now naming another program has ended for us.
            it->second = m_d.processes.StillRuns({plan.watchName, plan.watchPid, 0});
        }
        if (it->second || state.seen) {
            return it->second;
        }
        // Not seen since loading, and the id names something else: the program's other
        // processes, or its next start, are what the user waits for.
        state.byName = true;
    }
    // Letter case aside, as the system compares program names.
    return std::any_of(m_runningNames.begin(), m_runningNames.end(), [&](const std::string& name) {
        return m_d.processes.SameProgramName(name, plan.watchName);
    });
}

std::optional<bool> WatchTrigger::IsQuiet(const TaskPlan& plan) const {
    const std::optional<double>& level =
        plan.quietSource == QuietSource::Network ? m_kibPerSecond : m_processorPercent;
    if (!level) {
        return std::nullopt;
    }
    return *level < plan.quietLimit;
}

void WatchTrigger::Watch(int row, const TaskPlan& plan, State& state, const DateTime& now) {
    if (!IsWaiting(plan)) {
        return;
    }
    bool happened = false;
    if (plan.trigger == TaskTrigger::ProgramExits) {
        const bool runs = Runs(plan, state);
        happened = !runs && state.seen;
        state.seen = state.seen || runs;
    } else {
        // Busy, or not known, starts the period again; quiet lets it run on.
        const bool quiet = IsQuiet(plan).value_or(false);
        if (!quiet || !state.quietDue) {
            state.quietDue = AddPeriod(now, plan.period);
        }
        happened = quiet && state.quietDue && !(now < *state.quietDue);
    }
    if (happened) {
        m_d.tasks.SetField(row, Field::CloseTime, FormatCanonical(now));
    }
}

void WatchTrigger::Arm(int firstRow) {
    for (int row = firstRow; row <= m_d.tasks.Count(); ++row) {
        if (m_d.tasks.PlanOf(row).Watches()) {
            m_state.erase(m_d.tasks.IdOf(row));
            m_d.tasks.SetField(row, Field::CloseTime, std::string(texts::kWaitingTime));
        }
    }
}

void WatchTrigger::Added(int row) {
    if (m_d.tasks.PlanOf(row).Watches()) {
        m_state[m_d.tasks.IdOf(row)] = State{true, false, std::nullopt};
    }
}

std::string WatchTrigger::Problem(int row) const {
    const TaskPlan& plan = m_d.tasks.PlanOf(row);
    if (plan.trigger == TaskTrigger::ProgramExits) {
        const auto state = m_state.find(m_d.tasks.IdOf(row));
        if (state != m_state.end() && !state->second.seen) {
            return plan.watchName + " is not running: the task waits for it to start and end.";
        }
        return {};
    }
    if (plan.trigger != TaskTrigger::Quiet) {
        return {};
    }
    if (m_d.load == nullptr) {
        return "The network and processor counters cannot be read here.";
    }
    if (!m_last) {
        return {};
    }
    return plan.quietSource == QuietSource::Network ? m_last->networkUnreadable
                                                    : m_last->processorUnreadable;
}

} // namespace morvane
