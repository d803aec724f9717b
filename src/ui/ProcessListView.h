#pragma once

#include <QTreeWidget>

namespace morvane {

/// The editor's list of running programs (`LV`): columns Icon, Program and Path. A typed
/// letter selects the first program with that initial, whatever was typed before.
class ProcessListView final : public QTreeWidget {
    Q_OBJECT
public:
    explicit ProcessListView(QWidget* parent);

    /// The Program text of every row, top to bottom.
    [[nodiscard]] QStringList Programs() const;
    /// Selects row `row`, makes it current and scrolls it into view.
    void SelectRow(int row);

    void keyboardSearch(const QString& search) override;
};

} // namespace morvane
