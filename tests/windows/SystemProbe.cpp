// A small program of ours that the system-services tests start:
//   SystemProbe instance NAME           exits 0 when it takes the single-instance lock NAME,
//                                       3 when another process holds it;
//   SystemProbe args FILE EVENT ARGS... writes ARGS to FILE, one per line in UTF-8, then sets
//                                       the named event.
#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"
#include "platform/windows/WindowsSingleInstance.h"

#include <windows.h>

#include <shellapi.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace morvane::platform;

int main() {
    int count = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> argv(
        CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    const std::vector<std::wstring> args(argv.get(), argv.get() + count);
    if (count == 3 && args[1] == L"instance") {
        WindowsSingleInstance instance(args[2]);
        return instance.TryAcquire() ? 0 : 3;
    }
    if (count >= 4 && args[1] == L"args") {
        {
            std::ofstream out(std::filesystem::path(args[2]), std::ios::binary);
            for (std::size_t i = 4; i < args.size(); ++i) {
                out << windows::Narrow(args[i]) << '\n';
            }
        }
        const windows::UniqueHandle event(OpenEventW(EVENT_MODIFY_STATE, FALSE, args[3].c_str()));
        return event && SetEvent(event.get()) != FALSE ? 0 : 2;
    }
    return 1;
}
