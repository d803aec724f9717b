#include "ui/DigitsOnlyFilter.h"

#include <QKeyEvent>

namespace morvane {

bool DigitsOnlyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        // Typed characters other than digits are dropped; Backspace, editing keys and
        // shortcuts (paste included) pass.
        const bool shortcut =
            (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
        if (!shortcut && !text.isEmpty() && text.at(0).isPrint() &&
            !(text.at(0) >= u'0' && text.at(0) <= u'9')) {
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace morvane
