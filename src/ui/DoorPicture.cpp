#include "ui/DoorPicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace morvane {

DoorPicture::DoorPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picDoor"));
    // It covers what the layout gives it and asks for no room of its own.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::PointingHandCursor);
}

void DoorPicture::paintEvent(QPaintEvent* /*event*/) {
    // Parsed on first paint, not at start-up: the picture is not needed before then.
    if (m_renderer == nullptr) {
        m_renderer = new QSvgRenderer(QStringLiteral(":/pictures/howto.svg"), this);
    }
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // The picture's own dark ground fills what its proportions leave over.
    QLinearGradient ground(0, 0, 0, height());
    ground.setColorAt(0, QColor(0x1f, 0x27, 0x37));
    ground.setColorAt(1, QColor(0x15, 0x1b, 0x27));
    p.fillRect(rect(), ground);
    const QSizeF picture = QSizeF(kSize).scaled(QSizeF(size()), Qt::KeepAspectRatio);
    const QPointF corner((width() - picture.width()) / 2, (height() - picture.height()) / 2);
    m_renderer->render(&p, QRectF(corner, picture));
}

void DoorPicture::mousePressEvent(QMouseEvent* event) {
    event->accept();
    hide();
}

} // namespace morvane
