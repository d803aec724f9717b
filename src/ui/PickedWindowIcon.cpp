#include "ui/PickedWindowIcon.h"

#include "ui/ProgramIcons.h"

#include <QPixmap>

#include <cstring>

namespace morvane {

QImage PickedWindowIcon::ImageOf(const platform::WindowIcon& icon) {
    if (icon.width <= 0 || icon.height <= 0 ||
        icon.argb.size() != static_cast<std::size_t>(icon.width) * icon.height) {
        return {};
    }
    // Both hold 0xAARRGGBB words, not premultiplied: rows copy as they are.
    QImage image(icon.width, icon.height, QImage::Format_ARGB32);
    for (int y = 0; y < icon.height; ++y) {
        std::memcpy(image.scanLine(y), icon.argb.data() + static_cast<std::size_t>(y) * icon.width,
                    static_cast<std::size_t>(icon.width) * sizeof(std::uint32_t));
    }
    return image;
}

QIcon PickedWindowIcon::For(const platform::PickedWindow& picked, ProgramIcons& icons) {
    if (QImage image = ImageOf(picked.icon); !image.isNull()) {
        // Shown at the editor's picture size, whatever sizes the window offers.
        if (image.size() != QSize(kSide, kSide)) {
            image = image.scaled(kSide, kSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        }
        return QIcon(QPixmap::fromImage(image));
    }
    if (QIcon named = ProgramIcons::FromName(QString::fromStdString(picked.iconName));
        !named.isNull()) {
        return named;
    }
    if (!picked.executablePath.empty()) {
        return icons.IconFor(QString::fromStdString(picked.executablePath));
    }
    return ProgramIcons::Generic();
}

} // namespace morvane
