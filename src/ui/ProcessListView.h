#pragma once

#include <QTreeWidget>

namespace morvane {

/// The editor's list of running programs (`LV`): columns Icon, Program and Path. A typed
/// letter selects the first program with that initial, whatever was typed before. Each row
/// keeps its program's name and path whole and shows long ones shortened.
class ProcessListView final : public QTreeWidget {
    Q_OBJECT
public:
    explicit ProcessListView(QWidget* parent);

    /// A new row for the program `name` at `path`.
    [[nodiscard]] static QTreeWidgetItem* NewRow(const QIcon& icon, const QString& name,
                                                 const QString& path);
    /// A row's program name, whole.
    [[nodiscard]] static QString ProgramOf(const QTreeWidgetItem* row);
    /// A row's path, whole.
    [[nodiscard]] static QString PathOf(const QTreeWidgetItem* row);

    /// The program name of every row, top to bottom.
    [[nodiscard]] QStringList Programs() const;
    /// Selects row `row`, makes it current and scrolls it into view.
    void SelectRow(int row);

    void keyboardSearch(const QString& search) override;
};

} // namespace morvane
