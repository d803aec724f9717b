#pragma once

#include <QString>

#include <string_view>

namespace morvane {

/// The most characters a list cell, label or tooltip shows of one text.
inline constexpr qsizetype kShownTextLimit = 300;

/// A text as the lists show it: whole when short, else its first kShownTextLimit characters and
/// an ellipsis. Qt lays out a cell's text whole each time it paints, so a field of megabytes
/// would freeze the window; the stored text itself stays whole.
[[nodiscard]] QString ShownText(std::string_view utf8);
[[nodiscard]] QString ShownText(const QString& text);

} // namespace morvane
