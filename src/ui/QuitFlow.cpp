#include "ui/QuitFlow.h"

#include "core/Engine.h"
#include "ui/TrayIcon.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QMessageBox>
#include <QWidget>

namespace morvane {

QuitFlow::QuitFlow(Engine& engine, QWidget& window, TrayIcon& tray,
                   std::function<void()> unloadEditor)
    : QObject(&window), m_engine(engine), m_window(window), m_tray(tray),
      m_unloadEditor(std::move(unloadEditor)) {}

bool QuitFlow::AskExitQuestion() {
    // A task asking to quit while the question is open must not stack a second one.
    if (m_asking) {
        return false;
    }
    m_asking = true;
    QMessageBox box(QMessageBox::Question, tr("Exit"), tr("Are you sure to quit?"),
                    QMessageBox::Ok | QMessageBox::Cancel, &m_window);
    const bool ok = box.exec() == QMessageBox::Ok;
    m_asking = false;
    return ok;
}

KeepAnswer QuitFlow::AskToKeepTasks() {
    if (m_asking) {
        return KeepAnswer::Stay;
    }
    m_asking = true;
    QMessageBox box(QMessageBox::Warning, tr("Exit"),
                    tr("The task list is not kept: its tasks will not come back when Morvane "
                       "starts again."),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, &m_window);
    box.setInformativeText(tr("Keeping them turns on Auto Load the Task List."));
    box.button(QMessageBox::Save)->setText(tr("Keep Them and Quit"));
    box.button(QMessageBox::Discard)->setText(tr("Quit Anyway"));
    box.button(QMessageBox::Cancel)->setText(tr("Stay"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    m_asking = false;
    switch (answer) {
    case QMessageBox::Save:
        return KeepAnswer::Keep;
    case QMessageBox::Discard:
        return KeepAnswer::QuitAnyway;
    default:
        return KeepAnswer::Stay;
    }
}

void QuitFlow::CloseMainWindow() {
    m_closingForGood = true;
    m_window.close();
    Finish();
}

void QuitFlow::EndProgram() {
    m_closingForGood = true;
    m_endingNow = true;
    m_unloadEditor();
    m_window.close();
    Finish();
}

void QuitFlow::OnClose(QCloseEvent& event) {
    // Only the user's close box gets here unclosed for good: the core's ends and the session's
    // end never go to the tray or ask.
    if (!m_closingForGood) {
        if (KeepsInTray()) {
            event.ignore();
            m_window.hide();
            return;
        }
        if (!m_engine.ConfirmClose()) {
            event.ignore();
            return;
        }
    }
    if (!m_endingNow) {
        m_engine.UnloadSequence();
    }
    event.accept();
    Finish();
}

bool QuitFlow::KeepsInTray() const {
    if (!m_engine.Prefs().keepInTray || !m_tray.IsAvailable()) {
        return false;
    }
    m_tray.ShowWhereAvailable();
    return true;
}

void QuitFlow::Finish() {
    if (m_ended) {
        return;
    }
    m_ended = true;
    m_window.hide();
    Q_EMIT ended();
}

} // namespace morvane
