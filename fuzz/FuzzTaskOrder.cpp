// The words of a command line, and the fields another program sends on the bus: read into a
// task, which must then be one the editor could have made.
#include "Require.h"
#include "core/editor/TaskBuilder.h"
#include "core/remote/CommandLine.h"
#include "core/remote/TaskOrder.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using morvane::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Words are separated by NUL, as argv holds them.
    std::vector<std::string> words(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            words.emplace_back();
        } else {
            words.back() += static_cast<char>(data[i]);
        }
    }
    const morvane::DateTime now{2026, 12, 9, 23, 59, 30};
    const morvane::CommandLine line = morvane::ReadCommandLine(words);
    Require(line.kind != morvane::CommandLine::Kind::Bad || !line.why.empty(),
            "a refused command line says why");
    // The same words as the bus's name-value pairs.
    morvane::OrderFields fields;
    for (std::size_t i = 0; i + 1 < words.size(); i += 2) {
        fields.emplace_back(words[i], words[i + 1]);
    }
    const morvane::OrderFields& given = fields;
    for (const morvane::OrderFields* asked : {&line.request.fields, &given}) {
        std::string why;
        const auto order = morvane::ReadTaskOrder(*asked, now, why);
        Require(order.has_value() || !why.empty(), "a refused task says why");
        if (!order) {
            continue;
        }
        const morvane::TaskBuilder::Input in = order->ToInput();
        Require(morvane::TaskBuilder::Check(in) == morvane::TaskBuilder::Refusal::None ||
                    (in.autoType == 0 && !in.emptyTask) ||
                    (in.watchName.empty() && !in.watchId.empty()),
                "an accepted task passes the editor's checks (a close target, and the program "
                "of a watched id, are found later)");
        Require(!morvane::TaskBuilder::AsksAboutPastTime(in, now), "an accepted time is ahead");
    }
    return 0;
}
