#pragma once

#include "platform/WindowPicker.h"
#include "ui/PickTargetView.h"

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>

class QTimer;

namespace morvane {

class Engine;
class ProgramIcons;

/// Picking a program by dragging the editor's target picture (`imgSelect`) onto its window:
/// the picture as the pointer, the mouse grab, the reads every 50 ms (`TimerSelect`) with the
/// outline and the target read-out following the pointer, the editor shortened and the main
/// window hidden meanwhile. Whatever ends a drag leaves nothing of it behind.
class WindowPickDrag final : public QObject {
    Q_OBJECT
public:
    struct Deps {
        const Engine& engine;
        ProgramIcons& icons;
        PickTargetView& view;
    };

    /// Makes the view's target picture the handle of the drag.
    WindowPickDrag(Deps deps, QObject* parent);

    /// The window picker to read the screen with; without one, or where it cannot work, the
    /// handle is disabled and its tooltip says why.
    void SetWindowPicker(platform::WindowPicker* picker);
    /// Enables the handle where picking works and the task is not an Empty one.
    void UpdateHandle();
    /// Whether a drag of the target picture is running.
    [[nodiscard]] bool IsDragging() const { return m_dragging; }

    /// Ends a running drag where it is, keeping what the read-out shows; the main window shows
    /// again where it was.
    void Reset();
    /// Picks the window under the pointer now, as a drop there would; false, with nothing
    /// changed, where no other program's window is there or picking is off.
    bool PickUnderPointer();
    /// Ends a running drag and shows the target from before it again.
    void Cancel();
    /// Ends a running drag while the program ends: the main window stays as it is.
    void Abandon();

    bool eventFilter(QObject* watched, QEvent* event) override;

Q_SIGNALS:
    /// The picture was dropped and the drag is over; the read-out shows the window under the
    /// drop point, or the target from before the drag where nothing pickable was.
    void dropped(const QString& program);

private:
    // What the target read-out held when the drag began: shown again while nothing pickable
    // is under the pointer, and kept when the drop lands there.
    struct Target {
        PickTargetView::ReadOut readOut;
        QIcon icon;
    };

    void StartDrag();
    void PickTick();
    void FinishDrag();
    std::optional<platform::PickedWindow> PickableUnderPointer();
    void DrawPickFrame(platform::WindowId window);
    void ErasePickFrame();
    void ShowPicked(const platform::PickedWindow& picked);
    [[nodiscard]] Target SavedTarget() const;
    void ShowTarget(const Target& target);
    [[nodiscard]] QWidget* MainWindow() const;
    void HideMainWindow();
    void ShowMainWindow();

    Deps m_d;
    QIcon m_imgBackUp; // the picture on the handle, and the pointer during a drag
    QTimer* m_timerSelect = nullptr;
    platform::WindowPicker* m_picker = nullptr;
    Target m_beforeDrag;
    platform::WindowId m_lastHwnd = 0;
    platform::WindowId m_iconWindow = 0; // the top-level window whose icon is shown
    bool m_frameDrawn = false;
    bool m_mainHidden = false; // by the drag, which shows it again where it was
    QPoint m_mainClientAt;     // the main window's client area on the screen, before the drag
    bool m_dragging = false;
};

} // namespace morvane
