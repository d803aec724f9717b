#pragma once

#include <QString>

namespace morvane {

/// The program a close task ends, as the editor shows it: Add uses these texts and nothing else.
/// The editor's labels show them shortened when long.
struct EditorTarget {
    QString program;
    QString id;
    QString path; ///< Empty when unknown.
};

} // namespace morvane
