#pragma once

namespace morvane {

/// What the main window's buttons and menus ask of it. The parts that offer the commands name
/// them; the window alone knows how each is carried out.
enum class MainCommand {
    AddTask,
    EditTask,
    DeleteTask,
    RemoveAll,
    SaveTasks,
    LoadTasks,
    Setting,
    History,
    Help,
    About,
    Exit,
};

} // namespace morvane
