#pragma once

#include <QToolButton>

namespace morvane {

/// A command button with its picture above its caption; a caption too long for one line
/// wraps onto a second instead of being cut.
class PictureButton final : public QToolButton {
    Q_OBJECT
public:
    PictureButton(const QString& objectName, const QIcon& icon, const QString& caption,
                  const QString& toolTip, QWidget* parent);

    /// The size the button needs so that its picture and its caption, wrapped at blanks, show
    /// whole: `designed` where that is enough.
    [[nodiscard]] QSize FittingSize(QSize designed) const;
    /// Whether the caption shows whole at the button's present size.
    [[nodiscard]] bool CaptionFits() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] QRect CaptionArea(QSize size, bool down) const;
    [[nodiscard]] QRect CaptionNeeds(int width) const;
};

} // namespace morvane
