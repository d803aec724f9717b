// morvane.exe's resources, read back from this test program, which links the same object: the
// version Explorer shows, the manifest Windows starts the program with, the icon.
#include "platform/windows/WideText.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace morvane::test {
namespace {

std::wstring OwnPath() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

// The whole version block of a file, as Explorer's Details tab reads it.
std::vector<BYTE> VersionBlock(const std::wstring& file) {
    DWORD ignored = 0;
    std::vector<BYTE> block(GetFileVersionInfoSizeW(file.c_str(), &ignored));
    if (block.empty() || GetFileVersionInfoW(file.c_str(), 0, static_cast<DWORD>(block.size()),
                                             block.data()) == FALSE) {
        return {};
    }
    return block;
}

// A string of the block's first translation: the one Windows shows.
std::string VersionString(std::vector<BYTE>& block, const wchar_t* name) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translation = nullptr;
    UINT size = 0;
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                       reinterpret_cast<void**>(&translation), &size) == FALSE ||
        size < sizeof(Translation)) {
        return "(no translation)";
    }
    std::array<wchar_t, 128> key{};
    std::swprintf(key.data(), key.size(), L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
                  translation->codePage, name);
    wchar_t* value = nullptr;
    if (VerQueryValueW(block.data(), key.data(), reinterpret_cast<void**>(&value), &size) ==
            FALSE ||
        size == 0) {
        return "(missing)";
    }
    return platform::windows::Narrow(std::wstring_view(value, size - 1));
}

TEST(ProgramResources, VersionInformationIsTheProjectsVersion) {
    std::vector<BYTE> block = VersionBlock(OwnPath());
    ASSERT_FALSE(block.empty()) << platform::windows::SystemMessage(GetLastError());
    EXPECT_EQ(VersionString(block, L"FileVersion"), MORVANE_VERSION);
    EXPECT_EQ(VersionString(block, L"ProductVersion"), MORVANE_VERSION);
    EXPECT_EQ(VersionString(block, L"ProductName"), "Morvane");

    // The numbers Windows compares (an installer, Explorer's sort) say the same as the text.
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    ASSERT_EQ(fixed->dwSignature, VS_FFI_SIGNATURE);
    for (const auto& [ms, ls] : {std::pair{fixed->dwFileVersionMS, fixed->dwFileVersionLS},
                                 std::pair{fixed->dwProductVersionMS, fixed->dwProductVersionLS}}) {
        const std::string numbers = std::to_string(HIWORD(ms)) + "." + std::to_string(LOWORD(ms)) +
                                    "." + std::to_string(HIWORD(ls));
        EXPECT_EQ(numbers, MORVANE_VERSION);
        EXPECT_EQ(LOWORD(ls), 0);
    }
}

std::string ManifestText() {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    if (found == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(nullptr, found);
    const auto* bytes = static_cast<const char*>(LockResource(loaded));
    return bytes == nullptr ? std::string() : std::string(bytes, SizeofResource(nullptr, found));
}

TEST(ProgramResources, TheManifestAsksForLongPathsAndNoCodePage) {
    const std::string manifest = ManifestText();
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST 1";
    EXPECT_NE(manifest.find("<longPathAware"), std::string::npos);
    EXPECT_NE(manifest.find(">true</longPathAware>"), std::string::npos);
    // The files are in the system's code page; a UTF-8 one would change how they are read.
    EXPECT_EQ(manifest.find("activeCodePage"), std::string::npos);
}

TEST(ProgramResources, TheProcessStartsPerMonitorAware) {
    // Read by the loader, not by us: per-monitor awareness means Windows took the manifest.
    using GetContext = HANDLE(WINAPI*)();
    using GetAwareness = int(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto getContext = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
    const auto getAwareness = reinterpret_cast<GetAwareness>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (getContext == nullptr || getAwareness == nullptr) {
        GTEST_SKIP() << "no per-monitor awareness on this system";
    }
    constexpr int kPerMonitorAware = 2;
    EXPECT_EQ(getAwareness(getContext()), kPerMonitorAware);
}

TEST(ProgramResources, TheIconLoadsAtTheSizesExplorerAsksFor) {
    for (const int side : {16, 24, 32, 48, 256}) {
        HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, side,
                                 side, LR_DEFAULTCOLOR);
        ASSERT_NE(icon, nullptr) << side << ": "
                                 << platform::windows::SystemMessage(GetLastError());
        DestroyIcon(static_cast<HICON>(icon));
    }
}

} // namespace
} // namespace morvane::test
