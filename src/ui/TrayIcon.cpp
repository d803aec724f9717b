#include "ui/TrayIcon.h"

#include "ui/MainMenus.h"

#include "core/Engine.h"
#include "ui/Lan.h"
#include "ui/StatusTexts.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

namespace morvane {

TrayIcon::TrayIcon(Engine& engine, QObject* parent)
    : QObject(parent), m_engine(engine),
      m_available([] { return QSystemTrayIcon::isSystemTrayAvailable(); }) {
    m_icon = new QSystemTrayIcon(QIcon(QStringLiteral(":/icons/morvane.svg")), this);
    m_icon->setObjectName(QStringLiteral("trayIcon"));
    // The tray's menu has no parent window; it is deleted with us.
    m_menu = new QMenu;
    m_menu->setObjectName(QStringLiteral("trayMenu"));
    m_show = m_menu->addAction(QString());
    m_show->setObjectName(QStringLiteral("trayShow"));
    m_add = m_menu->addAction(QString());
    m_add->setObjectName(QStringLiteral("trayAdd"));
    m_menuAfter = m_menu->addMenu(QString());
    m_menuAfter->setObjectName(QStringLiteral("trayAfter"));
    for (Mark mark : {Mark::Shut, Mark::Reboot, Mark::Logoff, Mark::Hibernate, Mark::Screen,
                      Mark::Suspend, Mark::Lock, Mark::Quit}) {
        QAction* action = m_menuAfter->addAction(QString());
        action->setCheckable(true);
        m_marks[mark] = action;
        // The marks' listener refreshes the menu with everything else that shows them.
        connect(action, &QAction::triggered, this, [this, mark] { m_engine.ToggleMark(mark); });
    }
    MainMenus::FollowHibernation(*m_menuAfter, *m_marks[Mark::Hibernate], m_engine);
    m_menu->addSeparator();
    m_exit = m_menu->addAction(QString());
    m_exit->setObjectName(QStringLiteral("trayExit"));
    m_icon->setContextMenu(m_menu);

    connect(m_show, &QAction::triggered, this, &TrayIcon::showRequested);
    connect(m_add, &QAction::triggered, this, &TrayIcon::addRequested);
    connect(m_exit, &QAction::triggered, this, &TrayIcon::exitRequested);
    connect(m_icon, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
                    Q_EMIT showRequested();
                }
            });
    Retranslate();
}

TrayIcon::~TrayIcon() {
    m_icon->setContextMenu(nullptr);
    delete m_menu;
}

void TrayIcon::ShowWhereAvailable() {
    if (!m_icon->isVisible() && IsAvailable()) {
        m_icon->show();
    }
}

void TrayIcon::Refresh(const QStringList& status) {
    // Asked every tick: the desktop hears of a tooltip only when it changes.
    const QString tip = (QStringList{QStringLiteral("Morvane")} + status).join(QLatin1Char('\n'));
    if (m_icon->toolTip() != tip) {
        m_icon->setToolTip(tip);
    }
    for (const auto& [mark, action] : m_marks) {
        action->setChecked(m_engine.Marks().IsChecked(mark));
    }
}

void TrayIcon::Retranslate() {
    const LanguageTable& lan = m_engine.Language();
    m_show->setText(tr("Show Morvane"));
    m_add->setText(Lan(lan, LanText::AddTask));
    m_menuAfter->setTitle(Lan(lan, LanText::AfterAllTasksMenu));
    for (const auto& [mark, action] : m_marks) {
        action->setText(mark == Mark::Quit ? Lan(lan, LanText::QuitProgram)
                                           : StatusTexts::MarkCaption(lan, mark));
    }
    m_exit->setText(Lan(lan, LanText::Exit));
}

} // namespace morvane
