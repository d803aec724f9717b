#include "ui/LinkLabel.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace morvane {

namespace {
constexpr int kFocusMargin = 2;
}

LinkLabel::LinkLabel(const QString& objectName, const QString& caption, QWidget* parent)
    : QAbstractButton(parent) {
    setObjectName(objectName);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    SetCaption(caption);
}

void LinkLabel::SetCaption(const QString& caption) {
    m_caption = caption;
    // The button's text is what screen readers read; an ampersand there is a character.
    QString text = caption;
    setText(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
    updateGeometry();
    update();
}

QSize LinkLabel::sizeHint() const {
    const QSize text = fontMetrics().size(Qt::TextSingleLine, m_caption);
    return {text.width() + 2 * kFocusMargin, text.height() + kFocusMargin};
}

QSize LinkLabel::minimumSizeHint() const {
    return sizeHint();
}

void LinkLabel::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Link));
    const QRect area = rect().adjusted(kFocusMargin, 0, -kFocusMargin, 0);
    p.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_caption);
    if (hasFocus()) {
        // The keyboard user has to see where they are.
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        frame.rect = rect();
        frame.backgroundColor = palette().color(QPalette::Window);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &p, this);
    }
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    // Enter follows a link, as Space does.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        event->accept();
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

} // namespace morvane
