#pragma once

#include "core/UiHost.h"

#include <QObject>

#include <functional>

class QCloseEvent;
class QWidget;

namespace morvane {

class Engine;
class TrayIcon;

/// Every way the main window ends: Exit's questions, the close box (which may only hide the
/// window to the tray, and offers to keep tasks that would be lost), the core closing the
/// window, and an immediate end. Whichever comes first ends the program once.
class QuitFlow final : public QObject {
    Q_OBJECT
public:
    /// `unloadEditor` closes the task editor for good.
    QuitFlow(Engine& engine, QWidget& window, TrayIcon& tray, std::function<void()> unloadEditor);

    /// "Are you sure to quit?": true for OK. A second question while one is open is a Cancel.
    bool AskExitQuestion();
    /// Keep the tasks that are not kept, quit without them, or stay. A second question while
    /// one is open is a Stay.
    KeepAnswer AskToKeepTasks();
    /// Closes the window for good, which runs the unload sequence, and ends.
    void CloseMainWindow();
    /// Closes the window without the unload sequence, and ends.
    void EndProgram();
    /// What the window's close box does: to the tray when the user keeps it there, else the
    /// unload sequence and the end, once tasks that would be lost are kept or let go.
    void OnClose(QCloseEvent& event);

    [[nodiscard]] bool HasEnded() const { return m_ended; }

Q_SIGNALS:
    /// The window is gone for good: the program is over.
    void ended();

private:
    [[nodiscard]] bool KeepsInTray() const;
    void Finish();

    Engine& m_engine;
    QWidget& m_window;
    TrayIcon& m_tray;
    std::function<void()> m_unloadEditor;
    bool m_closingForGood = false; // not to the tray: the program ends
    bool m_endingNow = false;      // without the unload sequence
    bool m_asking = false;
    bool m_ended = false;
};

} // namespace morvane
