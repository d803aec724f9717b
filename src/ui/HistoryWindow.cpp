#include "ui/HistoryWindow.h"

#include "core/Engine.h"
#include "core/extras/History.h"
#include "core/tasks/DateTime.h"
#include "ui/ShownText.h"
#include "ui/StatusTexts.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <optional>

namespace morvane {

HistoryWindow::HistoryWindow(const Engine& engine, QWidget* parent)
    : QDialog(parent), m_engine(engine) {
    setObjectName(QStringLiteral("frmHistory"));
    setModal(false);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("LVHistory"));
    m_list->setColumnCount(3);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAlternatingRowColors(true);
    m_list->setColumnWidth(0, 150);
    m_list->setColumnWidth(1, 260);
    m_list->header()->setStretchLastSection(true);
    auto* root = new QVBoxLayout(this);
    root->addWidget(m_list);
    resize(720, 420);
    Retranslate();
}

void HistoryWindow::Retranslate() {
    setWindowTitle(tr("History"));
    m_list->setHeaderLabels({tr("Time"), tr("What"), tr("Result")});
    Refresh();
}

QString HistoryWindow::What(const HistoryEvent& event, const LanguageTable& lan) {
    QString subject = ShownText(event.subject);
    switch (event.kind) {
    case HistoryEvent::Kind::Closed:
    case HistoryEvent::Kind::NothingToClose:
    case HistoryEvent::Kind::ClosedGently:
        return tr("Close %1").arg(subject);
    case HistoryEvent::Kind::Started:
    case HistoryEvent::Kind::CouldNotStart:
        return tr("Run %1").arg(subject);
    case HistoryEvent::Kind::PowerRequested:
    case HistoryEvent::Kind::PowerRefused:
    case HistoryEvent::Kind::PowerNoAnswerYet:
    case HistoryEvent::Kind::PowerDoneLate:
        return StatusTexts::PowerCaption(lan, event.subject);
    case HistoryEvent::Kind::Cancelled:
    case HistoryEvent::Kind::Snoozed:
        return subject;
    case HistoryEvent::Kind::NotSaved:
        return event.subject == "settings" ? tr("Save the settings") : tr("Save the tasks");
    case HistoryEvent::Kind::Added:
        return tr("Add %1").arg(StatusTexts::PowerCaption(lan, event.subject));
    case HistoryEvent::Kind::Loaded:
        return tr("Load Tasks from %1").arg(subject);
    }
    return subject;
}

QString HistoryWindow::Result(const HistoryEvent& event) {
    QString detail = ShownText(event.detail);
    switch (event.kind) {
    case HistoryEvent::Kind::Closed:
        return tr("closed %n process(es)", nullptr, event.count);
    case HistoryEvent::Kind::NothingToClose:
        if (event.detail == kRunsElevated) {
            return tr("not closed: the program runs with administrator rights");
        }
        if (event.detail == kOtherSession) {
            return tr("not closed: it belongs to another user's session");
        }
        return tr("nothing to close");
    case HistoryEvent::Kind::Started:
        return tr("started");
    case HistoryEvent::Kind::CouldNotStart:
        return tr("could not start: %1").arg(detail);
    case HistoryEvent::Kind::PowerRequested:
        return tr("request sent");
    case HistoryEvent::Kind::PowerRefused:
        return tr("refused: %1").arg(detail);
    case HistoryEvent::Kind::PowerNoAnswerYet:
        return tr("no answer yet: it may still happen");
    case HistoryEvent::Kind::PowerDoneLate:
        return tr("carried out late");
    case HistoryEvent::Kind::Cancelled:
        return tr("cancelled in the warning");
    case HistoryEvent::Kind::Snoozed:
        return tr("put off by 10 minutes");
    case HistoryEvent::Kind::NotSaved:
        return tr("could not be written: %1").arg(detail);
    case HistoryEvent::Kind::Added:
        return event.detail == "command-line" ? tr("added from the command line")
                                              : tr("added in the task editor");
    case HistoryEvent::Kind::Loaded:
        return tr("%n task(s) added from the file", nullptr, event.count);
    case HistoryEvent::Kind::ClosedGently:
        return GentleResult(event);
    }
    return detail;
}

QString HistoryWindow::GentleResult(const HistoryEvent& event) {
    const QString asked = tr("asked %n process(es)", nullptr, event.count);
    const std::optional<GentleOutcome> o = ReadGentleDetail(event.detail);
    if (!o) {
        return asked + QStringLiteral("; ") + ShownText(event.detail);
    }
    QStringList parts{tr("%n closed", nullptr, o->closed),
                      tr("%n forced after %1 s", nullptr, o->forced).arg(o->graceSeconds)};
    if (o->windowless > 0) {
        parts << tr("%n had no window", nullptr, o->windowless);
    }
    if (o->left > 0) {
        parts << tr("%n left running: the task was changed or removed", nullptr, o->left);
    }
    return asked + QStringLiteral("; ") + parts.join(QStringLiteral(", "));
}

void HistoryWindow::Refresh() {
    const auto& events = m_engine.Events().Events();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(events.size()));
    // Newest first.
    for (std::size_t i = events.size(); i > 0; --i) {
        const HistoryEvent& event = events[i - 1];
        rows << new QTreeWidgetItem(QStringList{QString::fromStdString(FormatCanonical(event.time)),
                                                What(event, m_engine.Language()), Result(event)});
    }
    m_list->setUpdatesEnabled(false);
    m_list->clear();
    m_list->addTopLevelItems(rows);
    m_list->setUpdatesEnabled(true);
}

} // namespace morvane
