#pragma once

#include <QTreeView>

namespace morvane {

class TaskTableModel;

/// The main window's task list (`LVClose`): one selectable row per task, columns as wide as the
/// design has them or as their headers need, the last one filling the rest. Delete asks to remove
/// the selected row; Enter or a double-click asks to edit it.
class TaskListView final : public QTreeView {
    Q_OBJECT
public:
    TaskListView(TaskTableModel& model, QWidget* parent);

    /// The selected task's 1-based position; 0 for none.
    [[nodiscard]] int SelectedRow() const;
    /// Selects and focuses a task row (1-based), its program name the current cell.
    void FocusRow(int row);

    [[nodiscard]] QSize sizeHint() const override;

Q_SIGNALS:
    void deleteRequested();
    void editRequested();
    /// The list took the keyboard focus.
    void focusEntered();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    /// Sizes each column but the last, which takes what is left, from the design and its header.
    void FitColumns();
    /// The last column fills the width the others leave, and is never narrower than its header.
    void FillLastColumn();
    [[nodiscard]] int FixedColumnsWidth() const;

    TaskTableModel& m_model;
};

} // namespace morvane
