#pragma once

namespace morvane {

/// The entries of a language file, named by what they caption; the value is the 0-based line.
/// Lines 5, 34 to 39 and 47 are empty in every language file and have no name.
enum class LanText {
    AddTask = 0, // the Add button and menu item
    Delete = 1,
    RemoveAll = 2, // also the "clear the task list" menu item
    Setting = 3,
    HowToUse = 4,
    Exit = 6,
    TaskMenu = 7,
    AfterAllTasksMenu = 8,
    About = 9,
    Help = 10,
    // The five power actions, in the after-all-tasks menu and the editor's after list.
    Shutdown = 11,
    Reboot = 12,
    LogOff = 13,
    Hibernate = 14,
    MonitorOff = 15,
    QuitProgram = 16, // the quit mark and the editor's quit box
    // The task editor.
    DragToSelect = 17,
    WhatsThis = 18,
    ProgramName = 19,
    ProcessId = 20,
    WindowTitle = 21, // shown while a window is the target
    ChooseFromList = 22,
    EmptyTask = 23,
    ScheduleSetting = 24,
    Interval = 25,
    Days = 26,
    Hours = 27,
    Minutes = 28,
    Seconds = 29,
    SpecificTime = 30,
    AfterTaskFinished = 31,
    AddButton = 32,
    CancelButton = 33,
    CloseNowQuestion = 40,
    CloseNowTitle = 41,
    NoProgramText = 42,
    NoProgramTitle = 43,
    ZeroIntervalText = 44,
    ZeroIntervalQuestion = 45,
    ZeroIntervalTitle = 46,
    Languages = 48,   // the main window's menu
    ProgramPath = 49, // shown while a listed program is the target
    DoNothing = 50,   // the editor's after list, first item
};

} // namespace morvane
