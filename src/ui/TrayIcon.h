#pragma once

#include "core/Options.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <map>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace morvane {

class Engine;

/// The program's icon in the desktop's tray: its tooltip says what is due next and what is
/// armed; its menu shows the window, adds a task, sets the after-all-tasks choice, and exits.
class TrayIcon final : public QObject {
    Q_OBJECT
public:
    TrayIcon(Engine& engine, QObject* parent);
    ~TrayIcon() override;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    /// Replaces how the presence of a tray is asked (QSystemTrayIcon's answer by default).
    void SetAvailability(std::function<bool()> available) { m_available = std::move(available); }
    /// Whether the desktop has a tray to show the icon in.
    [[nodiscard]] bool IsAvailable() const { return m_available(); }
    /// Shows the icon where there is a tray.
    void ShowWhereAvailable();

    /// Shows the status lines (next task, armed action) under the name in the tooltip, and the
    /// marks as the engine has them.
    void Refresh(const QStringList& status);
    /// Applies the translated captions and the language file's.
    void Retranslate();

    [[nodiscard]] QSystemTrayIcon* Icon() const { return m_icon; }
    [[nodiscard]] QMenu* Menu() const { return m_menu; }

Q_SIGNALS:
    void showRequested();
    void addRequested();
    void exitRequested();

private:
    Engine& m_engine;
    std::function<bool()> m_available;
    QSystemTrayIcon* m_icon = nullptr;
    QMenu* m_menu = nullptr;
    QMenu* m_menuAfter = nullptr;
    QAction* m_show = nullptr;
    QAction* m_add = nullptr;
    QAction* m_exit = nullptr;
    std::map<Mark, QAction*> m_marks;
};

} // namespace morvane
