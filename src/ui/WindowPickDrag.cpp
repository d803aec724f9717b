#include "ui/WindowPickDrag.h"

#include "core/Engine.h"
#include "ui/Lan.h"
#include "ui/PickedWindowIcon.h"
#include "ui/ShownText.h"
#include "ui/UiText.h"

#include <QCoreApplication>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>
#include <QWindow>

namespace morvane {

namespace {

QString NoPickerReason() {
    return WindowPickDrag::tr("Picking a window is not available here. Choose the program from "
                              "the list of running programs instead.");
}

} // namespace

WindowPickDrag::WindowPickDrag(Deps deps, QObject* parent)
    : QObject(parent), m_d(deps), m_imgBackUp(QStringLiteral(":/icons/target.svg")) {
    m_timerSelect = new QTimer(this);
    m_timerSelect->setObjectName(QStringLiteral("TimerSelect"));
    m_timerSelect->setInterval(50);
    connect(m_timerSelect, &QTimer::timeout, this, [this] { PickTick(); });

    m_d.view.PickHandle().setPixmap(m_imgBackUp.pixmap(PickTargetView::kPictureSize));
    m_d.view.PickHandle().installEventFilter(this);
    UpdateHandle();
}

void WindowPickDrag::SetWindowPicker(platform::WindowPicker* picker) {
    if (m_dragging) {
        Reset();
    }
    m_picker = picker;
    UpdateHandle();
}

void WindowPickDrag::UpdateHandle() {
    const bool usable = m_picker != nullptr && m_picker->IsAvailable();
    QString why;
    if (!usable) {
        why = m_picker != nullptr ? UiText::Reason(m_picker->UnavailableReason()) : QString();
        if (why.isEmpty()) {
            why = NoPickerReason();
        }
    }
    m_d.view.SetPickable(usable && !m_d.view.HasNoTarget(), why);
}

bool WindowPickDrag::PickUnderPointer() {
    if (m_dragging || !m_d.view.PickHandle().isEnabled()) {
        return false;
    }
    const std::optional<platform::PickedWindow> picked = PickableUnderPointer();
    if (!picked) {
        return false;
    }
    m_iconWindow = 0;
    ShowPicked(*picked);
    Q_EMIT dropped(m_d.view.ShownReadOut().target.program);
    return true;
}

void WindowPickDrag::Reset() {
    // Whatever ends a drag takes its outline off the screen and gives the editor back its
    // list: nothing of a drag may outlast it.
    ErasePickFrame();
    QLabel& handle = m_d.view.PickHandle();
    handle.window()->unsetCursor();
    handle.setPixmap(m_imgBackUp.pixmap(PickTargetView::kPictureSize));
    if (QWidget::mouseGrabber() == &handle) {
        handle.releaseMouse();
    }
    m_dragging = false;
    m_lastHwnd = 0;
    m_timerSelect->stop();
    m_d.view.RestoreAfterDrag();
    ShowMainWindow();
}

void WindowPickDrag::Cancel() {
    if (!m_dragging) {
        return;
    }
    Reset();
    ShowTarget(m_beforeDrag);
}

void WindowPickDrag::Abandon() {
    m_mainHidden = false; // the program is ending: the main window is not shown again
    Reset();
}

bool WindowPickDrag::eventFilter(QObject* watched, QEvent* event) {
    QLabel* handle = &m_d.view.PickHandle();
    const auto type = event->type();
    if (watched == handle &&
        (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            if (type == QEvent::MouseButtonPress && !m_dragging && handle->isEnabled()) {
                StartDrag();
            } else if (type == QEvent::MouseButtonRelease && m_dragging) {
                FinishDrag();
            }
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void WindowPickDrag::StartDrag() {
    // The target picture leaves the handle and becomes the pointer, over every window: the
    // grab sends the release here wherever it happens.
    const QPixmap picture = m_imgBackUp.pixmap(PickTargetView::kPictureSize);
    QLabel& handle = m_d.view.PickHandle();
    handle.clear();
    m_dragging = true;
    handle.grabMouse(QCursor(picture));
    m_beforeDrag = SavedTarget();
    m_iconWindow = 0;
    m_timerSelect->start();
    HideMainWindow();
    PickTargetView::ReadOut shown = m_beforeDrag.readOut;
    shown.caption = Lan(m_d.engine.Language(), LanText::WindowTitle);
    m_d.view.ShowReadOut(shown);
    m_d.view.ShortenForDrag();
    PickTick();
}

void WindowPickDrag::PickTick() {
    if (!m_dragging) {
        return;
    }
    const std::optional<platform::PickedWindow> picked = PickableUnderPointer();
    if (!picked) {
        ErasePickFrame();
        ShowTarget(m_beforeDrag);
        return;
    }
    DrawPickFrame(picked->deepest);
    ShowPicked(*picked);
}

void WindowPickDrag::FinishDrag() {
    Reset();
    // The window under the release point is the one chosen.
    if (const std::optional<platform::PickedWindow> picked = PickableUnderPointer()) {
        ShowPicked(*picked);
    } else {
        ShowTarget(m_beforeDrag);
    }
    Q_EMIT dropped(m_d.view.ShownReadOut().target.program);
}

std::optional<platform::PickedWindow> WindowPickDrag::PickableUnderPointer() {
    if (m_picker == nullptr) {
        return std::nullopt;
    }
    std::optional<platform::PickedWindow> picked = m_picker->WindowUnderPointer();
    // Our own windows are no target: dropping the picture back on the editor puts it away.
    // They are not outlined either, since the editor repaints under the outline as it shrinks.
    if (picked && picked->pid == QCoreApplication::applicationPid()) {
        return std::nullopt;
    }
    return picked;
}

void WindowPickDrag::DrawPickFrame(platform::WindowId window) {
    if (m_frameDrawn && window == m_lastHwnd) {
        return; // already outlined
    }
    ErasePickFrame();
    m_frameDrawn = true;
    m_lastHwnd = window;
    m_picker->DrawFrame(window);
}

void WindowPickDrag::ErasePickFrame() {
    if (!m_frameDrawn) {
        return;
    }
    m_frameDrawn = false;
    m_lastHwnd = 0;
    if (m_picker != nullptr) {
        m_picker->EraseFrame();
    }
}

void WindowPickDrag::ShowPicked(const platform::PickedWindow& picked) {
    // A process that cannot be known leaves no id: Add then asks for a target.
    m_d.view.ShowReadOut({{QString::fromStdString(picked.programName),
                           picked.pid > 0 ? QString::number(picked.pid) : QString(),
                           QString::fromStdString(picked.executablePath)},
                          Lan(m_d.engine.Language(), LanText::WindowTitle),
                          ShownText(picked.title),
                          true});
    // The picture is looked up again only for another window, not on every tick.
    if (picked.topLevel != m_iconWindow) {
        m_iconWindow = picked.topLevel;
        m_d.view.SetTargetIcon(PickedWindowIcon::For(picked, m_d.icons));
    }
}

WindowPickDrag::Target WindowPickDrag::SavedTarget() const {
    return {m_d.view.ShownReadOut(), m_d.view.TargetIcon()};
}

void WindowPickDrag::ShowTarget(const Target& target) {
    m_d.view.ShowReadOut(target.readOut);
    if (m_iconWindow != 0) {
        m_d.view.SetTargetIcon(target.icon);
        m_iconWindow = 0;
    }
}

QWidget* WindowPickDrag::MainWindow() const {
    // The window the editor belongs to.
    return m_d.view.PickHandle().window()->parentWidget();
}

void WindowPickDrag::HideMainWindow() {
    QWidget* main = MainWindow();
    if (main == nullptr || !main->isVisible()) {
        return;
    }
    m_mainHidden = true;
    // The client area's place, not the frame's: a hidden window has no frame, so a frame
    // position given back at show time is read as the client's and the window came back one
    // title bar higher.
    m_mainClientAt = main->mapToGlobal(QPoint(0, 0));
    main->hide();
}

void WindowPickDrag::ShowMainWindow() {
    if (!m_mainHidden) {
        return;
    }
    m_mainHidden = false;
    QWidget* main = MainWindow();
    if (main == nullptr) {
        return;
    }
    // Asked for by position, or the window manager would place it anew.
    if (QWindow* handle = main->windowHandle()) {
        handle->setPosition(m_mainClientAt);
    }
    main->show();
}

} // namespace morvane
