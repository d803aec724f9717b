#include "ui/ProcessListView.h"

#include "ui/ShownText.h"

#include <QApplication>
#include <QHeaderView>

#include <utility>

namespace morvane {

ProcessListView::ProcessListView(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("LV"));
    setColumnCount(3);
    setHeaderLabels({QStringLiteral("Icon"), QStringLiteral("Program"), QStringLiteral("Path")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setIconSize(QSize(16, 16));
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    setColumnWidth(0, 40);
    setColumnWidth(1, 170);
    connect(this, &QTreeWidget::itemClicked, this,
            [this](const QTreeWidgetItem* item) { Announce(item); });
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        const QList<QTreeWidgetItem*> selected = selectedItems();
        if (!m_selecting && !selected.isEmpty()) {
            Announce(selected.first());
        }
    });
}

void ProcessListView::Announce(const QTreeWidgetItem* row) {
    if (row != nullptr) {
        Q_EMIT programChosen(ProgramOf(row), PathOf(row), row->icon(0));
    }
}

QTreeWidgetItem* ProcessListView::NewRow(const Row& program) {
    auto* row = new QTreeWidgetItem;
    row->setIcon(0, program.icon);
    row->setData(1, Qt::UserRole, program.name);
    row->setText(1, ShownText(program.name));
    row->setData(2, Qt::UserRole, program.path);
    row->setText(2, ShownText(program.path));
    row->setToolTip(2, row->text(2));
    return row;
}

QString ProcessListView::ProgramOf(const QTreeWidgetItem* row) {
    return row != nullptr ? row->data(1, Qt::UserRole).toString() : QString();
}

QString ProcessListView::PathOf(const QTreeWidgetItem* row) {
    return row != nullptr ? row->data(2, Qt::UserRole).toString() : QString();
}

void ProcessListView::SetRows(const QList<Row>& rows) {
    const bool selecting = std::exchange(m_selecting, true);
    setUpdatesEnabled(false);
    clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const Row& row : rows) {
        items << NewRow(row);
    }
    addTopLevelItems(items);
    setUpdatesEnabled(true);
    m_selecting = selecting;
}

QStringList ProcessListView::Programs() const {
    QStringList names;
    names.reserve(topLevelItemCount());
    for (int i = 0; i < topLevelItemCount(); ++i) {
        names << ProgramOf(topLevelItem(i));
    }
    return names;
}

QString ProcessListView::SelectedProgram() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : ProgramOf(selected.first());
}

void ProcessListView::SelectRow(int row) {
    const bool selecting = std::exchange(m_selecting, true);
    GoToRow(row);
    m_selecting = selecting;
}

void ProcessListView::GoToRow(int row) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (item == nullptr) {
        return;
    }
    setCurrentItem(item);
    item->setSelected(true);
    scrollToItem(item);
}

void ProcessListView::keyboardSearch(const QString& search) {
    // The view's own search reads the first column, which holds only the icons: the names are
    // matched here, the letters typed without a pause making one prefix.
    if (search.isEmpty()) {
        return;
    }
    if (!m_typedSince.isValid() || m_typedSince.elapsed() > QApplication::keyboardInputInterval()) {
        m_typed.clear();
    }
    m_typedSince.start();
    m_typed += search;
    // A prefix nothing starts with begins again at the last letter, so that typing the same
    // letter again finds the same row.
    for (const QString& prefix : {m_typed, m_typed.right(1)}) {
        for (int i = 0; i < topLevelItemCount(); ++i) {
            if (ProgramOf(topLevelItem(i)).startsWith(prefix, Qt::CaseInsensitive)) {
                m_typed = prefix;
                GoToRow(i);
                return;
            }
        }
    }
    m_typed.clear();
}

} // namespace morvane
