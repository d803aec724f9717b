#pragma once

#include <QAbstractButton>

namespace morvane {

/// A caption drawn as a link that reports clicks; the caption may hold any text. It is a
/// button underneath, so Tab and Shift+Tab pass through it, Space and Enter follow it, it shows
/// a focus frame, and screen readers announce it as something to press.
class LinkLabel final : public QAbstractButton {
    Q_OBJECT
public:
    LinkLabel(const QString& objectName, const QString& caption, QWidget* parent);

    /// Sets the shown text (plain text; markup characters and '&' are shown as they are).
    void SetCaption(const QString& caption);
    [[nodiscard]] QString Caption() const { return m_caption; }

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_caption;
};

} // namespace morvane
