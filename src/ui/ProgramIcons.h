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
    /// Asks `lookup`, which must outlive this object; without one, theme and generic pictures
    /// only.
    explicit ProgramIcons(platform::ProgramIconLookup* lookup = nullptr);

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
