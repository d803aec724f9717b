#include "ui/PictureButton.h"

#include <QRegularExpression>
#include <QStyleOptionToolButton>
#include <QStylePainter>

#include <algorithm>

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
    // As wide as the caption asks; as tall as the row, which the tallest caption decides.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
}

namespace {
// Between the frame and the picture and caption.
constexpr int kSide = 3;
constexpr int kTop = 4;
constexpr int kBottom = 3;
constexpr int kPictureToCaption = 2;
constexpr int kFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
} // namespace

QRect PictureButton::CaptionArea(QSize size, bool down) const {
    const int shift = down ? 1 : 0;
    const QRect r = QRect(QPoint(0, 0), size).adjusted(kSide, kTop, -kSide, -kBottom);
    const int captionTop = r.top() + iconSize().height() + kPictureToCaption + shift;
    return {r.left() + shift, captionTop, r.width(), r.bottom() + 1 - captionTop};
}

QRect PictureButton::CaptionNeeds(int width) const {
    return fontMetrics().boundingRect(QRect(0, 0, width, 10000), kFlags, text());
}

int PictureButton::CaptionWidth() const {
    const QFontMetrics metrics = fontMetrics();
    const QStringList words =
        text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    int best = metrics.horizontalAdvance(words.join(QLatin1Char(' ')));
    for (qsizetype split = 1; split < words.size(); ++split) {
        const int first = metrics.horizontalAdvance(words.first(split).join(QLatin1Char(' ')));
        const int second = metrics.horizontalAdvance(words.sliced(split).join(QLatin1Char(' ')));
        best = std::min(best, std::max(first, second));
    }
    return best;
}

QSize PictureButton::sizeHint() const {
    // One line where the designed width holds it; else two, as even as the blanks allow. The
    // caption moves a pixel when pressed, and a pixel more keeps rounding from wrapping it again.
    const int oneLine = fontMetrics().horizontalAdvance(text()) + 2 * kSide + 2;
    const int width = std::max(
        kDesigned.width(), oneLine <= kDesigned.width() ? oneLine : CaptionWidth() + 2 * kSide + 2);
    const int captionWidth = CaptionArea(QSize(width, kDesigned.height()), true).width();
    const int needed = kTop + iconSize().height() + kPictureToCaption + 1 +
                       CaptionNeeds(captionWidth).height() + kBottom;
    return {width, std::max(kDesigned.height(), needed)};
}

QSize PictureButton::minimumSizeHint() const {
    return sizeHint();
}

bool PictureButton::CaptionFits() const {
    const QRect area = CaptionArea(size(), true);
    const QRect needs = CaptionNeeds(area.width());
    return needs.width() <= area.width() && needs.height() <= area.height();
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
    const QRect r = rect().adjusted(kSide, kTop, -kSide, -kBottom);
    const QRect picture(r.left() + (r.width() - size.width()) / 2 + shift, r.top() + shift,
                        size.width(), size.height());
    icon().paint(&p, picture, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);

    p.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    p.drawText(CaptionArea(this->size(), down), kFlags, caption);
}

} // namespace morvane
