#pragma once

#include "platform/Control.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::platform {

/// Control requests and replies as bytes, for channels that carry bytes (a named pipe).
///
/// A message is a sequence of items, each its length in decimal digits, ':' and that many bytes
/// of UTF-8 text, so any character (TAB, line breaks) survives. The first item names the kind
/// and its version. A request is "morvane-request/1", the verb, the id, then a name and a value
/// per field; a reply is "morvane-reply/1", the refusal, the id, then id, when, what and loop
/// per task. Numbers are decimal, without sign or leading zeros.
///
/// Decoding is strict: anything malformed, over a bound or not UTF-8 is nullopt, never read
/// past the end of the bytes given.
class ControlWire final {
public:
    ControlWire() = delete;

    /// Bounds of one message, so another process cannot make us hold more.
    static constexpr std::size_t kMaxMessage = std::size_t{1} << 20U;
    /// Bounds of a request: name-value fields, and bytes in each of its texts.
    static constexpr std::size_t kMaxFields = 64;
    static constexpr std::size_t kMaxText = 4096;

    /// nullopt when `request` is over the bounds DecodeRequest accepts.
    [[nodiscard]] static std::optional<std::string> EncodeRequest(const ControlRequest& request);
    [[nodiscard]] static std::optional<ControlRequest> DecodeRequest(std::string_view bytes);

    /// A reply too long for one message goes as a refusal that says so.
    [[nodiscard]] static std::string EncodeReply(const ControlReply& reply);
    [[nodiscard]] static std::optional<ControlReply> DecodeReply(std::string_view bytes);
};

} // namespace morvane::platform
