#pragma once

#include "core/storage/LanguageTable.h"

#include <QString>

namespace morvane {

/// One text of the language table, as Qt shows it.
inline QString Lan(const LanguageTable& lan, LanText entry) {
    return QString::fromStdString(lan.Text(entry));
}

} // namespace morvane
