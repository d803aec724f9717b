#include "ui/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace morvane {

QString ProgramFolder::Locate(const QString& executableFolder) {
    const QDir beside(executableFolder);
    for (const char* name : {"en.ini", "fr.ini", "pl.ini", "library.she"}) {
        if (QFileInfo::exists(beside.filePath(QString::fromLatin1(name)))) {
            return beside.absolutePath();
        }
    }
    QString installed =
        QDir::cleanPath(beside.absoluteFilePath(QStringLiteral("../share/morvane")));
    if (QFileInfo(installed).isDir()) {
        return installed;
    }
    return beside.absolutePath();
}

} // namespace morvane
