#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

namespace morvane {

namespace platform {
class ProgramIconLookup;
}

/// Pictures for running programs: the icon the installed applications give the program (as the
/// platform's lookup answers), else the theme icon named like the executable, else the generic
/// program picture. Answers are cached per path.
class ProgramIcons {
public:
    /// Asks the lookup installed with SetDefaultLookup (none: theme and generic pictures only).
    ProgramIcons();
    /// Asks `lookup`, which must outlive this object.
    explicit ProgramIcons(platform::ProgramIconLookup& lookup);

    /// The lookup every ProgramIcons built without one asks; main() installs the platform's.
    /// It must outlive them all; null for none.
    static void SetDefaultLookup(platform::ProgramIconLookup* lookup);
    /// The generic program picture.
    [[nodiscard]] static QIcon Generic();
    /// The picture an icon name stands for: an icon file when the name is an absolute path,
    /// else the theme's icon of that name; a null icon when there is no such picture.
    [[nodiscard]] static QIcon FromName(const QString& name);

    /// The picture for the program at `executablePath`.
    [[nodiscard]] QIcon IconFor(const QString& executablePath);

private:
    platform::ProgramIconLookup* m_lookup;
    QHash<QString, QIcon> m_cache;
};

} // namespace morvane
