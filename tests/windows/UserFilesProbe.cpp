// The program's own files, kept as main() keeps them, for WindowsUserFilesTest. The test copies
// this program into a folder whose name the ANSI code page cannot hold and starts it with APPDATA
// naming another such folder:
//   UserFilesProbe save KEY TASKFILE PATH   starts as the program starts, picks French, turns on
//                                           Autoload and start at logon (the Run value lives in
//                                           HKCU\KEY), adds a run task of PATH, saves the list
//                                           as TASKFILE and ends as the program ends;
//   UserFilesProbe load KEY TASKFILE REPORT starts as the program starts, loads TASKFILE.mtf and
//                                           writes what it found to REPORT, one NAME=VALUE line
//                                           each, in UTF-8.
// Only the machine's own services are fakes; the folders, the files, their code page and the
// registry are the real ones.
#include "core/Engine.h"
#include "core/storage/AppPaths.h"
#include "core/storage/HostTextCodec.h"
#include "platform/PlatformServices.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeIdleSource.h"
#include "platform/fake/FakeLauncher.h"
#include "platform/fake/FakePower.h"
#include "platform/fake/FakeProcesses.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WindowsAutostart.h"
#include "platform/windows/WindowsFileSync.h"
#include "platform/windows/WindowsTextEncoding.h"
#include "types/PathText.h"

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace morvane;
using platform::windows::Narrow;

namespace {

std::wstring OwnPath() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

// The engine over the machine's files, as main() builds it; `key` holds the Run value.
struct Program {
    explicit Program(const std::wstring& key) : autostart(HKEY_CURRENT_USER, key) {
        // As Qt hands them to main(): the executable's folder and name as UTF-8 text.
        const std::string executable = Narrow(OwnPath());
        const std::string::size_type slash = executable.find_last_of('\\');
        paths.programFolder = PathFromUtf8(executable.substr(0, slash));
        paths.executableName = Narrow(PathFromUtf8(executable).stem().native());
        paths.appDataFolder = DefaultAppDataFolder(*platform::CreateUserFolders());
        Engine::Services services{clock, power,     processes,           launcher,
                                  idle,  autostart, DateOrder::DayFirst, codec};
        services.fileSync = &fileSync;
        services.log = [](const std::string& line) {
            std::fprintf(stderr, "%s\n", line.c_str());
        };
        engine = std::make_unique<Engine>(services, paths);
        // The main window's start-up.
        engine->ResetIdle();
        engine->ChooseStartupLanguage();
        engine->ClearStartupMarks();
        engine->LoadSettingsAndTasks();
    }

    AppPaths paths;
    platform::FakeClock clock;
    platform::FakePower power;
    platform::FakeProcesses processes{GetCurrentProcessId()};
    platform::FakeLauncher launcher;
    platform::FakeIdleSource idle;
    platform::WindowsAutostart autostart;
    platform::WindowsFileSync fileSync;
    platform::WindowsTextEncoding ansi;
    HostTextCodec codec{&ansi};
    std::unique_ptr<Engine> engine;
};

int Save(const std::wstring& key, const std::wstring& taskFile, const std::wstring& program) {
    Program p(key);
    Engine& engine = *p.engine;
    engine.SelectLanguage(Mark::French);
    engine.ToggleMark(Mark::Autoload);
    engine.ToggleAutostart();
    const std::string path = Narrow(program);
    const std::string name = Narrow(std::filesystem::path(program).filename().native());
    engine.AddTask(
        Task{name, path, "None", "2027/01/05 09:05:00", "Every Day", "Run - Normal", ""});
    const WriteResult saved = engine.SaveTasks(PathFromUtf8(Narrow(taskFile)));
    engine.UnloadSequence();
    if (!saved.Ok()) {
        std::fprintf(stderr, "save: %s\n", saved.error.c_str());
        return 3;
    }
    return 0;
}

int Load(const std::wstring& key, const std::wstring& taskFile, const std::wstring& report) {
    Program p(key);
    Engine& engine = *p.engine;
    const Options& marks = engine.Marks();
    std::vector<std::string> lines;
    lines.push_back("appData=" + Utf8FromPath(p.paths.appDataFolder));
    lines.push_back("french=" + std::to_string(int{marks.IsChecked(Mark::French)}));
    lines.push_back("caption=" + engine.Language().Text(0));
    lines.push_back("autoload=" + std::to_string(int{marks.IsChecked(Mark::Autoload)}));
    lines.push_back("autostart=" + std::to_string(int{marks.IsChecked(Mark::Autostart)}));
    lines.push_back("kept=" + std::to_string(engine.Tasks().Count()));
    if (engine.Tasks().Count() > 0) {
        lines.push_back("keptPath=" + engine.Tasks().At(1).path);
    }
    const TaskFileCount count = engine.LoadTasks(PathFromUtf8(Narrow(taskFile + L".mtf")));
    lines.push_back("loaded=" + std::to_string(count.added));
    if (engine.Tasks().Count() > 1) {
        lines.push_back("loadedPath=" + engine.Tasks().At(2).path);
    }
    std::ofstream out(std::filesystem::path(report), std::ios::binary);
    for (const std::string& line : lines) {
        out << line << '\n';
    }
    return out ? 0 : 4;
}

} // namespace

// Its folders come as arguments, read as the program reads its own: beyond the ANSI code page.
int main(int argc, char* argv[]) {
    std::vector<std::wstring> args;
    for (const std::string& argument : platform::CommandArguments(argc, argv)) {
        args.push_back(platform::windows::Widen(argument));
    }
    if (args.size() == 4 && args[0] == L"save") {
        return Save(args[1], args[2], args[3]);
    }
    if (args.size() == 4 && args[0] == L"load") {
        return Load(args[1], args[2], args[3]);
    }
    return 1;
}
