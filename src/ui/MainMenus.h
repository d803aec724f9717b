#pragma once

#include "core/Options.h"
#include "ui/MainCommand.h"

#include <QObject>

#include <functional>
#include <map>

class QAction;
class QMainWindow;
class QMenu;

namespace morvane {

class Engine;
class PreferenceActions;

/// The main window's menu bar: the task commands, the Setting menu with the after-all-tasks
/// choice and the options, the languages, and help. A command item asks the window for its
/// command; a check mark is a command to the engine and shows what the engine holds.
class MainMenus final : public QObject {
    Q_OBJECT
public:
    MainMenus(Engine& engine, QMainWindow& window);

    /// Greys out `hibernate` in `menu`, saying why, while this machine cannot hibernate.
    static void FollowHibernation(QMenu& menu, QAction& hibernate, const Engine& engine);

    /// Applies the translated captions; the language file's go on top after.
    void Retranslate();
    /// Applies the captions the language file carries.
    void UpdateLan();
    /// Sets every check mark from the engine.
    void SyncMarks();
    /// Sets one check mark, as the engine reports it changed.
    void ShowMark(Mark mark, bool checked);
    /// How the options ask whether the desktop has a tray to keep running in.
    void SetTrayCheck(std::function<bool()> available);

    [[nodiscard]] QMenu* SettingMenu() const { return m_setting; }

Q_SIGNALS:
    void commandRequested(MainCommand command);

private:
    QAction* NewAction(QMenu* menu, const char* name, MainCommand command, const char* shortcut);
    QAction* NewMarkAction(QMenu* menu, const char* name, Mark mark);

    Engine& m_engine;
    QMenu* m_task = nullptr;
    QMenu* m_setting = nullptr;
    QMenu* m_after = nullptr;
    QMenu* m_languages = nullptr;
    QMenu* m_about = nullptr;
    QAction* m_add = nullptr;
    QAction* m_edit = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_clear = nullptr;
    QAction* m_history = nullptr;
    QAction* m_exit = nullptr;
    QAction* m_help = nullptr;
    QAction* m_aboutItem = nullptr;
    std::map<Mark, QAction*> m_marks;
    PreferenceActions* m_preferences = nullptr;
};

} // namespace morvane
