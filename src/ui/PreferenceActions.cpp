#include "ui/PreferenceActions.h"

#include "core/Engine.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>

namespace morvane {

PreferenceActions::PreferenceActions(Engine& engine, QMenu& menu, QWidget* dialogParent)
    : QObject(&menu), m_engine(engine), m_dialogParent(dialogParent) {
    menu.addSeparator();
    auto checkable = [this, &menu](const char* name, bool Preferences::*option) {
        QAction* action = menu.addAction(QString());
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, option](bool on) {
            Preferences prefs = m_engine.Prefs();
            prefs.*option = on;
            m_engine.SetPreferences(prefs);
            Sync();
        });
        return action;
    };
    m_warn = checkable("menuWarn", &Preferences::warnBeforeActing);
    m_lead = menu.addAction(QString());
    m_lead->setObjectName(QStringLiteral("menuWarnLead"));
    connect(m_lead, &QAction::triggered, this, [this] { AskLeadTime(); });
    m_sound = checkable("menuWarnSound", &Preferences::soundWithWarning);
    m_fullScreen = checkable("menuWarnFullScreen", &Preferences::fullScreenLastMinute);
    m_notifyPower = checkable("menuNotifyPower", &Preferences::notifyPowerSoon);
    m_notifyFailures = checkable("menuNotifyFailures", &Preferences::notifyFailures);
    m_keepInTray = checkable("menuKeepInTray", &Preferences::keepInTray);
    m_closeGently = checkable("menuCloseGently", &Preferences::closeGently);
    // Shows why an item is unavailable; only items given a tooltip show one.
    menu.setToolTipsVisible(true);
    // A tray can come or go while we run: asked again each time the menu opens.
    connect(&menu, &QMenu::aboutToShow, this, [this] { Sync(); });
    Retranslate();
}

void PreferenceActions::SetTrayCheck(std::function<bool()> available) {
    m_trayAvailable = std::move(available);
    Sync();
}

void PreferenceActions::Sync() {
    const Preferences& prefs = m_engine.Prefs();
    m_warn->setChecked(prefs.warnBeforeActing);
    // Both belong to the warning: without it there is nothing to sound or to fill the screen.
    m_sound->setChecked(prefs.soundWithWarning);
    m_sound->setEnabled(prefs.warnBeforeActing);
    m_fullScreen->setChecked(prefs.fullScreenLastMinute);
    m_fullScreen->setEnabled(prefs.warnBeforeActing);
    m_notifyPower->setChecked(prefs.notifyPowerSoon);
    m_notifyFailures->setChecked(prefs.notifyFailures);
    m_keepInTray->setChecked(prefs.keepInTray);
    // Without a tray there is nowhere to keep running: the close box ends the program.
    const bool tray = m_trayAvailable && m_trayAvailable();
    m_keepInTray->setEnabled(tray);
    const QString why =
        tray ? QString() : tr("This desktop has no system tray: closing the window ends Morvane.");
    m_keepInTray->setToolTip(why);
    m_keepInTray->setStatusTip(why);
    m_closeGently->setChecked(prefs.closeGently);
}

void PreferenceActions::Retranslate() {
    m_warn->setText(tr("Warn before acting"));
    m_lead->setText(tr("Warning lead time..."));
    m_sound->setText(tr("Sound with the warning"));
    m_fullScreen->setText(tr("Full-screen last minute before power actions"));
    m_notifyPower->setText(tr("Notify before power actions"));
    m_notifyFailures->setText(tr("Notify when a task fails"));
    m_keepInTray->setText(tr("Keep running in the tray when the window is closed"));
    m_closeGently->setText(tr("Close programs gently by default"));
    Sync();
}

void PreferenceActions::AskLeadTime() {
    bool ok = false;
    const int seconds = QInputDialog::getInt(
        m_dialogParent, tr("Warning lead time"),
        tr("Seconds the warning waits before acting (%1 to %2):")
            .arg(Preferences::kMinLead)
            .arg(Preferences::kMaxLead),
        m_engine.Prefs().warnLeadSeconds, Preferences::kMinLead, Preferences::kMaxLead, 1, &ok);
    if (ok) {
        Preferences prefs = m_engine.Prefs();
        prefs.warnLeadSeconds = seconds;
        m_engine.SetPreferences(prefs);
    }
}

} // namespace morvane
