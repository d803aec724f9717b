#include "ui/ProcessListView.h"

#include "ui/ShownText.h"

#include <QHeaderView>

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
}

QTreeWidgetItem* ProcessListView::NewRow(const QIcon& icon, const QString& name,
                                         const QString& path) {
    auto* row = new QTreeWidgetItem;
    row->setIcon(0, icon);
    row->setData(1, Qt::UserRole, name);
    row->setText(1, ShownText(name));
    row->setData(2, Qt::UserRole, path);
    row->setText(2, ShownText(path));
    row->setToolTip(2, row->text(2));
    return row;
}

QString ProcessListView::ProgramOf(const QTreeWidgetItem* row) {
    return row != nullptr ? row->data(1, Qt::UserRole).toString() : QString();
}

QString ProcessListView::PathOf(const QTreeWidgetItem* row) {
    return row != nullptr ? row->data(2, Qt::UserRole).toString() : QString();
}

QStringList ProcessListView::Programs() const {
    QStringList names;
    names.reserve(topLevelItemCount());
    for (int i = 0; i < topLevelItemCount(); ++i) {
        names << ProgramOf(topLevelItem(i));
    }
    return names;
}

void ProcessListView::SelectRow(int row) {
    QTreeWidgetItem* item = topLevelItem(row);
    if (item == nullptr) {
        return;
    }
    setCurrentItem(item);
    item->setSelected(true);
    scrollToItem(item);
}

void ProcessListView::keyboardSearch(const QString& search) {
    // Only the last typed character counts: typing the same letter again finds the same row.
    if (search.isEmpty()) {
        return;
    }
    const QString typed = search.right(1).toUpper();
    for (int i = 0; i < topLevelItemCount(); ++i) {
        const QString name = ProgramOf(topLevelItem(i));
        if (!name.isEmpty() && name.left(1).toUpper() == typed) {
            SelectRow(i);
            return;
        }
    }
}

} // namespace morvane
