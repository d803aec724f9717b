#include "ui/WindowPickDrag.h"

#include "core/Engine.h"
#include "ui/Lan.h"
#include "ui/PickedWindowIcon.h"
#include "ui/ShownText.h"
#include "ui/UiText.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QLabel>
#include <QLayout>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace morvane {

namespace {

// During a drag the editor ends this far below the top of the list's caption (400 twips), so
// the list is out of sight.
constexpr int kShortTail = 27;

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

    m_d.form.m_imgSelect->setPixmap(m_imgBackUp.pixmap(TaskEditorForm::kPictureSize));
    m_d.form.m_imgSelect->installEventFilter(this);
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
    m_d.form.m_imgSelect->setEnabled(usable && !m_d.form.m_chkOnly->isChecked());
    m_d.form.m_cmdPickLater->setEnabled(m_d.form.m_imgSelect->isEnabled());
    QString why;
    if (!usable) {
        why = m_picker != nullptr ? UiText::Reason(m_picker->UnavailableReason()) : QString();
        if (why.isEmpty()) {
            why = NoPickerReason();
        }
    }
    m_d.form.m_imgSelect->setToolTip(why);
    m_d.form.m_lblSelect->setToolTip(why);
    if (!why.isEmpty()) {
        m_d.form.m_cmdPickLater->setToolTip(why);
    }
}

bool WindowPickDrag::PickUnderPointer() {
    if (m_dragging || !m_d.form.m_imgSelect->isEnabled()) {
        return false;
    }
    const std::optional<platform::PickedWindow> picked = PickableUnderPointer();
    if (!picked) {
        return false;
    }
    m_iconWindow = 0;
    ShowPicked(*picked);
    Q_EMIT dropped(m_d.form.CurrentTarget().program);
    return true;
}

void WindowPickDrag::Reset() {
    // Whatever ends a drag takes its outline off the screen and gives the editor back its
    // list: nothing of a drag may outlast it.
    ErasePickFrame();
    m_d.form.unsetCursor();
    m_d.form.m_imgSelect->setPixmap(m_imgBackUp.pixmap(TaskEditorForm::kPictureSize));
    if (QWidget::mouseGrabber() == m_d.form.m_imgSelect) {
        m_d.form.m_imgSelect->releaseMouse();
    }
    m_dragging = false;
    m_lastHwnd = 0;
    m_timerSelect->stop();
    RestoreAfterDrag();
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
    QLabel* handle = m_d.form.m_imgSelect;
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
    const QPixmap picture = m_imgBackUp.pixmap(TaskEditorForm::kPictureSize);
    m_d.form.m_imgSelect->clear();
    m_dragging = true;
    m_d.form.m_imgSelect->grabMouse(QCursor(picture));
    m_beforeDrag = SavedTarget();
    m_iconWindow = 0;
    m_timerSelect->start();
    HideMainWindow();
    m_d.form.m_lblProcess[2]->setText(Lan(m_d.engine.Language(), LanText::WindowTitle));
    ShortenForDrag();
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
    Q_EMIT dropped(m_d.form.CurrentTarget().program);
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
    TaskEditorForm& f = m_d.form;
    // A process that cannot be known leaves no id: Add then asks for a target.
    f.SetTarget({QString::fromStdString(picked.programName),
                 picked.pid > 0 ? QString::number(picked.pid) : QString(),
                 QString::fromStdString(picked.executablePath)});
    f.m_lblProcess[2]->setText(Lan(m_d.engine.Language(), LanText::WindowTitle));
    f.m_lblWindow->setText(ShownText(picked.title));
    f.m_lblWindow->setVisible(true);
    // The picture is looked up again only for another window, not on every tick.
    if (picked.topLevel != m_iconWindow) {
        m_iconWindow = picked.topLevel;
        f.SetTargetIcon(PickedWindowIcon::For(picked, m_d.icons));
    }
    PlaceTargetIcon();
}

void WindowPickDrag::PlaceTargetIcon() {
    // While the editor is short its layout rests, so the name takes the width it needs and
    // the picture follows it at the designed distance.
    if (!m_shortened) {
        return;
    }
    QLabel* name = m_d.form.m_lblProcess[1];
    name->resize(name->sizeHint().width(), name->height());
    QLabel* picture = m_d.form.m_picIcon;
    picture->move(name->geometry().right() + 1 + TaskEditorForm::kIconGap, picture->y());
}

WindowPickDrag::Target WindowPickDrag::SavedTarget() const {
    const TaskEditorForm& f = m_d.form;
    return {f.CurrentTarget(), f.m_lblProcess[2]->text(), f.m_lblWindow->text(),
            !f.m_lblWindow->isHidden(), f.TargetIcon()};
}

void WindowPickDrag::ShowTarget(const Target& target) {
    TaskEditorForm& f = m_d.form;
    f.SetTarget(target.target);
    f.m_lblProcess[2]->setText(target.caption);
    f.m_lblWindow->setText(target.window);
    f.m_lblWindow->setVisible(target.windowShown);
    if (m_iconWindow != 0) {
        f.SetTargetIcon(target.icon);
        m_iconWindow = 0;
    }
    PlaceTargetIcon();
}

void WindowPickDrag::ShortenForDrag() {
    if (m_shortened) {
        return;
    }
    m_shortened = true;
    TaskEditorForm& f = m_d.form;
    f.m_cmdRefresh->hide();
    f.m_cmdClose->hide();
    // The widgets keep their places; the window just ends above the list.
    f.layout()->setEnabled(false);
    f.setFixedSize(f.FullSize().width(), f.m_lblPrograms->geometry().top() + kShortTail);
}

void WindowPickDrag::RestoreAfterDrag() {
    if (!m_shortened) {
        return;
    }
    m_shortened = false;
    TaskEditorForm& f = m_d.form;
    f.setFixedSize(f.FullSize());
    f.layout()->setEnabled(true);
    f.m_cmdRefresh->show();
    f.m_cmdClose->show();
    f.layout()->activate();
}

void WindowPickDrag::HideMainWindow() {
    QWidget* main = m_d.form.parentWidget();
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
    QWidget* main = m_d.form.parentWidget();
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
