// The editor's window picker over a scripted screen: pressing on the target picture, the 50 ms
// reads with the outline following the pointer, the drop, the ways a drag is cut short, the
// picture chosen for a window, and a desktop where picking cannot work.

#include "Desk.h"
#include "OffscreenQuiet.h"
#include "ui/PickedWindowIcon.h"
#include "ui/ProcessListView.h"
#include "ui/ProgramIcons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace morvane;
using morvane::platform::PickedWindow;
using morvane::platform::WindowIcon;
using morvane::test::Desk;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000;

WindowIcon Solid(std::uint32_t argb, int side = 4) {
    return {side, side, std::vector<std::uint32_t>(static_cast<std::size_t>(side * side), argb)};
}

PickedWindow Window(platform::WindowId top, platform::WindowId deepest, platform::ProcessId pid,
                    const std::string& program, const std::string& title) {
    PickedWindow w;
    w.topLevel = top;
    w.deepest = deepest;
    w.pid = pid;
    w.programName = program;
    w.executablePath = "/usr/bin/" + program;
    w.title = title;
    w.icon = Solid(kRed);
    w.iconName = program;
    return w;
}

// The xterm's button: a control inside the terminal's top-level window.
const PickedWindow kXterm = Window(10, 11, 100, "xterm", "Terminal");
const PickedWindow kGedit = Window(20, 20, 200, "gedit", "notes.txt - gedit");

} // namespace

class PickerTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Desk> m_desk;

    template <typename T> T* W(const char* name) const { return m_desk->Get<T>(name); }
    QString Text(const char* label) const { return W<QLabel>(label)->text(); }
    QString Lan(int entry) const {
        return QString::fromStdString(m_desk->engine->Language().Text(entry));
    }
    platform::FakeWindowPicker& Picker() const { return m_desk->picker; }
    TaskEditor* Editor() const { return m_desk->Editor(); }
    QLabel* Handle() const { return W<QLabel>("imgSelect"); }
    QTimer* Timer() const { return m_desk->Find<QTimer>(QStringLiteral("TimerSelect")); }

    void ClickProgram(const QString& program) { m_desk->ClickProgram(program); }
    QString SelectedProgram() const {
        const QList<QTreeWidgetItem*> selected = W<ProcessListView>("LV")->selectedItems();
        return selected.isEmpty() ? QString() : selected.first()->text(1);
    }
    void Press() { QTest::mousePress(Handle(), Qt::LeftButton); }
    void Release() { QTest::mouseRelease(Handle(), Qt::LeftButton); }
    // Puts a window under the pointer and waits for the timer to read it.
    void Hover(const std::optional<PickedWindow>& window) {
        Picker().underPointer = window;
        const int reads = Picker().reads;
        QTRY_VERIFY(Picker().reads > reads);
    }
    QRgb IconColour() const { return W<QLabel>("picIcon")->pixmap().toImage().pixel(16, 16); }

    // Everything a drag changes is back as it was before it.
    void VerifyDragOver() const {
        QVERIFY(!Editor()->IsDragging());
        QVERIFY(!Timer()->isActive());
        QVERIFY(!Picker().framed.has_value());
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
        QVERIFY(!Handle()->pixmap().isNull());
        QCOMPARE(Editor()->size(), QSize(738, 760));
        QVERIFY(!W<QToolButton>("cmdRefresh")->isHidden());
        QVERIFY(!W<QToolButton>("cmdClose")->isHidden());
    }

