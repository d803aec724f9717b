#pragma once

#include <QWidget>

class QSvgRenderer;

namespace morvane {

/// The how-to-use picture over the empty task list. It is drawn from a vector picture, so it
/// stays sharp on any screen and at any size the window gives it, its proportions kept; it
/// hides itself when clicked.
class DoorPicture final : public QWidget {
    Q_OBJECT
public:
    /// The picture's own size, in device-independent pixels.
    static constexpr QSize kSize{905, 408};

    [[nodiscard]] QSize sizeHint() const override { return kSize; }

    explicit DoorPicture(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QSvgRenderer* m_renderer = nullptr;
};

} // namespace morvane
