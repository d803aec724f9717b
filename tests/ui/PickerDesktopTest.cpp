// The window picker on a real X desktop (run through scripts/with-desktop.sh): the editor with
// the X11 picker, a test window with a control inside it and an xterm beside it, and the
// pointer driven by xdotool. The outline must change exactly its band of pixels and leave
// nothing behind; the drop must read the right program, process and title.

#include "core/Engine.h"
#include "platform/fake/FakeAutostart.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeIdleSource.h"
#include "platform/fake/FakeLauncher.h"
#include "platform/fake/FakePower.h"
#include "platform/linux/LinuxProcesses.h"
#include "platform/linux/x11/X11PickFrame.h"
#include "platform/linux/x11/X11WindowPicker.h"
#include "platform/linux/x11/X11Windows.h"
#include "ui/MainWindow.h"
#include "ui/ProcessListView.h"
#include "ui/TaskEditor.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <memory>

using namespace morvane;
using platform::x11::Rect;
using platform::x11::X11PickFrame;
using platform::x11::X11WindowPicker;
using platform::x11::X11Windows;
using platform::x11::XId;

namespace {

constexpr int kWaitMs = 15000;

// Everything right of our own windows: the two programs live here, nothing of ours does.
constexpr Rect kProgramsArea{980, 0, 300, 1024};

bool Contains(const Rect& r, int x, int y) {
    return x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height;
}

QPoint Centre(const Rect& r) {
    return {r.x + r.width / 2, r.y + r.height / 2};
}

bool Xdotool(const QStringList& args) {
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

// The screen's pixels in a rectangle, row by row.
std::vector<unsigned long> Grab(X11Windows& x, const Rect& r) {
    std::vector<unsigned long> pixels;
    XImage* image = XGetImage(x.Handle(), x.Root(), r.x, r.y, static_cast<unsigned>(r.width),
                              static_cast<unsigned>(r.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return pixels;
    }
    pixels.reserve(static_cast<std::size_t>(r.width) * static_cast<std::size_t>(r.height));
    for (int y = 0; y < r.height; ++y) {
        for (int col = 0; col < r.width; ++col) {
            pixels.push_back(XGetPixel(image, col, y) & 0xFFFFFF);
        }
    }
    XDestroyImage(image);
    return pixels;
}

// Where two grabs of kProgramsArea differ, as a count, and whether exactly the band of the
// frame around `framed` differs.
struct Difference {
    int pixels = 0;
    bool exactlyTheBand = true;
};
Difference Compare(const std::vector<unsigned long>& before,
                   const std::vector<unsigned long>& after, const std::optional<Rect>& framed) {
    Difference d;
    const std::vector<Rect> band = framed ? X11PickFrame::Band(*framed) : std::vector<Rect>{};
    for (int y = 0; y < kProgramsArea.height; ++y) {
        for (int x = 0; x < kProgramsArea.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * kProgramsArea.width + x;
            const bool differs = before[i] != after[i];
            bool inBand = false;
            for (const Rect& strip : band) {
                inBand = inBand || Contains(strip, kProgramsArea.x + x, kProgramsArea.y + y);
            }
            d.pixels += differs ? 1 : 0;
            d.exactlyTheBand = d.exactlyTheBand && differs == inBand;
        }
    }
    return d;
}

} // namespace

class PickerDesktopTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    platform::FakeClock m_clock{DateTime{2026, 12, 7, 10, 0, 0}};
    platform::FakePower m_power;
    platform::LinuxProcesses m_processes;
    platform::FakeLauncher m_launcher;
    platform::FakeIdleSource m_idle;
    platform::FakeAutostart m_autostart;
    std::unique_ptr<Engine> m_engine;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<X11WindowPicker> m_picker;
    std::unique_ptr<X11Windows> m_x;
    QProcess m_testWindow;
    QProcess m_xterm;
    XId m_child = 0;
    XId m_terminal = 0;

    TaskEditor* Editor() const { return m_window->Editor(); }
    QString Text(const char* name) const {
        return Editor()->findChild<QLabel*>(QString::fromLatin1(name))->text();
    }
    QPoint HandleCentre() const {
        auto* handle = Editor()->findChild<QLabel*>(QStringLiteral("imgSelect"));
        return handle->mapToGlobal(handle->rect().center());
    }
    bool MoveTo(const QPoint& p) {
        return Xdotool(
                   {QStringLiteral("mousemove"), QString::number(p.x()), QString::number(p.y())}) &&
               QTest::qWaitFor([&] { return QCursor::pos() == p; }, kWaitMs);
    }
    // The picker's outline for whatever is under the pointer now.
    std::optional<Rect> FrameUnderPointer() {
        return m_picker->FrameRectFor(m_x->DeepestUnderPointer());
    }
    // The picker draws on a connection of its own: its last request may reach the screen a
    // moment after ours asks for the pixels.
    bool NothingLeft(const std::vector<unsigned long>& before) {
        return QTest::qWaitFor(
            [&] { return Compare(before, Grab(*m_x, kProgramsArea), std::nullopt).pixels == 0; },
            kWaitMs);
    }
    bool Press() { return Xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}); }
    bool Release() { return Xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}); }

