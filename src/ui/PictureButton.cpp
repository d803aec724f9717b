#include "ui/PictureButton.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

namespace morvane {

PictureButton::PictureButton(const QString& objectName, const QIcon& icon, const QString& caption,
                             const QString& toolTip, QWidget* parent)
    : QToolButton(parent) {
    setObjectName(objectName);
    setIcon(icon);
    setText(caption);
    setToolTip(toolTip);
    setIconSize(QSize(26, 26));
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setAutoRaise(false);
    setFocusPolicy(Qt::StrongFocus);
}

void PictureButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter p(this);
    QStyleOptionToolButton opt;
    initStyleOption(&opt);
    // The frame comes from the style (and the skin); picture and caption are ours.
    const QString caption = opt.text;
    opt.text.clear();
    opt.icon = QIcon();
    p.drawComplexControl(QStyle::CC_ToolButton, opt);

    const bool down = isDown() || isChecked();
    const int shift = down ? 1 : 0;
    const QSize size = iconSize();
    const QRect r = rect().adjusted(3, 4, -3, -3);
    const QRect picture(r.left() + (r.width() - size.width()) / 2 + shift, r.top() + shift,
                        size.width(), size.height());
    icon().paint(&p, picture, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);

    const QRect text(r.left() + shift, picture.bottom() + 2 + shift, r.width(),
                     r.bottom() - picture.bottom() - 2);
    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(text, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, caption);
}

} // namespace morvane
