#pragma once

namespace morvane {

/// What the scheduler and the actions ask of the rest of Morvane besides acting: interfaces they
/// call, so no part hands them callbacks into itself.

/// Rescans the running programs, so an action reads lists that describe this moment.
class Rescan {
public:
    Rescan() = default;
    virtual ~Rescan() = default;
    Rescan(const Rescan&) = delete;
    Rescan& operator=(const Rescan&) = delete;

    virtual void Refresh() = 0;
};

/// Writes or removes the kept task list, as the option and the list say, when the list changed
/// since it was last written: once after each tick or command, and before any power request.
class ListKeeper {
public:
    ListKeeper() = default;
    virtual ~ListKeeper() = default;
    ListKeeper(const ListKeeper&) = delete;
    ListKeeper& operator=(const ListKeeper&) = delete;

    virtual void KeepList() = 0;
};

/// Asked before an action goes ahead, so the user can be warned first.
class TaskGate {
public:
    TaskGate() = default;
    virtual ~TaskGate() = default;
    TaskGate(const TaskGate&) = delete;
    TaskGate& operator=(const TaskGate&) = delete;

    /// Before the due task at `row` acts: true holds it back, and the tasks behind it wait.
    virtual bool HoldTask(int row) = 0;
    /// Before the after-all-tasks action: true holds it back.
    virtual bool HoldAfterAll() = 0;
};

} // namespace morvane
