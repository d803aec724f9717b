#pragma once

#include <QToolButton>

namespace morvane {

/// A command button with its picture above its caption; a caption too long for one line
/// wraps onto a second instead of being cut.
class PictureButton final : public QToolButton {
    Q_OBJECT
public:
    PictureButton(const QString& objectName, const QIcon& icon, const QString& caption,
                  const QString& toolTip, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace morvane
