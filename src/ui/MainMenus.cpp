#include "ui/MainMenus.h"

#include "core/Engine.h"
#include "ui/Lan.h"
#include "ui/PreferenceActions.h"
#include "ui/StatusTexts.h"
#include "ui/UiText.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace morvane {

namespace {

// A menu's caption with its first letter as the keyboard mnemonic (Alt+letter); an ampersand
// in the caption itself is a character.
QString Mnemonic(QString caption) {
    caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return caption.isEmpty() ? caption : QLatin1Char('&') + caption;
}

QMenu* NewMenu(QMenuBar& bar, QMenu* parent, const char* name) {
    QMenu* menu = parent != nullptr ? parent->addMenu(QString()) : bar.addMenu(QString());
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

MainMenus::MainMenus(Engine& engine, QMainWindow& window) : QObject(&window), m_engine(engine) {
    QMenuBar& bar = *window.menuBar();
    bar.setObjectName(QStringLiteral("menuBar"));

    m_task = NewMenu(bar, nullptr, "menuTask");
    m_add = NewAction(m_task, "menuAdd", MainCommand::AddTask, "Ctrl+A");
    m_edit = NewAction(m_task, "menuEdit", MainCommand::EditTask, "Ctrl+E");
    m_delete = NewAction(m_task, "menuDelete", MainCommand::DeleteTask, "Ctrl+D");
    m_clear = NewAction(m_task, "menuClear", MainCommand::RemoveAll, nullptr);
    m_history = NewAction(m_task, "menuHistory", MainCommand::History, nullptr);
    m_task->addSeparator();
    m_exit = NewAction(m_task, "menuExit", MainCommand::Exit, "Ctrl+Q");

    m_setting = NewMenu(bar, nullptr, "menuSetting");
    m_after = NewMenu(bar, m_setting, "menuAfter");
    NewMarkAction(m_after, "menuShut", Mark::Shut);
    NewMarkAction(m_after, "menuReboot", Mark::Reboot);
    NewMarkAction(m_after, "menuLogoff", Mark::Logoff);
    NewMarkAction(m_after, "menuHibernet", Mark::Hibernate);
    NewMarkAction(m_after, "menuScreen", Mark::Screen);
    NewMarkAction(m_after, "menuSuspend", Mark::Suspend);
    NewMarkAction(m_after, "menuLock", Mark::Lock);
    NewMarkAction(m_after, "menuQuit", Mark::Quit);
    // Asked as the menu opens: hibernation can be turned on or off while we run. A mark already
    // on can still be taken off.
    FollowHibernation(*m_after, *m_marks[Mark::Hibernate], m_engine);
    NewMarkAction(m_setting, "menuAutostart", Mark::Autostart);
    NewMarkAction(m_setting, "menuAutoload", Mark::Autoload);
    m_preferences = new PreferenceActions(engine, *m_setting, &window);

    m_languages = NewMenu(bar, nullptr, "menuLan");
    NewMarkAction(m_languages, "menuEn", Mark::English);
    NewMarkAction(m_languages, "menuFr", Mark::French);
    NewMarkAction(m_languages, "menuPolish", Mark::Polish);

    m_about = NewMenu(bar, nullptr, "menuA");
    m_help = NewAction(m_about, "menuHelp", MainCommand::Help, "Ctrl+H");
    m_about->addSeparator();
    m_aboutItem = NewAction(m_about, "menuAbout", MainCommand::About, nullptr);

    // F10 opens the menu bar, as on most desktops.
    auto* menuKey = new QAction(this);
    menuKey->setObjectName(QStringLiteral("menuBarKey"));
    menuKey->setShortcut(QKeySequence(Qt::Key_F10));
    menuKey->setShortcutContext(Qt::WindowShortcut);
    window.addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this, &bar] {
        bar.setFocus(Qt::MenuBarFocusReason);
        bar.setActiveAction(m_task->menuAction());
    });
    Retranslate();
    SyncMarks();
}

QAction* MainMenus::NewAction(QMenu* menu, const char* name, MainCommand command,
                              const char* shortcut) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    if (shortcut != nullptr) {
        action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
    }
    menu->addAction(action);
    connect(action, &QAction::triggered, this,
            [this, command] { Q_EMIT commandRequested(command); });
    return action;
}

QAction* MainMenus::NewMarkAction(QMenu* menu, const char* name, Mark mark) {
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(true);
    menu->addAction(action);
    m_marks[mark] = action;
    connect(action, &QAction::triggered, this, [this, mark] {
        m_engine.ToggleMark(mark);
        // The menu toggled its own mark on the click; the engine's answer is what counts.
        SyncMarks();
    });
    return action;
}

void MainMenus::FollowHibernation(QMenu& menu, QAction& hibernate, const Engine& engine) {
    menu.setToolTipsVisible(true);
    // Asked at each opening: the user can turn hibernation off while we run.
    connect(&menu, &QMenu::aboutToShow, &menu, [&hibernate, &engine] {
        const QString why = UiText::Reason(engine.HibernateUnavailableReason());
        hibernate.setToolTip(why);
        // A mark already on can still be turned off.
        hibernate.setEnabled(why.isEmpty() || hibernate.isChecked());
    });
}

void MainMenus::SyncMarks() {
    for (const auto& [mark, action] : m_marks) {
        action->setChecked(m_engine.Marks().IsChecked(mark));
    }
}

void MainMenus::ShowMark(Mark mark, bool checked) {
    if (const auto it = m_marks.find(mark); it != m_marks.end()) {
        it->second->setChecked(checked);
    }
}

void MainMenus::SetTrayCheck(std::function<bool()> available) {
    m_preferences->SetTrayCheck(std::move(available));
}

void MainMenus::Retranslate() {
    m_edit->setText(tr("Edit"));
    m_history->setText(tr("History"));
    m_exit->setText(Mnemonic(tr("Exit")));
    // Windows' own words there; elsewhere the registration starts us at logon.
    m_marks[Mark::Autostart]->setText(Mnemonic(m_engine.AutostartsWithWindows()
                                                   ? tr("Auto Start on Windows Booting")
                                                   : tr("Auto Start at Logon")));
    m_marks[Mark::Autoload]->setText(Mnemonic(tr("Auto Load the Task List")));
    m_marks[Mark::English]->setText(Mnemonic(tr("English")));
    m_marks[Mark::French]->setText(Mnemonic(tr("French")));
    m_marks[Mark::Polish]->setText(Mnemonic(tr("Polish")));
    m_preferences->Retranslate();
}

void MainMenus::UpdateLan() {
    const LanguageTable& lan = m_engine.Language();
    const std::pair<QMenu*, LanText> menus[] = {
        {m_task, LanText::TaskMenu},           {m_setting, LanText::Setting},
        {m_after, LanText::AfterAllTasksMenu}, {m_about, LanText::About},
        {m_languages, LanText::Languages},
    };
    for (const auto& [menu, entry] : menus) {
        menu->setTitle(Mnemonic(Lan(lan, entry)));
    }
    const std::pair<QAction*, LanText> items[] = {
        {m_add, LanText::AddTask},     {m_delete, LanText::Delete},
        {m_clear, LanText::RemoveAll}, {m_aboutItem, LanText::About},
        {m_help, LanText::Help},       {m_marks.at(Mark::Quit), LanText::QuitProgram},
    };
    for (const auto& [action, entry] : items) {
        action->setText(Mnemonic(Lan(lan, entry)));
    }
    for (const Mark mark : kPowerMarks) {
        m_marks.at(mark)->setText(Mnemonic(StatusTexts::MarkCaption(lan, mark)));
    }
}

} // namespace morvane
