#include "platform/linux/x11/X11WindowPicker.h"
#include "X11TestSupport.h"
#include "platform/linux/LinuxProgramIconLookup.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

using namespace morvane::test;
using morvane::platform::Environment;
using morvane::platform::LinuxProgramIconLookup;
using morvane::platform::PickedWindow;
using morvane::platform::ProcFs;
using morvane::platform::x11::FrameStyle;
using morvane::platform::x11::X11WindowPicker;

namespace {

class X11WindowPickerTest : public X11Test {
protected:
    std::optional<PickedWindow> PickAt(int x, int y) {
        MovePointer(*m_x, x, y);
        return m_picker.WindowUnderPointer();
    }
    /// A point inside the window, `dx`/`dy` pixels from its top-left corner.
    std::pair<int, int> Inside(XId window, int dx, int dy) {
        const auto rect = m_x->OuterRect(window);
        EXPECT_TRUE(rect.has_value());
        return rect ? std::pair{rect->x + dx, rect->y + dy} : std::pair{0, 0};
    }

    X11WindowPicker m_picker{FrameStyle::Invert};
};

TEST_F(X11WindowPickerTest, ReadsProgramPidTitlePathAndClassOfOurTestWindow) {
    const TestWindow target =
        StartWindow({"--title", "Picker target \u2713", "--class", "pickertarget,PickerTarget",
                     "--geometry", "300x200+100+100", "--child", "100x60+150+100"});
    const auto [x, y] = Inside(target.window, 20, 20);
    const auto picked = PickAt(x, y);
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(picked->deepest, target.window);
    EXPECT_EQ(picked->topLevel, target.window);
    EXPECT_EQ(picked->pid, target.process->Pid());
    EXPECT_EQ(picked->programName, std::filesystem::path(TestWindowPath()).filename().string());
    EXPECT_EQ(picked->executablePath, std::filesystem::canonical(TestWindowPath()).string());
    EXPECT_EQ(picked->title, "Picker target \u2713");
    EXPECT_EQ(picked->className, "PickerTarget");
}

TEST_F(X11WindowPickerTest, ChildWindowAndTitleBarResolveToTheTopLevelWindow) {
    const TestWindow target = StartWindow({"--title", "Parent of a control", "--geometry",
                                           "300x200+420+120", "--child", "100x60+150+100"});
    const auto [cx, cy] = Inside(target.child, 10, 10);
    const auto overChild = PickAt(cx, cy);
    ASSERT_TRUE(overChild.has_value());
    EXPECT_EQ(overChild->deepest, target.child);
    EXPECT_EQ(overChild->topLevel, target.window);
    EXPECT_EQ(overChild->pid, target.process->Pid());
    EXPECT_EQ(overChild->title, "Parent of a control");

    // The title bar belongs to the window manager's frame, yet it names the program's window.
    const XId frame = m_x->TopLevelOf(target.window);
    const auto frameRect = m_x->OuterRect(frame);
    const auto clientRect = m_x->OuterRect(target.window);
    ASSERT_TRUE(frameRect && clientRect);
    ASSERT_GT(clientRect->y, frameRect->y) << "openbox should draw a title bar";
    const auto overTitle = PickAt(frameRect->x + frameRect->width / 3, frameRect->y + 3);
    ASSERT_TRUE(overTitle.has_value());
    EXPECT_NE(overTitle->deepest, target.window);
    EXPECT_EQ(overTitle->topLevel, target.window);
    EXPECT_EQ(overTitle->pid, target.process->Pid());
}

TEST_F(X11WindowPickerTest, ReadsARealXterm) {
    ChildProcess xterm(
        {"xterm", "-geometry", "40x8+700+400", "-title", "xterm target", "-e", "cat"});
    XId client = 0;
    ASSERT_TRUE(WaitUntil([&] {
        for (const XId candidate : m_x->StackingClients()) {
            if (m_x->ProcessId(candidate) == xterm.Pid()) {
                client = candidate;
                return WaitManaged(candidate);
            }
        }
        return false;
    })) << "xterm did not show a window";
    // xterm draws its text in a child window: the pointer finds that child, the picker the
    // program's window.
    const auto [x, y] = Inside(client, 30, 30);
    const auto picked = PickAt(x, y);
    ASSERT_TRUE(picked.has_value());
    EXPECT_NE(picked->deepest, client);
    EXPECT_EQ(picked->topLevel, client);
    EXPECT_EQ(picked->pid, xterm.Pid());
    EXPECT_EQ(picked->programName, "xterm");
    EXPECT_EQ(picked->executablePath, std::filesystem::canonical("/usr/bin/xterm").string());
    EXPECT_EQ(picked->title, "xterm target");
    EXPECT_EQ(picked->className, "XTerm");
}

TEST_F(X11WindowPickerTest, BareDesktopGivesNothingAndOurOwnWindowGivesUs) {
    const auto overDesktop = PickAt(1275, 1019);
    EXPECT_FALSE(overDesktop.has_value()) << "nothing is at the screen's corner";

    // A window of this very process, made with its own connection like the editor's would be.
    const XId own = CreateOwnWindow({900, 100, 200, 150});
    ASSERT_NE(own, 0U);
    const auto [ox, oy] = Inside(own, 15, 15);
    const auto picked = PickAt(ox, oy);
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(picked->topLevel, own);
    EXPECT_EQ(picked->pid, getpid());
    EXPECT_EQ(picked->programName, std::filesystem::read_symlink("/proc/self/exe").filename());
}

TEST_F(X11WindowPickerTest, ProgramOfAnotherMachineHasNoLocalProcess) {
    const TestWindow remote = StartWindow(
        {"--title", "Remote", "--machine", "elsewhere.invalid", "--geometry", "200x120+60+600"});
    const auto [x, y] = Inside(remote.window, 20, 20);
    const auto picked = PickAt(x, y);
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(picked->topLevel, remote.window);
    EXPECT_EQ(picked->pid, 0);
    EXPECT_EQ(picked->programName, "");
    EXPECT_EQ(picked->executablePath, "");
    EXPECT_EQ(picked->title, "Remote");
}

TEST_F(X11WindowPickerTest, TitleFallsBackToLatin1WmName) {
    const TestWindow old =
        StartWindow({"--latin1-title", "caf\xe9", "--geometry", "200x120+300+600"});
    const auto [x, y] = Inside(old.window, 20, 20);
    const auto picked = PickAt(x, y);
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(picked->title, "caf\u00e9");
}

TEST_F(X11WindowPickerTest, IconFromTheWindowAndNameFromTheDesktopEntry) {
    const TestWindow withIcons = StartWindow(
        {"--icons", "16,64,48,24", "--geometry", "200x120+540+600", "--class", "iconic,Iconic"});
    const auto [x, y] = Inside(withIcons.window, 20, 20);
    const auto picked = PickAt(x, y);
    ASSERT_TRUE(picked.has_value());
    // The smallest image at least 32 pixels wide: 48, filled with 0xFF000030.
    EXPECT_EQ(picked->icon.width, 48);
    EXPECT_EQ(picked->icon.height, 48);
    ASSERT_EQ(picked->icon.argb.size(), 48U * 48U);
    EXPECT_EQ(picked->icon.argb.front(), 0xFF000030U);
    EXPECT_EQ(picked->iconName, picked->programName) << "no desktop entry names it";

    const auto folder = std::filesystem::path(testing::TempDir()) / "picker-applications";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "plain.desktop") << "[Desktop Entry]\nName=Plain\nExec=plain\n"
                                               "Icon=plain-icon\nStartupWMClass=Plainwin\n";
    X11WindowPicker picker(
        X11Windows::Open(), FrameStyle::Invert, ProcFs(),
        std::make_unique<LinuxProgramIconLookup>(std::vector{folder}, Environment()));
    const TestWindow plain =
        StartWindow({"--geometry", "200x120+780+600", "--class", "plainwin,Plainwin"});
    const auto [px, py] = Inside(plain.window, 20, 20);
    MovePointer(*m_x, px, py);
    const auto plainPicked = picker.WindowUnderPointer();
    ASSERT_TRUE(plainPicked.has_value());
    EXPECT_EQ(plainPicked->iconName, "plain-icon");
}

