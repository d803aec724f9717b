#pragma once

#include <QCoreApplication>
#include <QString>

#include <string>

namespace morvane {

/// The texts the platform back ends and the core give in English (why picking a window,
/// watching for activity or waiting for a program or for quiet does not work here), in the
/// language of the installed translation.
class UiText {
    Q_DECLARE_TR_FUNCTIONS(UiText)
public:
    /// `reason` translated where it is one the back ends are known to give; as it is otherwise.
    [[nodiscard]] static QString Reason(const std::string& reason);
};

} // namespace morvane
