#pragma once

#include <QLabel>

namespace morvane {

/// The line under the task list that says what is due next and what is armed; its tooltip
/// holds the same parts one a line, for when the line is too narrow for them.
class StatusLine final : public QLabel {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent);

    /// Shows `parts` side by side; nothing changes when they read as they do already.
    void Show(const QStringList& parts);

    [[nodiscard]] QSize minimumSizeHint() const override;
};

} // namespace morvane
