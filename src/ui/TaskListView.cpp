#include "ui/TaskListView.h"

#include "ui/FontGrowth.h"
#include "ui/TaskTableModel.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QShortcut>

#include <algorithm>
#include <array>
#include <cmath>

namespace morvane {

namespace {
// The columns' widths at the standard font, icon column first; the last takes what is left.
constexpr std::array<int, 7> kColumnWidths = {38, 96, 170, 52, 136, 84, 180};
constexpr QSize kDesigned{893, 377};
} // namespace

TaskListView::TaskListView(TaskTableModel& model, QWidget* parent)
    : QTreeView(parent), m_model(model) {
    setObjectName(QStringLiteral("LVClose"));
    setModel(&model);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setAlternatingRowColors(true);
    setIconSize(QSize(16, 16));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The last column takes what the others leave, but never less than its header needs.
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    FitColumns();
    // The headers change with the language.
    connect(&model, &QAbstractItemModel::headerDataChanged, this, [this] { FitColumns(); });

    // The Delete key itself: the standard Delete binding also holds Ctrl+D on X11 desktops,
    // which is the Task menu's Delete, and two owners of one key leave it doing nothing.
    auto* deleteKey = new QShortcut(QKeySequence(Qt::Key_Delete), this);
    deleteKey->setContext(Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, this, [this] { Q_EMIT deleteRequested(); });
    connect(this, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        if (index.isValid()) {
            selectionModel()->select(index, QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
            Q_EMIT editRequested();
        }
    });
}

void TaskListView::FitColumns() {
    const double growth = FontGrowth(font());
    for (std::size_t c = 0; c < kColumnWidths.size(); ++c) {
        const int column = static_cast<int>(c);
        const int designed = static_cast<int>(std::lround(kColumnWidths[c] * growth));
        setColumnWidth(column, std::max(designed, header()->sectionSizeHint(column)));
    }
    FillLastColumn();
    updateGeometry();
}

int TaskListView::FixedColumnsWidth() const {
    int width = 0;
    for (std::size_t c = 0; c < kColumnWidths.size(); ++c) {
        width += columnWidth(static_cast<int>(c));
    }
    return width;
}

void TaskListView::FillLastColumn() {
    const int last = TaskTableModel::kColumns - 1;
    setColumnWidth(
        last, std::max(header()->sectionSizeHint(last), viewport()->width() - FixedColumnsWidth()));
}

QSize TaskListView::sizeHint() const {
    // The designed size, wider where the headers need it; a larger font grows the window by its
    // other rows only. Past what a screen holds, the list scrolls sideways instead.
    constexpr int kWidest = 1200;
    const int columns = FixedColumnsWidth() +
                        header()->sectionSizeHint(TaskTableModel::kColumns - 1) + 2 * frameWidth() +
                        verticalScrollBar()->sizeHint().width();
    return {std::clamp(columns, kDesigned.width(), kWidest), kDesigned.height()};
}

void TaskListView::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    FillLastColumn();
}

int TaskListView::SelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? 0 : rows.first().row() + 1;
}

void TaskListView::FocusRow(int row) {
    const QModelIndex cell = m_model.index(row - 1, 1);
    if (!cell.isValid()) {
        return;
    }
    selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect |
                                                QItemSelectionModel::Rows);
    scrollTo(cell);
    setFocus(Qt::OtherFocusReason);
}

void TaskListView::focusInEvent(QFocusEvent* event) {
    Q_EMIT focusEntered();
    // The keys act on a row's program name, not on its picture.
    const QModelIndex current = currentIndex();
    if (m_model.rowCount() > 0 && (!current.isValid() || current.column() == 0)) {
        selectionModel()->setCurrentIndex(m_model.index(current.isValid() ? current.row() : 0, 1),
                                          QItemSelectionModel::NoUpdate);
    }
    QTreeView::focusInEvent(event);
}

void TaskListView::changeEvent(QEvent* event) {
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        FitColumns();
    }
}

} // namespace morvane