private Q_SLOTS:
    void initTestCase() {
        for (const char* tool : {"xdotool", "xterm"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
                QSKIP(qPrintable(QStringLiteral("%1 is missing").arg(QLatin1String(tool))));
            }
        }
        m_x = X11Windows::Open();
        QVERIFY(m_x != nullptr);
        m_picker = std::make_unique<X11WindowPicker>(platform::x11::FrameStyle::Invert);
        QVERIFY(m_picker->IsAvailable());

        // The two programs, right of where our windows go.
        m_testWindow.start(QStringLiteral(MORVANE_TEST_WINDOW),
                           {QStringLiteral("--title"), QStringLiteral("Picker target"),
                            QStringLiteral("--geometry"), QStringLiteral("290x180+984+60"),
                            QStringLiteral("--child"), QStringLiteral("120x80+90+50")});
        QVERIFY(m_testWindow.waitForReadyRead(kWaitMs));
        const QStringList ids = QString::fromLatin1(m_testWindow.readLine()).split(u' ');
        QCOMPARE(ids.size(), 2);
        m_child = ids.at(1).trimmed().toULong();
        m_xterm.start(QStringLiteral("xterm"),
                      {QStringLiteral("-geometry"), QStringLiteral("40x8+984+420"),
                       QStringLiteral("-T"), QStringLiteral("Picker xterm"), QStringLiteral("-e"),
                       QStringLiteral("cat")});
        QVERIFY(m_xterm.waitForStarted(kWaitMs));
        QVERIFY(QTest::qWaitFor(
            [&] {
                QProcess search;
                search.start(QStringLiteral("xdotool"),
                             {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                              QStringLiteral("--pid"), QString::number(m_xterm.processId())});
                search.waitForFinished(kWaitMs);
                m_terminal = QString::fromLatin1(search.readAllStandardOutput())
                                 .split(u'\n')
                                 .first()
                                 .toULong();
                return m_terminal != 0;
            },
            kWaitMs));
        QVERIFY(QTest::qWaitFor(
            [&] {
                const auto child = m_x->OuterRect(m_child);
                const auto terminal = m_x->OuterRect(m_terminal);
                return child && terminal && Contains(kProgramsArea, child->x, child->y) &&
                       Contains(kProgramsArea, terminal->x, terminal->y);
            },
            kWaitMs));

        // Our two windows on the left, the editor shown with the real picker.
        const QString appData = m_dir.filePath(QStringLiteral("appdata"));
        m_engine = std::make_unique<Engine>(
            Engine::Services{m_clock, m_power, m_processes, m_launcher, m_idle, m_autostart},
            AppPaths{MORVANE_SOURCE_DATA, appData.toStdString(), "morvane"});
        m_window = std::make_unique<MainWindow>(MainWindow::Deps{*m_engine});
        m_window->SetWindowPicker(m_picker.get());
        // The main window goes where the window manager puts it: left of the programs, since
        // they leave no room on their side.
        m_window->LoadSequence();
        QTRY_VERIFY(m_window->HasStarted());
        Editor()->move(0, 0);
        m_window->AddTaskCommand();
        QVERIFY(QTest::qWaitForWindowActive(Editor()));
        // The pointer is driven by screen position: Qt must know where the window manager put
        // the editor, frame included, before a handle position is worked out.
        QVERIFY(QTest::qWaitFor(
            [&] {
                const auto placed = m_x->OuterRect(Editor()->winId());
                return placed && QPoint(placed->x, placed->y) == Editor()->mapToGlobal(QPoint());
            },
            kWaitMs));
        QVERIFY(QTest::qWaitFor([&] { return m_window->frameGeometry().right() < kProgramsArea.x; },
                                kWaitMs));
    }

    void cleanupTestCase() {
        m_window.reset();
        m_engine.reset();
        // Only what this test started is ended.
        for (QProcess* p : {&m_testWindow, &m_xterm}) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(kWaitMs);
            }
        }
    }

    void theDragReadsEachProgramAndLeavesNoOutline() {
        QVERIFY(MoveTo(HandleCentre()));
        QVERIFY(QTest::qWaitFor([&] { return QApplication::widgetAt(QCursor::pos()) != nullptr; },
                                kWaitMs));
        const std::vector<unsigned long> before = Grab(*m_x, kProgramsArea);

        // Where the window manager really has it: Qt's own idea of the position can lag.
        const std::optional<Rect> mainFrameAt = m_x->OuterRect(m_window->winId());
        QVERIFY(mainFrameAt);
        QVERIFY(Press());
        QVERIFY(QTest::qWaitFor([&] { return Editor()->IsDragging(); }, kWaitMs));
        QVERIFY(QTest::qWaitFor([&] { return !m_window->isVisible(); }, kWaitMs));

        // Over the control inside the test window: its program's process and title, and the
        // outline around the control alone.
        QVERIFY(MoveTo(Centre(*m_x->OuterRect(m_child))));
        const QString testWindowPid = QString::number(m_testWindow.processId());
        QVERIFY(QTest::qWaitFor([&] { return Text("lblID") == testWindowPid; }, kWaitMs));
        QCOMPARE(Text("lblProcess1"), QStringLiteral("morvane_x11_test_window"));
        QCOMPARE(Text("lblWindow"), QStringLiteral("Picker target"));
        const std::optional<Rect> controlFrame = FrameUnderPointer();
        QVERIFY(controlFrame.has_value());
        QCOMPARE(*controlFrame, *m_x->OuterRect(m_child));
        Difference d;
        QVERIFY(QTest::qWaitFor(
            [&] {
                d = Compare(before, Grab(*m_x, kProgramsArea), controlFrame);
                return d.pixels > 0;
            },
            kWaitMs));
        QVERIFY2(d.exactlyTheBand, "the outline changed pixels off its band");

        // Over the xterm: the outline moves, and the control's pixels are as they were.
        const std::optional<Rect> terminal = m_x->OuterRect(m_terminal);
        QVERIFY(MoveTo(Centre(*terminal)));
        const QString xtermPid = QString::number(m_xterm.processId());
        QVERIFY(QTest::qWaitFor([&] { return Text("lblID") == xtermPid; }, kWaitMs));
        const std::optional<Rect> terminalFrame = FrameUnderPointer();
        QVERIFY(terminalFrame.has_value());
        QVERIFY(QTest::qWaitFor(
            [&] {
                d = Compare(before, Grab(*m_x, kProgramsArea), terminalFrame);
                return d.exactlyTheBand;
            },
            kWaitMs));
        QVERIFY(d.pixels > 0);

        QVERIFY(Release());
        QVERIFY(QTest::qWaitFor([&] { return !Editor()->IsDragging(); }, kWaitMs));
        QCOMPARE(Text("lblProcess1"), QStringLiteral("xterm"));
        QCOMPARE(Text("lblID"), xtermPid);
        QCOMPARE(Text("lblWindow"), QStringLiteral("Picker xterm"));
        QVERIFY(NothingLeft(before));
        auto* lv = Editor()->findChild<ProcessListView*>(QStringLiteral("LV"));
        QCOMPARE(lv->selectedItems().size(), 1);
        QCOMPARE(lv->selectedItems().first()->text(1), QStringLiteral("xterm"));
        QCOMPARE(Editor()->height(), 760);
        // The main window comes back where it was, not where the window manager would put a
        // new one.
        QVERIFY(QTest::qWaitFor([&] { return m_window->isVisible(); }, kWaitMs));
        QVERIFY(QTest::qWaitFor([&] { return m_x->OuterRect(m_window->winId()) == mainFrameAt; },
                                kWaitMs));
    }

    void dropsOnTheDesktopAndOnTheEditorKeepTheTarget() {
        const QString xtermPid = QString::number(m_xterm.processId());
        const QString testWindowPid = QString::number(m_testWindow.processId());
        QCOMPARE(Text("lblID"), xtermPid);
        const std::vector<unsigned long> before = Grab(*m_x, kProgramsArea);
        for (const bool desktop : {true, false}) {
            QVERIFY(MoveTo(HandleCentre()));
            QVERIFY(Press());
            QVERIFY(QTest::qWaitFor([&] { return Editor()->IsDragging(); }, kWaitMs));
            // The read-out follows the test window while the pointer is over it...
            QVERIFY(MoveTo(Centre(*m_x->OuterRect(m_child))));
            QVERIFY(QTest::qWaitFor([&] { return Text("lblID") == testWindowPid; }, kWaitMs));
            // ...and goes back to the xterm over the bare desktop at the foot of the programs'
            // area, or over the editor's own caption, where the drop changes nothing.
            const QPoint drop = desktop ? QPoint(1200, 1000) : HandleCentre() + QPoint(200, 0);
            QVERIFY(MoveTo(drop));
            QVERIFY(Release());
            QVERIFY(QTest::qWaitFor([&] { return !Editor()->IsDragging(); }, kWaitMs));
            QCOMPARE(Text("lblProcess1"), QStringLiteral("xterm"));
            QCOMPARE(Text("lblID"), xtermPid);
            QCOMPARE(Text("lblWindow"), QStringLiteral("Picker xterm"));
            QVERIFY(NothingLeft(before));
        }
    }

    void theTimedPickTakesTheWindowUnderThePointerFromTheKeyboard() {
        const QString testWindowPid = QString::number(m_testWindow.processId());
        auto* later = Editor()->findChild<QPushButton*>(QStringLiteral("cmdPickLater"));
        QVERIFY(later != nullptr && later->isEnabled());
        later->setFocus();
        QTest::keyClick(later, Qt::Key_Space);
        // The pointer reaches the window only after the press, as a keyboard user's would.
        QVERIFY(MoveTo(Centre(*m_x->OuterRect(m_child))));
        QVERIFY(QTest::qWaitFor([&] { return Text("lblID") == testWindowPid; }, kWaitMs));
        QCOMPARE(Text("lblProcess1"), QStringLiteral("morvane_x11_test_window"));
    }
};

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        std::puts("No X display (run through scripts/with-desktop.sh): skipped.");
        return 77;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    PickerDesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PickerDesktopTest.moc"
