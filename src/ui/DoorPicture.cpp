#include "ui/DoorPicture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace morvane {

DoorPicture::DoorPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("picDoor"));
    setFixedSize(kSize);
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
    m_renderer->render(&p, QRectF(rect()));
}

void DoorPicture::mousePressEvent(QMouseEvent* event) {
    event->accept();
    hide();
}

} // namespace morvane