private Q_SLOTS:
    void initTestCase() { morvane::test::QuietOffscreenNotes(); }
    void init() {
        m_desk = std::make_unique<Desk>();
        m_desk->Start();
        m_desk->window->AddTaskCommand();
        QVERIFY(Editor()->isVisible());
    }
    void cleanup() { m_desk.reset(); }

    void pressingLiftsThePictureAndShortensTheEditor() {
        ClickProgram(QStringLiteral("nano"));
        Press();
        QVERIFY(Editor()->IsDragging());
        QVERIFY(Handle()->pixmap().isNull());
        QCOMPARE(QWidget::mouseGrabber(), Handle());
        QVERIFY(QGuiApplication::overrideCursor() != nullptr);
        QVERIFY(!QGuiApplication::overrideCursor()->pixmap().isNull());
        QVERIFY(Timer()->isActive());
        QCOMPARE(Timer()->interval(), 50);
        QVERIFY(!m_desk->window->isVisible());
        QVERIFY(Editor()->isVisible());
        QCOMPARE(Editor()->height(), W<QLabel>("lblPrograms")->geometry().top() + 27);
        QVERIFY(W<QToolButton>("cmdRefresh")->isHidden());
        QVERIFY(W<QToolButton>("cmdClose")->isHidden());
        // Read at once; over the bare desktop the target stays what it was.
        QCOMPARE(Picker().reads, 1);
        QCOMPARE(Text("lblProcess1"), QStringLiteral("nano"));
        QCOMPARE(Text("lblID"), QStringLiteral("102"));
        QCOMPARE(Text("lblProcess2"), Lan(49));
    }

    void theOutlineAndTheReadOutFollowThePointer() {
        ClickProgram(QStringLiteral("nano"));
        const QRgb listIcon = IconColour();
        Press();

        Hover(kXterm);
        QCOMPARE(Text("lblProcess1"), QStringLiteral("xterm"));
        QCOMPARE(Text("lblID"), QStringLiteral("100"));
        QCOMPARE(Text("lblWindow"), QStringLiteral("Terminal"));
        QCOMPARE(Text("lblProcess2"), Lan(21));
        QCOMPARE(IconColour(), QColor(Qt::red).rgb());
        QCOMPARE(Picker().framed, std::optional<platform::WindowId>(11));
        // The short editor's layout rests: the name still shows whole, its picture beside it.
        auto* name = W<QLabel>("lblProcess1");
        QVERIFY(name->width() >= name->sizeHint().width());
        QCOMPARE(W<QLabel>("picIcon")->x(), name->geometry().right() + 1 + 17);

        Hover(kGedit);
        Hover(kGedit);
        QCOMPARE(Text("lblID"), QStringLiteral("200"));
        QCOMPARE(Text("lblWindow"), QStringLiteral("notes.txt - gedit"));
        QCOMPARE(Picker().drawn, (std::vector<platform::WindowId>{11, 20}));
        QCOMPARE(Picker().erased, (std::vector<platform::WindowId>{11}));

        // Off every program: the outline goes and the target from before the drag shows.
        Hover(std::nullopt);
        QVERIFY(!Picker().framed.has_value());
        QCOMPARE(Picker().erased, (std::vector<platform::WindowId>{11, 20}));
        QCOMPARE(Text("lblProcess1"), QStringLiteral("nano"));
        QCOMPARE(Text("lblID"), QStringLiteral("102"));
        QCOMPARE(Text("lblProcess2"), Lan(49));
        QCOMPARE(Text("lblWindow"), QStringLiteral("/usr/bin/nano"));
        QCOMPARE(IconColour(), listIcon);

        // Our own windows are not outlined and not picked.
        PickedWindow own = Window(30, 31, QCoreApplication::applicationPid(), "morvane", "Morvane");
        Hover(kXterm);
        Hover(own);
        QVERIFY(!Picker().framed.has_value());
        QCOMPARE(Text("lblProcess1"), QStringLiteral("nano"));
        QCOMPARE(Picker().drawn, (std::vector<platform::WindowId>{11, 20, 11}));
    }

    void theDropKeepsTheWindowSelectsItsRowAndRestoresTheEditor() {
        ClickProgram(QStringLiteral("nano"));
        const int scans = m_desk->processes.scans;
        Press();
        Hover(kXterm);
        // The window under the release point counts, even before a tick has read it.
        Picker().underPointer = kGedit;
        Release();

        QCOMPARE(Text("lblProcess1"), QStringLiteral("gedit"));
        QCOMPARE(Text("lblID"), QStringLiteral("200"));
        QCOMPARE(Text("lblWindow"), QStringLiteral("notes.txt - gedit"));
        QCOMPARE(Picker().erased, (std::vector<platform::WindowId>{11}));
        VerifyDragOver();
        QCOMPARE(SelectedProgram(), QStringLiteral("gedit"));
        QCOMPARE(m_desk->processes.scans, scans + 1);
        QVERIFY(m_desk->window->isVisible());
        QVERIFY(Editor()->isVisible());

        // The target stays until the next drop; the editor can be closed and opened again.
        Editor()->close();
        m_desk->window->AddTaskCommand();
        QCOMPARE(Text("lblProcess1"), QStringLiteral("gedit"));
        QCOMPARE(Text("lblID"), QStringLiteral("200"));
        QCOMPARE(SelectedProgram(), QStringLiteral("gedit"));
    }

    void aDropOnAProgramWithoutARowMakesItTheTaskTarget() {
        ClickProgram(QStringLiteral("nano"));
        W<QComboBox>("cmbTMin")->setCurrentIndex(5);
        Press();
        PickedWindow clock = Window(40, 40, 500, "xclock", "xclock");
        clock.icon = {};
        clock.executablePath.clear();
        clock.iconName.clear();
        Picker().underPointer = clock;
        Release();
        QCOMPARE(Text("lblProcess1"), QStringLiteral("xclock"));
        QCOMPARE(Text("lblID"), QStringLiteral("500"));
        QCOMPARE(W<QLabel>("picIcon")->pixmap().toImage(),
                 ProgramIcons::Generic().pixmap(QSize(32, 32)).toImage());
        // The rescan selects no other program's row, so the task closes what was picked.
        QCOMPARE(SelectedProgram(), QString());
        // It runs, though no scan has listed it: its id is kept.
        m_desk->processes.running.push_back({"/usr/bin/xclock", 500});
        W<QPushButton>("cmdOK")->click();
        QCOMPARE(m_desk->engine->Tasks().Count(), 1);
        const Task& task = m_desk->engine->Tasks().At(1);
        QCOMPARE(task.program, std::string("xclock"));
        QCOMPARE(task.id, std::string("500"));
    }

    void aDropOnNothingPickableKeepsTheTarget_data() {
        QTest::addColumn<bool>("own");
        QTest::newRow("bare desktop") << false;
        QTest::newRow("our own window") << true;
    }
    void aDropOnNothingPickableKeepsTheTarget() {
        QFETCH(bool, own);
        ClickProgram(QStringLiteral("nano"));
        Press();
        Hover(kXterm);
        if (own) {
            Picker().underPointer =
                Window(30, 30, QCoreApplication::applicationPid(), "morvane", "Add a Task");
        } else {
            Picker().underPointer.reset();
        }
        Release();
        QCOMPARE(Text("lblProcess1"), QStringLiteral("nano"));
        QCOMPARE(Text("lblID"), QStringLiteral("102"));
        QCOMPARE(Text("lblProcess2"), Lan(49));
        QCOMPARE(Text("lblWindow"), QStringLiteral("/usr/bin/nano"));
        QCOMPARE(SelectedProgram(), QStringLiteral("nano"));
        VerifyDragOver();
    }

    void whateverEndsTheDragTakesItsTracesAway_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("focusAsked");
        QTest::newRow("Escape") << "escape" << false;
        QTest::newRow("close box") << "close" << true;
        QTest::newRow("Add from the keyboard") << "add" << false;
    }
    void whateverEndsTheDragTakesItsTracesAway() {
        QFETCH(QString, how);
        QFETCH(bool, focusAsked);
        W<QComboBox>("cmbTMin")->setCurrentIndex(5);
        QSignalSpy back(Editor(), &TaskEditor::returnedToMainWindow);
        Press();
        Hover(kXterm);
        QVERIFY(Picker().framed.has_value());
        if (how == QLatin1String("escape")) {
            QTest::keyClick(Editor(), Qt::Key_Escape);
        } else if (how == QLatin1String("close")) {
            Editor()->close();
        } else {
            QTest::keyClick(Editor(), Qt::Key_Return);
        }
        QVERIFY(!Editor()->isVisible());
        VerifyDragOver();
        QCOMPARE(back.count(), 1);
        QCOMPARE(back.first().first().toBool(), focusAsked);
        QVERIFY(m_desk->window->isVisible());
        QCOMPARE(m_desk->engine->Tasks().Count(), how == QLatin1String("add") ? 1 : 0);
        // The values read during the drag stay, whichever way it ended.
        QCOMPARE(Text("lblID"), QStringLiteral("100"));

        m_desk->window->AddTaskCommand();
        QCOMPARE(Editor()->size(), QSize(738, 760));
        Press();
        QVERIFY(Editor()->IsDragging());
        Release();
        VerifyDragOver();
    }

    void tickingTheEmptyTaskBoxEndsTheDrag() {
        Press();
        Hover(kXterm);
        W<QCheckBox>("chkOnly")->setChecked(true);
        VerifyDragOver();
        QVERIFY(m_desk->window->isVisible());
        QVERIFY(!Handle()->isEnabled());
        QCOMPARE(Text("lblID"), QString());
    }

    void withoutAPickerTheListRemains_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("Wayland session") << true << "Picking a window needs an X11 display.";
        QTest::newRow("no picker at all") << false << "";
    }
    void withoutAPickerTheListRemains() {
        QFETCH(bool, present);
        QFETCH(QString, tooltip);
        Picker().reason = tooltip.toStdString();
        Editor()->SetWindowPicker(present ? &Picker() : nullptr);
        QVERIFY(!Handle()->isEnabled());
        if (present) {
            QCOMPARE(Handle()->toolTip(), tooltip);
        } else {
            QVERIFY(Handle()->toolTip().contains(QLatin1String("list of running programs")));
        }
        QCOMPARE(W<QLabel>("lblSelect")->toolTip(), Handle()->toolTip());
        QCOMPARE(W<QLabel>("lblSelect")->text(), Handle()->toolTip());

        Press();
        QVERIFY(!Editor()->IsDragging());
        W<QCheckBox>("chkOnly")->setChecked(true);
        W<QCheckBox>("chkOnly")->setChecked(false);
        QVERIFY(!Handle()->isEnabled());
        ClickProgram(QStringLiteral("gedit"));
        QCOMPARE(Text("lblID"), QStringLiteral("200"));

        Picker().reason.clear();
        Editor()->SetWindowPicker(&Picker());
        QVERIFY(Handle()->isEnabled());
        QCOMPARE(Handle()->toolTip(), QString());
        QVERIFY(W<QLabel>("lblSelect")->text().startsWith(QLatin1String("Drag")));
    }

    void thePictureOfAPickedWindow() {
        ProgramIcons icons;
        PickedWindow w = kXterm;
        QCOMPARE(PickedWindowIcon::For(w, icons).pixmap(QSize(4, 4)).toImage().pixel(1, 1),
                 QColor(Qt::red).rgb());

        // No pixels of its own: the program's icon file named by its desktop entry.
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("blue.png"));
        QImage blue(8, 8, QImage::Format_ARGB32);
        blue.fill(Qt::blue);
        QVERIFY(blue.save(file));
        w.icon = {};
        w.iconName = file.toStdString();
        QCOMPARE(PickedWindowIcon::For(w, icons).pixmap(QSize(8, 8)).toImage().pixel(4, 4),
                 QColor(Qt::blue).rgb());

        // Nothing known: the generic program picture.
        w.iconName = "no-such-icon-anywhere";
        w.executablePath.clear();
        QCOMPARE(PickedWindowIcon::For(w, icons).cacheKey(), ProgramIcons::Generic().cacheKey());

        // Pixels that do not fill the stated size are not trusted.
        WindowIcon shortIcon = Solid(kRed);
        shortIcon.argb.pop_back();
        QVERIFY(PickedWindowIcon::ImageOf(shortIcon).isNull());
        WindowIcon translucent = Solid(0x80FF0000, 2);
        QCOMPARE(PickedWindowIcon::ImageOf(translucent).pixel(0, 0), 0x80FF0000u);
    }
};

QTEST_MAIN(PickerTest)
#include "PickerTest.moc"
