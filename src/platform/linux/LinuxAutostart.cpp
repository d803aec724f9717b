#include "platform/linux/LinuxAutostart.h"

#include "platform/linux/DesktopEntry.h"
#include "platform/linux/UniqueFd.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morvane::platform {

namespace {

Result OpeningError(int code) {
    return Result::Error(code, "Error " + std::to_string(code) + " opening key\r\n");
}

Result SettingError(int code) {
    return Result::Error(code, "Error " + std::to_string(code) + " setting key\r\n");
}

// The name becomes a file name: no folders, no hidden or special names.
bool IsUsableName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\n\r") == std::string::npos;
}

bool HasControlCharacters(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            return true;
        }
    }
    return false;
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
        return home;
    }
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

// Creates a missing folder (private, as the XDG folders should be); fails with errno otherwise.
int EnsureFolder(const std::string& folder) {
    if (mkdir(folder.c_str(), 0700) == 0) {
        return 0;
    }
    if (errno != EEXIST) {
        return errno;
    }
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) {
        return errno;
    }
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}

int WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

} // namespace

std::string LinuxAutostart::AutostartFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    const std::string base = (configHome != nullptr && configHome[0] == '/')
                                 ? std::string(configHome)
                                 : HomeFolder() + "/.config";
    return base + "/autostart";
}

std::string LinuxAutostart::ExecArgument(std::string_view path) {
    constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string argument;
    if (path.find_first_of(kReserved) == std::string_view::npos && !path.empty()) {
        argument = path;
    } else {
        argument = "\"";
        for (const char c : path) {
            if (c == '"' || c == '`' || c == '$' || c == '\\') {
                argument += '\\';
            }
            argument += c;
        }
        argument += '"';
    }
    // The value itself is a desktop-entry string (backslash escapes) holding field codes (%).
    std::string value;
    for (const char c : argument) {
        if (c == '\\') {
            value += "\\\\";
        } else if (c == '%') {
            value += "%%";
        } else {
            value += c;
        }
    }
    return value;
}

bool LinuxAutostart::IsAutostartRegistered(const std::string& name) {
    if (!IsUsableName(name)) {
        return false;
    }
    // A desktop may keep the file and switch the entry off with Hidden=true.
    const std::optional<DesktopEntry> entry =
        DesktopEntry::Read(AutostartFolder() + "/" + name + ".desktop");
    return entry && !entry->IsHidden();
}

Result LinuxAutostart::SetAutostart(const std::string& name, const std::string& folder, bool flag) {
    if (!IsUsableName(name)) {
        return OpeningError(EINVAL);
    }
    const std::string autostart = AutostartFolder();
    const std::string file = autostart + "/" + name + ".desktop";
    if (!flag) {
        // No entry is what was asked for; any other failure leaves it there and must say so.
        if (unlink(file.c_str()) != 0 && errno != ENOENT) {
            return SettingError(errno);
        }
        return {};
    }
    if (folder.empty() || folder.front() != '/' || HasControlCharacters(folder) ||
        HasControlCharacters(name)) {
        return SettingError(EINVAL);
    }
    const std::size_t lastSlash = autostart.find_last_of('/');
    if (const int error = EnsureFolder(autostart.substr(0, lastSlash))) {
        return OpeningError(error);
    }
    if (const int error = EnsureFolder(autostart)) {
        return OpeningError(error);
    }
    std::string temporary = autostart + "/." + name + ".desktop.XXXXXX";
    UniqueFd fd(mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd.IsValid()) {
        return OpeningError(errno);
    }
    const std::string program = folder.back() == '/' ? folder + name : folder + "/" + name;
    const std::string text = "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Morvane\n"
                             "Exec=" +
                             ExecArgument(program) +
                             "\n"
                             // The installed icon's name, so autostart settings show ours.
                             "Icon=io.github.morvane.Morvane\n";
    int error = WriteAll(fd.Get(), text);
    if (error == 0 && fchmod(fd.Get(), 0644) != 0) {
        error = errno;
    }
    if (error == 0 && fsync(fd.Get()) != 0) {
        error = errno;
    }
    if (const int closing = fd.Close(); closing != 0 && error == 0) {
        error = closing;
    }
    if (error == 0 && rename(temporary.c_str(), file.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        unlink(temporary.c_str());
        return SettingError(error);
    }
    return {};
}

} // namespace morvane::platform
