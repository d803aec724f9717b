#pragma once

#include <QLabel>

namespace morvane {

/// A caption drawn as a link that reports clicks; the caption may hold any text.
class LinkLabel final : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString& objectName, const QString& caption, QWidget* parent);

    /// Sets the shown text (plain text; markup characters are shown as they are).
    void SetCaption(const QString& caption);
    [[nodiscard]] QString Caption() const { return m_caption; }

Q_SIGNALS:
    void clicked();

private:
    QString m_caption;
};

} // namespace morvane
