#pragma once

#include <QHash>
#include <QIcon>
#include <QString>
#include <QStringList>

namespace morvane {

/// Pictures for running programs: the icon named by the program's desktop entry (the entry
/// whose Exec or TryExec runs the executable), else the theme icon named like the executable,
/// else the generic program picture. Answers are cached per path.
class ProgramIcons {
public:
    /// Reads desktop entries from `applicationFolders`, earlier folders winning.
    explicit ProgramIcons(QStringList applicationFolders = StandardFolders());

    /// The "applications" folders of XDG_DATA_HOME and XDG_DATA_DIRS.
    [[nodiscard]] static QStringList StandardFolders();
    /// The generic program picture.
    [[nodiscard]] static QIcon Generic();

    /// The picture for the program at `executablePath`.
    [[nodiscard]] QIcon IconFor(const QString& executablePath);
    /// The Icon value of the desktop entry that runs `executablePath`; empty when none does.
    [[nodiscard]] QString IconNameFor(const QString& executablePath);

private:
    void LoadEntries();
    void ReadEntry(const QString& file);

    QStringList m_folders;
    bool m_loaded = false;
    QHash<QString, QString> m_byPath; // absolute program path -> Icon value
    QHash<QString, QString> m_byName; // program file name -> Icon value
    QHash<QString, QIcon> m_cache;
};

} // namespace morvane
