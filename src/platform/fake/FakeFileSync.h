#pragma once

#include "platform/FileSync.h"
#include "types/PathText.h"

#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace morvane::platform {

/// Records every sync with what the path held at that moment (a file's bytes; a folder holds
/// none), and every replacement (done with a plain rename); paths listed in `failing` report
/// failure when synced. `onSync` lets a test put syncs in line
/// with other fakes' records.
class FakeFileSync final : public FileSync {
public:
    struct Sync {
        std::filesystem::path path;
        bool folder = false;
        std::string content;
    };

    Result SyncToDisk(const std::filesystem::path& path) override {
        std::error_code ec;
        Sync sync{path, std::filesystem::is_directory(path, ec), {}};
        if (!sync.folder) {
            std::ifstream in(path, std::ios::binary);
            sync.content.assign(std::istreambuf_iterator<char>(in), {});
        }
        synced.push_back(std::move(sync));
        if (onSync) {
            onSync(path);
        }
        for (const auto& f : failing) {
            if (f == path) {
                return Result::Error(5, "cannot sync " + Utf8FromPath(path));
            }
        }
        return {};
    }

    Result Replace(const std::filesystem::path& from, const std::filesystem::path& to) override {
        std::error_code ec;
        std::filesystem::rename(from, to, ec);
        replaced.emplace_back(from, to);
        return ec ? Result::Error(ec.value(), ec.message()) : Result();
    }

    std::vector<Sync> synced;
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> replaced;
    std::vector<std::filesystem::path> failing;
    std::function<void(const std::filesystem::path&)> onSync;
};

} // namespace morvane::platform
