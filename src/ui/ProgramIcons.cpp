#include "ui/ProgramIcons.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace morvane {

namespace {

// The words of a desktop entry's Exec value, honouring its double quotes and backslashes.
QStringList ExecWords(const QString& exec) {
    QStringList words;
    QString word;
    bool quoted = false;
    bool inWord = false;
    for (int i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == u'\\' && i + 1 < exec.size()) {
                word += exec.at(++i);
            } else if (c == u'"') {
                quoted = false;
            } else {
                word += c;
            }
        } else if (c == u'"') {
            quoted = true;
            inWord = true;
        } else if (c == u' ' || c == u'\t') {
            if (inWord) {
                words << word;
                word.clear();
                inWord = false;
            }
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words << word;
    }
    return words;
}

// The program an Exec line starts: "env VAR=x prog" starts prog.
QString ExecProgram(const QString& exec) {
    const QStringList words = ExecWords(exec);
    int i = 0;
    if (i < words.size() && QFileInfo(words.at(i)).fileName() == QLatin1String("env")) {
        ++i;
        while (i < words.size() && (words.at(i).contains(u'=') || words.at(i).startsWith(u'-'))) {
            ++i;
        }
    }
    return i < words.size() ? words.at(i) : QString();
}

} // namespace

ProgramIcons::ProgramIcons(QStringList applicationFolders)
    : m_folders(std::move(applicationFolders)) {}

QStringList ProgramIcons::StandardFolders() {
    return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}

QIcon ProgramIcons::Generic() {
    static const QIcon icon(QStringLiteral(":/icons/program.svg"));
    return icon;
}

void ProgramIcons::ReadEntry(const QString& file) {
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return;
    }
    bool inMain = false;
    QString exec;
    QString tryExec;
    QString icon;
    while (!f.atEnd()) {
        const QString line = QString::fromUtf8(f.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inMain = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        if (!inMain) {
            continue;
        }
        const int eq = line.indexOf(u'=');
        if (eq <= 0) {
            continue;
        }
        const QString key = line.left(eq).trimmed();
        const QString value = line.mid(eq + 1).trimmed();
        if (key == QLatin1String("Exec")) {
            exec = value;
        } else if (key == QLatin1String("TryExec")) {
            tryExec = value;
        } else if (key == QLatin1String("Icon")) {
            icon = value;
        }
    }
    if (icon.isEmpty()) {
        return;
    }
    for (const QString& program : {ExecProgram(exec), tryExec}) {
        if (program.isEmpty()) {
            continue;
        }
        // The running executable is the link's target (/usr/bin/x -> /usr/lib/x/x-bin), so
        // both the program and what it resolves to are known paths. Entries are read from the
        // preferred folder first, so the first answer stays.
        const QString found =
            QDir::isAbsolutePath(program) ? program : QStandardPaths::findExecutable(program);
        if (!found.isEmpty()) {
            for (const QString& path :
                 {QDir::cleanPath(found), QFileInfo(found).canonicalFilePath()}) {
                if (!path.isEmpty() && !m_byPath.contains(path)) {
                    m_byPath.insert(path, icon);
                }
            }
        }
        const QString name = QFileInfo(program).fileName();
        if (!m_byName.contains(name)) {
            m_byName.insert(name, icon);
        }
    }
}

void ProgramIcons::LoadEntries() {
    m_loaded = true;
    for (const QString& folder : m_folders) {
        QDirIterator it(folder, {QStringLiteral("*.desktop")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            ReadEntry(it.next());
        }
    }
}

QString ProgramIcons::IconNameFor(const QString& executablePath) {
    if (!m_loaded) {
        LoadEntries();
    }
    const QString clean = QDir::cleanPath(executablePath);
    if (const auto it = m_byPath.constFind(clean); it != m_byPath.cend()) {
        return it.value();
    }
    if (const auto it = m_byName.constFind(QFileInfo(clean).fileName()); it != m_byName.cend()) {
        return it.value();
    }
    return {};
}

QIcon ProgramIcons::IconFor(const QString& executablePath) {
    if (const auto it = m_cache.constFind(executablePath); it != m_cache.cend()) {
        return it.value();
    }
    QIcon icon;
    const QString name = IconNameFor(executablePath);
    if (!name.isEmpty()) {
        if (QDir::isAbsolutePath(name)) {
            if (QFileInfo::exists(name)) {
                icon = QIcon(name);
            }
        } else if (QIcon::hasThemeIcon(name)) {
            icon = QIcon::fromTheme(name);
        }
    }
    const QString base = QFileInfo(executablePath).fileName();
    if (icon.isNull() && !base.isEmpty() && QIcon::hasThemeIcon(base)) {
        icon = QIcon::fromTheme(base);
    }
    if (icon.isNull()) {
        icon = Generic();
    }
    m_cache.insert(executablePath, icon);
    return icon;
}

} // namespace morvane
