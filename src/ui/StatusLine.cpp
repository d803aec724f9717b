#include "ui/StatusLine.h"

namespace morvane {

StatusLine::StatusLine(QWidget* parent) : QLabel(parent) {
    setObjectName(QStringLiteral("lblStatus"));
    // The line takes the room its row leaves; a long status must not widen the window.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void StatusLine::Show(const QStringList& parts) {
    const QString line = parts.join(QStringLiteral("   \u00b7   "));
    if (text() != line) {
        setText(line);
        setToolTip(parts.join(QLatin1Char('\n')));
    }
}

QSize StatusLine::minimumSizeHint() const {
    return {0, QLabel::minimumSizeHint().height()};
}

} // namespace morvane
