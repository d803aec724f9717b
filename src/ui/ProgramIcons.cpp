#include "ui/ProgramIcons.h"

#include "platform/ProgramIconLookup.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>

namespace morvane {

ProgramIcons::ProgramIcons(platform::ProgramIconLookup* lookup) : m_lookup(lookup) {}

QIcon ProgramIcons::Generic() {
    static const QIcon icon(QStringLiteral(":/icons/program.svg"));
    return icon;
}

QIcon ProgramIcons::FromName(const QString& name) {
    if (name.isEmpty()) {
        return {};
    }
    if (QDir::isAbsolutePath(name)) {
        const QFileInfo file(name);
        if (!file.exists()) {
            return {};
        }
        // A Windows program carries its icon inside: the system's file icons read it out.
        if (file.suffix().compare(QLatin1String("exe"), Qt::CaseInsensitive) == 0) {
            return QFileIconProvider().icon(file);
        }
        return QIcon(name);
    }
    return QIcon::hasThemeIcon(name) ? QIcon::fromTheme(name) : QIcon();
}

QIcon ProgramIcons::IconFor(const QString& executablePath) {
    if (const auto it = m_cache.constFind(executablePath); it != m_cache.cend()) {
        return it.value();
    }
    QIcon icon;
    if (m_lookup != nullptr) {
        platform::ProgramIdentity program;
        program.executablePath = executablePath.toStdString();
        icon = FromName(QString::fromStdString(m_lookup->IconFor(program)));
    }
    if (icon.isNull()) {
        icon = FromName(QFileInfo(executablePath).fileName());
    }
    if (icon.isNull()) {
        icon = Generic();
    }
    m_cache.insert(executablePath, icon);
    return icon;
}

} // namespace morvane
