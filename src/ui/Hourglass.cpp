#include "ui/Hourglass.h"

#include <QCursor>
#include <QGuiApplication>

namespace morvane {

Hourglass::Hourglass() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_set = true;
    }
}

Hourglass::~Hourglass() {
    if (m_set) {
        QGuiApplication::restoreOverrideCursor();
    }
}

} // namespace morvane
