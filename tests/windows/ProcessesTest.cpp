#include "ChildProcess.h"
#include "platform/windows/ProcessReach.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WindowsProcesses.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace morvane::platform {
namespace {

using test::ChildProcess;
using windows::Narrow;
using windows::Widen;

// A child under a killing hand is given this long to end; it ends in milliseconds.
constexpr DWORD kEndWithin = 10000;

const ProcessInfo* Find(const std::vector<ProcessInfo>& scan, ProcessId pid) {
    const auto it = std::find_if(scan.begin(), scan.end(),
                                 [pid](const ProcessInfo& p) { return p.pid == pid; });
    return it == scan.end() ? nullptr : &*it;
}

std::string FileName(const std::string& path) {
    return path.substr(path.find_last_of('\\') + 1);
}

class WindowsProcessesTest : public ::testing::Test {
protected:
    // The scan's line for a child, found once the child runs its own program.
    ProcessInfo Seen(const ChildProcess& child) {
        const std::vector<ProcessInfo> scan = m_processes.ScanRunningPrograms();
        const ProcessInfo* line = Find(scan, child.Pid());
        return line != nullptr ? *line : ProcessInfo{};
    }

    WindowsProcesses m_processes;
};

TEST_F(WindowsProcessesTest, ScanFindsOurChildWithItsPathNameAndStartTime) {
    const ChildProcess child(test::ChildProgram());
    ASSERT_NE(child.Pid(), 0U);
    const std::vector<ProcessInfo> scan = m_processes.ScanRunningPrograms();

    const ProcessInfo* line = Find(scan, child.Pid());
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::path(Widen(line->path)),
                                            std::filesystem::path(test::ChildProgram())))
        << line->path;
    EXPECT_EQ(line->startTime, child.CreationTime());
    EXPECT_EQ(m_processes.ProcessName(child.Pid()), "morvane_process_child.exe");
    // We are one of our own processes, and the scan lists us too.
    EXPECT_EQ(m_processes.OwnPid(), static_cast<ProcessId>(GetCurrentProcessId()));
    EXPECT_NE(Find(scan, m_processes.OwnPid()), nullptr);
    EXPECT_EQ(m_processes.ProcessName(0), "");
    EXPECT_EQ(m_processes.ProcessName(-4), "");
}

TEST_F(WindowsProcessesTest, TerminateEndsTheChildItWasShownAndTheScanLosesIt) {
    const ChildProcess child(test::ChildProgram());
    const ProcessInfo seen = Seen(child);
    ASSERT_EQ(seen.pid, child.Pid());

    EXPECT_EQ(m_processes.TerminateProcess(seen), OutOfReach::None);
    ASSERT_TRUE(child.Ended(kEndWithin));
    EXPECT_NE(child.ExitCode(), 7U) << "it ended by itself, not by the kill";
    const std::vector<ProcessInfo> scan = m_processes.ScanRunningPrograms();
    EXPECT_FALSE(std::any_of(scan.begin(), scan.end(), [&seen](const ProcessInfo& p) {
        return p.pid == seen.pid && p.startTime == seen.startTime;
    }));
}

TEST_F(WindowsProcessesTest, TerminateLeavesEveryProcessThatIsNotTheOneNamed) {
    ChildProcess child(test::ChildProgram());
    const ProcessInfo seen = Seen(child);
    ASSERT_EQ(seen.pid, child.Pid());
    // A child that has ended and whose id the system may give again.
    ProcessInfo stale;
    {
        ChildProcess gone(test::ChildProgram());
        stale = Seen(gone);
        gone.Release();
        ASSERT_TRUE(gone.Ended(kEndWithin));
    }
    ASSERT_NE(stale.pid, 0);

    const std::string own = Narrow(test::OwnFolder()) + "\\morvane_windows_process_tests.exe";
    const ProcessInfo refused[] = {
        {seen.path, 0, 0},
        {seen.path, -1, 0},
        {seen.path, ProcessId{1} << 40, 0},
        {own, m_processes.OwnPid(), 0},
        {seen.path, seen.pid, seen.startTime + 1}, // another process with this id
        {"C:\\Windows\\notepad.exe", seen.pid, 0}, // another program
        {"C:\\x\\morvane_process_child.exe.old", seen.pid, seen.startTime},
        stale,
    };
    for (const ProcessInfo& target : refused) {
        m_processes.TerminateProcess(target);
    }
    // Had any of them reached it, it could not end by itself with its own code.
    ASSERT_FALSE(child.Ended(0));
    child.Release();
    ASSERT_TRUE(child.Ended(kEndWithin));
    EXPECT_EQ(child.ExitCode(), 7U);
}

TEST_F(WindowsProcessesTest, ProgramNamesCompareAsTheFileSystemDoesAtTheScanAndAtTheKill) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } names[] = {
        {"Editor.exe", "EDITOR.EXE", true},
        {"ÉDITEUR.EXE", "éditeur.exe", true},
        {"ŁÓDŹ.exe", "łódź.exe", true},
        {"ΣΟΦΙΑ.exe", "σοφια.exe", true},
        {"éditeur.exe", "editeur.exe", false}, // an accent is no letter case
        {"lodz.exe", "łódź.exe", false},
        {"tool.exe", "tool.exe.old", false},
        {"", "", true},
    };
    for (const auto& n : names) {
        EXPECT_EQ(m_processes.SameProgramName(n.a, n.b), n.same) << n.a << " / " << n.b;
        EXPECT_EQ(m_processes.SameProgramName(n.b, n.a), n.same) << n.b << " / " << n.a;
    }

    // The kill takes the name in another letter case, as a task typed by hand has it.
    const ChildProcess child(test::ChildProgram());
    const ProcessInfo seen = Seen(child);
    ASSERT_EQ(seen.pid, child.Pid());
    m_processes.TerminateProcess({"MORVANE_PROCESS_CHILD.Exe", seen.pid, seen.startTime});
    ASSERT_TRUE(child.Ended(kEndWithin));
    EXPECT_NE(child.ExitCode(), 7U);
}

