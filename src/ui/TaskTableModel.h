#pragma once

#include "core/tasks/TaskList.h"

#include <QAbstractTableModel>
#include <QIcon>
#include <QList>

#include <functional>
#include <string>
#include <unordered_set>

namespace morvane {

class LanguageTable;

/// The task list as the main window shows it: one row per task, the icon column and the seven
/// texts. It reads the core's list directly and follows it through its observer; the row
/// pictures are the view's own and are kept in step with the rows.
class TaskTableModel final : public QAbstractTableModel, private TaskListObserver {
    Q_OBJECT
public:
    static constexpr int kColumns = 8;

    explicit TaskTableModel(const TaskList& tasks, QObject* parent = nullptr);
    ~TaskTableModel() override;
    TaskTableModel(const TaskTableModel&) = delete;
    TaskTableModel& operator=(const TaskTableModel&) = delete;

    /// Shows `icon` for the task at 1-based position `row`. Rows start with the generic program
    /// picture, which tasks read from a file keep.
    void SetRowIcon(int row, const QIcon& icon);
    /// Where the model asks why idleness cannot be known (empty when it can). While it cannot,
    /// a no-mouse-movement task's row says that it waits, and why.
    void SetIdleReasonSource(std::function<std::string()> reason);
    /// Where the model asks why the task at a row, which waits for a program to exit or for
    /// quiet, may never fire (empty when it waits as it should). Such a row says that it may
    /// not, and why.
    void SetWatchProblemSource(std::function<std::string(int row)> problem) {
        m_watchProblem = std::move(problem);
    }
    /// Where the readable cells find the power actions' captions and whether the idle trigger
    /// counts any input; without them the After cell shows its stored text.
    void SetWordSources(std::function<const LanguageTable&()> language,
                        std::function<bool()> idleAnyInput) {
        m_language = std::move(language);
        m_idleAnyInput = std::move(idleAnyInput);
    }
    /// Repaints the waiting rows whose problem came or went since the last call; once a tick.
    void RefreshWatchProblems();
    /// Tells the views that the translated headers and texts changed with the language.
    void Retranslate();
    /// Where the model asks for a row's time left, worded (empty for none); its tooltips end
    /// with it.
    void SetTimeLeftSource(std::function<QString(int row)> timeLeft) {
        m_timeLeft = std::move(timeLeft);
    }

    [[nodiscard]] int rowCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] int columnCount(const QModelIndex& parent = {}) const override;
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override;
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation,
                                      int role) const override;

private:
    void OnRowsAboutToBeAppended(int first, int last) override;
    void OnRowsAppended(int first, int last) override;
    void OnRowAboutToBeRemoved(int row) override;
    void OnRowRemoved(int row) override;
    void OnRowsAboutToBeRemoved(const std::vector<int>& rows) override;
    void OnRowsRemoved(const std::vector<int>& rows) override;
    void OnFieldChanged(int row, Field field) override;
    void OnAboutToClear() override;
    void OnCleared() override;

    /// Why the task at `row` may wait for ever: idleness that cannot be seen, or what its
    /// watch found; empty when it waits as it should, or does not wait.
    [[nodiscard]] QString WaitReason(int row) const;
    [[nodiscard]] QString CellText(int row, Field field, const QString& waitReason) const;
    /// Repaints the times when a repeating task came or went: an Empty task's row says whether
    /// its action waits behind one.
    void FollowRepeating();

    const TaskList& m_tasks;
    std::function<std::string()> m_idleReason;
    std::function<bool()> m_idleAnyInput;
    std::function<const LanguageTable&()> m_language;
    std::function<QString(int row)> m_timeLeft;
    std::function<std::string(int row)> m_watchProblem;
    // The waiting tasks last shown with a problem.
    std::unordered_set<TaskId> m_troubled;
    // Whether a repeating task was in the list when the rows were last painted.
    bool m_repeating = false;
    // One picture per row of the list, in the list's order.
    QList<QIcon> m_rowIcons;
};

} // namespace morvane