// Sets or, for nullptr, removes a variable of the process's environment.
void SetVariable(const char* name, const char* value) {
    value != nullptr ? setenv(name, value, 1) : unsetenv(name);
}

TEST(X11WindowPickerUnavailable, SaysWhyOnWaylandOrWithoutAnX11Display) {
    const char* const variables[] = {"DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"};
    std::vector<std::optional<std::string>> saved;
    for (const char* name : variables) {
        const char* value = std::getenv(name);
        saved.push_back(value != nullptr ? std::optional<std::string>(value) : std::nullopt);
    }
    // XWayland's display is as real as Xvfb's: the picker still refuses it.
    const std::string xDisplay = saved[0].value_or(":987");
    struct Case {
        const char* display;
        const char* wayland;
        const char* type;
        const char* says;
    };
    const Case cases[] = {
        {xDisplay.c_str(), "wayland-0", nullptr, "Wayland desktop"},
        {xDisplay.c_str(), nullptr, "wayland", "Wayland desktop"},
        {nullptr, "wayland-0", "wayland", "Wayland desktop"},
        {nullptr, nullptr, nullptr, "none is set"},
        {":987", nullptr, "x11", ":987"},
    };
    for (const Case& c : cases) {
        SetVariable("DISPLAY", c.display);
        SetVariable("WAYLAND_DISPLAY", c.wayland);
        SetVariable("XDG_SESSION_TYPE", c.type);
        // A compositor answers on every Wayland display named, as far as this picker knows.
        X11WindowPicker picker(
            std::nullopt, morvane::platform::SessionProbe(Environment(),
                                                          [](const std::string&) { return true; }));
        EXPECT_FALSE(picker.IsAvailable()) << c.says;
        EXPECT_NE(picker.UnavailableReason().find(c.says), std::string::npos)
            << picker.UnavailableReason();
        EXPECT_FALSE(picker.WindowUnderPointer().has_value());
        picker.DrawFrame(42); // harmless without a display
        picker.EraseFrame();
    }
    for (std::size_t i = 0; i < saved.size(); ++i) {
        SetVariable(variables[i], saved[i] ? saved[i]->c_str() : nullptr);
    }

    // Even a display handed in is set aside on a Wayland session.
    if (saved[0]) {
        X11WindowPicker handed(X11Windows::Open(), FrameStyle::Invert, ProcFs(),
                               std::make_unique<LinuxProgramIconLookup>(),
                               morvane::platform::SessionProbe(Environment(
                                   {{"DISPLAY", *saved[0]}, {"XDG_SESSION_TYPE", "wayland"}})));
        EXPECT_FALSE(handed.IsAvailable());
        EXPECT_FALSE(handed.Style().has_value());
    }
}

} // namespace
