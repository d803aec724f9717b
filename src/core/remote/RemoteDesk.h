#pragma once

#include "core/tasks/TaskList.h"
#include "platform/Control.h"

#include <string>
#include <vector>

namespace morvane {

class Engine;

/// The running instance's answers to the command line and to other programs: adds a task with
/// the editor's checks (refusing, with the reason, where the editor would ask), lists, cancels,
/// and shows the window; and tells the channel's listeners when a task is added, removed or
/// fired. Everything goes through the engine's commands, as the windows' clicks do.
class RemoteDesk final : private TaskListObserver {
public:
    /// Answers `server`'s requests from now on.
    RemoteDesk(Engine& engine, platform::ControlServer& server);
    ~RemoteDesk() override;
    RemoteDesk(const RemoteDesk&) = delete;
    RemoteDesk& operator=(const RemoteDesk&) = delete;

    [[nodiscard]] platform::ControlReply Answer(const platform::ControlRequest& request);

private:
    /// One task as --list describes it. `now` and whether activity can be seen are asked once
    /// for the whole list: nothing per row reads the clock or the desktop.
    [[nodiscard]] platform::ControlTask Describe(int row, const DateTime& now,
                                                 bool activitySeen) const;
    platform::ControlReply Add(const platform::ControlRequest& request);
    void AnnounceRows(platform::ControlEvent event, int first, int last);

    void OnRowsAppended(int first, int last) override;
    void OnRowAboutToBeRemoved(int row) override;
    void OnRowsAboutToBeRemoved(const std::vector<int>& rows) override;
    void OnAboutToClear() override;

    Engine& m_engine;
    platform::ControlServer& m_server;
};

} // namespace morvane
