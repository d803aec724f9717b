#pragma once

#include <QFont>
#include <QFontMetrics>

#include <algorithm>

namespace morvane {

/// The point size the windows are designed for (main() sets it for the whole program).
inline constexpr int kStandardPointSize = 9;

/// How much taller `font`'s lines are than the same family's at the standard size; 1 for the
/// standard size and smaller ones.
inline double FontGrowth(const QFont& font) {
    QFont standard = font;
    standard.setPointSize(kStandardPointSize);
    const int designed = QFontMetrics(standard).height();
    return designed > 0 ? std::max(1.0, static_cast<double>(QFontMetrics(font).height()) / designed)
                        : 1.0;
}

} // namespace morvane
