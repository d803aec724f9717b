#include "ui/Skin.h"

#include <QApplication>
#include <QFile>

namespace morvane {

namespace {
bool g_attached = false;
}

void Skin::SkinH_AttachEx(const QString& skinFile, const QString& /*password*/) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    QFile file(skinFile);
    if (app == nullptr || !file.open(QIODevice::ReadOnly)) {
        return;
    }
    app->setStyleSheet(QString::fromUtf8(file.readAll()));
    g_attached = true;
}

void Skin::SkinH_Detach() {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr || !g_attached) {
        return;
    }
    g_attached = false;
    app->setStyleSheet(QString());
}

bool Skin::IsAttached() {
    return g_attached;
}

} // namespace morvane