// Wine runs everything as one user in one session: the facts of a refused process are put in by
// hand, and the real reading is checked on a child that is within reach.
TEST_F(WindowsProcessesTest, AProcessTheScanLeavesOutIsSaidToRunElevatedOrInAnotherSession) {
    using windows::ReachFacts;
    const struct {
        ReachFacts facts;
        OutOfReach why;
    } cases[] = {
        {{true, true, true, true, false}, OutOfReach::None},              // ours: the scan lists it
        {{true, false, true, std::nullopt, false}, OutOfReach::Elevated}, // its token is above us
        {{true, false, true, true, true}, OutOfReach::Elevated},
        {{true, false, true, true, false}, OutOfReach::None},          // refused for another cause
        {{true, false, true, false, false}, OutOfReach::OtherSession}, // run as another user here
        {{false, false, true, std::nullopt, false}, OutOfReach::OtherSession},
        {{std::nullopt, false, false, std::nullopt, false}, OutOfReach::OtherSession},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(windows::JudgeReach(c.facts), c.why)
            << static_cast<int>(c.facts.sameSession.value_or(2)) << c.facts.opened
            << static_cast<int>(c.facts.ourUser.value_or(2)) << c.facts.elevated;
    }

    const ChildProcess child(test::ChildProgram());
    ASSERT_EQ(Seen(child).pid, child.Pid());
    DWORD session = 0;
    ASSERT_TRUE(ProcessIdToSessionId(GetCurrentProcessId(), &session));
    const ReachFacts facts = windows::ReadReach(static_cast<DWORD>(child.Pid()), session);
    EXPECT_TRUE(facts.listed);
    EXPECT_EQ(facts.sameSession, true);
    EXPECT_EQ(facts.ourUser, true);
    EXPECT_EQ(m_processes.WhyOutOfReach("MORVANE_process_child.exe"), OutOfReach::None);
    EXPECT_EQ(m_processes.WhyOutOfReach("no-such-program.exe"), OutOfReach::None);
}

TEST_F(WindowsProcessesTest, AScriptRunByAnInterpreterIsNamedAfterTheScript) {
    // Our child posing as python, run on a script named relative to its working folder.
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        (L"morvane-interpreter-" + std::to_wstring(GetCurrentProcessId()));
    std::filesystem::create_directories(folder);
    const std::filesystem::path python = folder / "python.exe";
    std::filesystem::copy_file(test::ChildProgram(), python,
                               std::filesystem::copy_options::overwrite_existing);
    { std::ofstream script(folder / "tool.py"); }
    {
        const ChildProcess child(python.wstring(), L"-u -W ignore tool.py --verbose",
                                 folder.wstring());
        ASSERT_NE(child.Pid(), 0U);
        const ProcessInfo seen = Seen(child);
        ASSERT_EQ(seen.pid, child.Pid());
        EXPECT_EQ(FileName(seen.path), "tool.py") << seen.path;
        std::error_code error;
        EXPECT_TRUE(std::filesystem::equivalent(Widen(seen.path), folder / "tool.py", error))
            << seen.path;
        EXPECT_EQ(m_processes.ProcessName(child.Pid()), "tool.py");

        // The kill names it the same way, so it is the script that is ended.
        m_processes.TerminateProcess(seen);
        EXPECT_TRUE(child.Ended(kEndWithin));
        EXPECT_NE(child.ExitCode(), 7U);
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

TEST_F(WindowsProcessesTest, DevicePathsTurnIntoDrivePaths) {
    std::wstring exe(32768, L'\0');
    exe.resize(GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size())));
    ASSERT_GT(exe.size(), 3U);
    ASSERT_EQ(exe[1], L':');
    wchar_t device[1000] = {};
    ASSERT_NE(QueryDosDeviceW(exe.substr(0, 2).c_str(), device, 1000), 0U);
    const std::string drivePath = Narrow(exe);
    const std::string rest = Narrow(exe.substr(2));
    std::string deviceName = Narrow(device);

    EXPECT_EQ(m_processes.DevicePathToDrivePath(deviceName + rest), drivePath) << deviceName;
    std::transform(deviceName.begin(), deviceName.end(), deviceName.begin(),
                   [](char c) { return static_cast<char>(std::toupper(c)); });
    EXPECT_EQ(m_processes.DevicePathToDrivePath(deviceName + rest), drivePath);
    // Paths already in drive form, on no drive, or on a longer device name pass through.
    for (const std::string& unchanged :
         {drivePath, std::string("\\Device\\NoSuchVolume7\\x.exe"), deviceName + "9" + rest}) {
        EXPECT_EQ(m_processes.DevicePathToDrivePath(unchanged), unchanged);
    }
    // The device-form image route of our own process comes back to our own path.
    wchar_t image[32768] = {};
    const DWORD length = GetProcessImageFileNameW(GetCurrentProcess(), image, 32768);
    ASSERT_GT(length, 0U);
    EXPECT_TRUE(std::filesystem::equivalent(
        std::filesystem::path(Widen(m_processes.DevicePathToDrivePath(Narrow(image)))), exe))
        << Narrow(image);
}

} // namespace
} // namespace morvane::platform
