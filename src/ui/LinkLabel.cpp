#include "ui/LinkLabel.h"

namespace morvane {

LinkLabel::LinkLabel(const QString& objectName, const QString& caption, QWidget* parent)
    : QLabel(parent) {
    setObjectName(objectName);
    setTextFormat(Qt::RichText);
    setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    setCursor(Qt::PointingHandCursor);
    connect(this, &QLabel::linkActivated, this, [this] { Q_EMIT clicked(); });
    SetCaption(caption);
}

void LinkLabel::SetCaption(const QString& caption) {
    m_caption = caption;
    setText(QStringLiteral("<a href=\"#\">%1</a>").arg(caption.toHtmlEscaped()));
}

} // namespace morvane
