#include "ui/MainWindowGeometry.h"

namespace morvane {

MainWindowGeometry::Movable MainWindowGeometry::Resized(QSize client, const Movable& now,
                                                        int exitWidth) {
    Movable out = now;
    if (const int width = client.width() - kListWidthGap; width > 0) {
        out.list.setWidth(width);
    }
    if (const int left = out.list.left() + out.list.width() - exitWidth; left >= 0) {
        out.exit.setX(left);
    }
    if (const int top = client.height() - kWebBottomGap; top >= 0) {
        out.web.setY(top);
    }
    if (const int height = out.web.y() - kListToWebGap - out.list.top(); height > 0) {
        out.list.setHeight(height);
    }
    return out;
}

} // namespace morvane
