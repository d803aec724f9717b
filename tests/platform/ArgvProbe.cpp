// Started by the launcher tests: records how it was started into the file named by its first
// argument, then ends. Written to a temporary name and renamed, so a reader never sees half.
#include <cstdio>
#include <dirent.h>
#include <string>
#include <unistd.h>

namespace {

std::string LinkOf(const char* path) {
    char target[4096];
    const ssize_t n = readlink(path, target, sizeof target - 1);
    return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string("?");
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return 2;
    }
    // Descriptors beyond the standard three, before this program opens any of its own.
    std::string extraFds;
    if (DIR* fds = opendir("/proc/self/fd")) {
        const int own = dirfd(fds);
        while (const dirent* entry = readdir(fds)) {
            const std::string name = entry->d_name;
            if (name != "." && name != ".." && std::stoi(name) > 2 && std::stoi(name) != own) {
                extraFds += name + " ";
            }
        }
        closedir(fds);
    }
    const std::string marker = argv[1];
    const std::string temporary = marker + ".part";
    std::FILE* out = std::fopen(temporary.c_str(), "w");
    if (out == nullptr) {
        return 3;
    }
    for (int i = 2; i < argc; ++i) {
        std::fprintf(out, "arg=%s\n", argv[i]);
    }
    std::fprintf(out, "pid=%d\nppid=%d\nsid=%d\n", static_cast<int>(getpid()),
                 static_cast<int>(getppid()), static_cast<int>(getsid(0)));
    std::fprintf(out, "stdin=%s\nstdout=%s\nfds=%s\n", LinkOf("/proc/self/fd/0").c_str(),
                 LinkOf("/proc/self/fd/1").c_str(), extraFds.c_str());
    std::fclose(out);
    return std::rename(temporary.c_str(), marker.c_str()) == 0 ? 0 : 4;
}
