#pragma once

#include <QElapsedTimer>
#include <QIcon>
#include <QTreeWidget>

namespace morvane {

/// The editor's list of running programs (`LV`): columns Icon, Program and Path. Letters typed
/// without a pause select the first program whose name starts with them. Each row
/// keeps its program's name and path whole and shows long ones shortened.
class ProcessListView final : public QTreeWidget {
    Q_OBJECT
public:
    /// One running program, as a row shows it.
    struct Row {
        QIcon icon;
        QString name;
        QString path;
    };

    explicit ProcessListView(QWidget* parent);

    /// Replaces every row by `rows`, in their order.
    void SetRows(const QList<Row>& rows);
    /// The program name of every row, top to bottom.
    [[nodiscard]] QStringList Programs() const;
    /// The program of the selected row; empty when none is.
    [[nodiscard]] QString SelectedProgram() const;
    /// Selects row `row`, makes it current and scrolls it into view, without announcing it.
    void SelectRow(int row);

    void keyboardSearch(const QString& search) override;

Q_SIGNALS:
    /// The user chose a row, by the mouse or the keyboard (arrows, Home, End, a typed letter);
    /// the rows the program selects itself are not announced.
    void programChosen(const QString& program, const QString& path, const QIcon& icon);

private:
    [[nodiscard]] static QTreeWidgetItem* NewRow(const Row& row);
    [[nodiscard]] static QString ProgramOf(const QTreeWidgetItem* row);
    [[nodiscard]] static QString PathOf(const QTreeWidgetItem* row);
    void GoToRow(int row);
    void Announce(const QTreeWidgetItem* row);

    bool m_selecting = false; // the program selects a row itself
    QString m_typed;          // the prefix typed so far
    QElapsedTimer m_typedSince;
};

} // namespace morvane
