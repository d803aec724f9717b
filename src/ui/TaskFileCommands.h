#pragma once

#include <QCoreApplication>

class QWidget;

namespace morvane {

class CommonDlgsW;
class Engine;

/// Save Tasks and Load Tasks: the file dialog, the engine's command, and what went wrong said in
/// a message box. Worded in the main window's translation context, whose commands they are.
class TaskFileCommands {
    Q_DECLARE_TR_FUNCTIONS(morvane::MainWindow)
public:
    static void Save(Engine& engine, CommonDlgsW& dialogs, QWidget* parent);
    static void Load(Engine& engine, CommonDlgsW& dialogs, QWidget* parent);
};

} // namespace morvane
