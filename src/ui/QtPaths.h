#pragma once

#include "types/PathText.h"

#include <QString>

#include <filesystem>

namespace morvane {

/// A path Qt names (a folder, a file the user chose) as the core's path: through UTF-8, never
/// through the C library's locale, so "C:\Users\Zoé Łukasz 東京" arrives whole.
[[nodiscard]] inline std::filesystem::path PathFromQt(const QString& text) {
    return PathFromUtf8(text.toStdString());
}

/// The core's path as Qt's text.
[[nodiscard]] inline QString QtFromPath(const std::filesystem::path& path) {
    return QString::fromStdString(Utf8FromPath(path));
}

} // namespace morvane
