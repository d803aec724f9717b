#pragma once

namespace morvane {

/// The ways the program ends when the scheduler or an action asks for it.
class AppExit {
public:
    AppExit() = default;
    virtual ~AppExit() = default;
    AppExit(const AppExit&) = delete;
    AppExit& operator=(const AppExit&) = delete;

    /// Ends at once without a question, saving the settings only (the kept task list stays as
    /// the last action wrote it).
    virtual void QuitImmediately() = 0;
    /// The Exit command: asks first when tasks remain, then ends through the normal unload.
    virtual void ExitCommand() = 0;
    /// Whether an end has been requested; nothing more should run once it has.
    [[nodiscard]] virtual bool IsEnding() const = 0;
};

} // namespace morvane
