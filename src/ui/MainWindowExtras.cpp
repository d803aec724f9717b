// The main window's part in the warning before acting, the notifications, the tray icon, the
// status line, the history and editing a task.

#include "core/Engine.h"
#include "ui/HistoryWindow.h"
#include "ui/Hourglass.h"
#include "ui/LinkLabel.h"
#include "ui/MainWindow.h"
#include "ui/NotificationSender.h"
#include "ui/PreferenceActions.h"
#include "ui/StatusTexts.h"
#include "ui/TaskEditor.h"
#include "ui/TaskTableModel.h"
#include "ui/TrayIcon.h"
#include "ui/WarningNotice.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QTreeView>

namespace morvane {

void MainWindow::BuildExtras() {
    m_lblStatus = new QLabel(m_client);
    m_lblStatus->setObjectName(QStringLiteral("lblStatus"));
    const QRect web = m_lblWeb->geometry();
    m_lblStatus->setGeometry(web.right() + 16, web.top(),
                             m_LVClose->geometry().right() - web.right() - 15, web.height());

    m_menuEdit = new QAction(this);
    m_menuEdit->setObjectName(QStringLiteral("menuEdit"));
    m_menuEdit->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
    m_menuTask->insertAction(m_menuDelete, m_menuEdit);
    m_menuHistory = new QAction(this);
    m_menuHistory->setObjectName(QStringLiteral("menuHistory"));
    const QList<QAction*> taskItems = m_menuTask->actions();
    const qsizetype afterClear = taskItems.indexOf(m_menuClear) + 1;
    m_menuTask->insertAction(afterClear < taskItems.size() ? taskItems.at(afterClear) : nullptr,
                             m_menuHistory);
    connect(m_menuEdit, &QAction::triggered, this, [this] { EditCommand(); });
    connect(m_menuHistory, &QAction::triggered, this, [this] { HistoryCommand(); });
    // Enter or a double-click on a row edits it.
    connect(m_LVClose, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            m_LVClose->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect |
                                                           QItemSelectionModel::Rows);
            EditCommand();
        }
    });

    m_prefActions = new PreferenceActions(m_d.engine, *m_menuSetting, this);
    m_warning = new WarningNotice(m_d.engine, this);
    m_tray = new TrayIcon(m_d.engine, this);
    connect(m_tray, &TrayIcon::showRequested, this, [this] {
        showNormal();
        raise();
        activateWindow();
    });
    connect(m_tray, &TrayIcon::addRequested, this, [this] { AddTaskCommand(); });
    connect(m_tray, &TrayIcon::exitRequested, this, [this] {
        // The exit question needs a window to stand on.
        showNormal();
        ExitCommand();
    });
    m_tray->ShowWhereAvailable();

    m_model->SetTimeLeftSource(
        [&engine = m_d.engine](int row) { return StatusTexts::RowTimeLeft(engine, row); });
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved}) {
        connect(m_model, signal, this, [this] { RefreshLive(); });
    }
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { RefreshLive(); });
    connect(m_model, &QAbstractItemModel::dataChanged, this, [this] { RefreshLive(); });
}

void MainWindow::RefreshLive() {
    if (m_tray == nullptr) {
        return; // still being built
    }
    QStringList parts;
    for (const QString& part : {StatusTexts::NextDue(m_d.engine), StatusTexts::Armed(m_d.engine)}) {
        if (!part.isEmpty()) {
            parts << part;
        }
    }
    const QString status = parts.join(QStringLiteral("   \u00b7   "));
    if (m_lblStatus->text() != status) {
        m_lblStatus->setText(status);
        m_lblStatus->setToolTip(parts.join(QLatin1Char('\n')));
    }
    m_tray->Refresh(parts);
    if (m_d.engine.PendingWarning() || m_warning->isVisible()) {
        m_warning->Refresh();
    }
}

void MainWindow::RetranslateExtras() {
    m_menuEdit->setText(tr("Edit"));
    m_menuHistory->setText(tr("History"));
    m_prefActions->Retranslate();
    m_tray->Retranslate();
    m_warning->Retranslate();
    if (m_history != nullptr) {
        m_history->Retranslate();
    }
    m_lblStatus->clear(); // worded again below in the new language
    RefreshLive();
}

bool MainWindow::KeepsInTray() const {
    if (!m_d.engine.Prefs().keepInTray || !m_tray->IsAvailable()) {
        return false;
    }
    m_tray->ShowWhereAvailable();
    return true;
}

void MainWindow::SetTrayAvailability(std::function<bool()> available) {
    m_tray->SetAvailability(std::move(available));
}

void MainWindow::EditCommand() {
    HideDoor();
    const QModelIndexList rows = m_LVClose->selectionModel()->selectedRows();
    if (rows.isEmpty()) {
        return;
    }
    Editor()->EditTask(rows.first().row() + 1);
    Hourglass wait;
    m_d.engine.Refresh();
}

void MainWindow::HistoryCommand() {
    HideDoor();
    if (m_history == nullptr) {
        m_history = new HistoryWindow(m_d.engine, this);
    }
    m_history->Refresh();
    m_history->show();
    m_history->raise();
    m_history->activateWindow();
}

void MainWindow::WarningChanged() {
    RefreshLive();
    m_warning->Refresh();
}

void MainWindow::Notify(const Notice& notice) {
    NotificationSender(m_d.notifications, m_tray->Icon()).Send(notice, m_d.engine.Language());
}

void MainWindow::HistoryChanged() {
    if (m_history != nullptr) {
        m_history->Refresh();
    }
}

} // namespace morvane
