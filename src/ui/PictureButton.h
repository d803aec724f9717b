#pragma once

#include <QToolButton>

namespace morvane {

/// A command button with its picture above its caption. It asks for the designed size, or what
/// its caption needs beyond it: a caption too long for one line wraps onto a second at the
/// blank that makes the narrower button, instead of being cut.
class PictureButton final : public QToolButton {
    Q_OBJECT
public:
    PictureButton(const QString& objectName, const QIcon& icon, const QString& caption,
                  const QString& toolTip, QWidget* parent);

    /// The size the button has at the standard font when its caption is short.
    static constexpr QSize kDesigned{89, 61};

    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override;
    /// Whether the caption shows whole at the button's present size.
    [[nodiscard]] bool CaptionFits() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] QRect CaptionArea(QSize size, bool down) const;
    [[nodiscard]] QRect CaptionNeeds(int width) const;
    /// The widest line of the caption broken into at most two lines at the best blank.
    [[nodiscard]] int CaptionWidth() const;
};

} // namespace morvane
