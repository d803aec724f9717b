#pragma once

#include "ui/EditorTarget.h"

#include <QIcon>
#include <QSize>
#include <QString>

class QLabel;

namespace morvane {

/// What a drag of the target picture needs of the editor: the picture to press on, the target
/// read-out to show the window under the pointer in, and room made for the drag.
class PickTargetView {
public:
    /// The target as the read-out shows it.
    struct ReadOut {
        EditorTarget target;
        QString caption; ///< What the line under the name is: a window's title or a path.
        QString detail;  ///< That line, as shown.
        bool detailShown = true;
    };

    /// The size the target pictures are shown at.
    static constexpr QSize kPictureSize{32, 32};

    /// The target picture, the handle of the drag.
    [[nodiscard]] virtual QLabel& PickHandle() = 0;
    /// Enables the handle and the timed pick; `why` says in their tooltips why they are off.
    virtual void SetPickable(bool pickable, const QString& why) = 0;
    /// Whether the task has no program to pick: an Empty one, unless it waits for a program.
    [[nodiscard]] virtual bool HasNoTarget() const = 0;

    [[nodiscard]] virtual ReadOut ShownReadOut() const = 0;
    /// Shows `readOut`; the target it names is the one Add uses.
    virtual void ShowReadOut(const ReadOut& readOut) = 0;
    [[nodiscard]] virtual const QIcon& TargetIcon() const = 0;
    /// Shows the picture of the target beside its name; a null icon shows none.
    virtual void SetTargetIcon(const QIcon& icon) = 0;

    /// Shortens the editor to its target section, so that the windows under it can be seen.
    virtual void ShortenForDrag() = 0;
    /// Gives the shortened editor back its full size and layout.
    virtual void RestoreAfterDrag() = 0;

protected:
    PickTargetView() = default;
    ~PickTargetView() = default;
    PickTargetView(const PickTargetView&) = default;
    PickTargetView& operator=(const PickTargetView&) = default;
};

} // namespace morvane
