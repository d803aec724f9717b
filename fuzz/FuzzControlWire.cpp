// A request or an answer as another process sends it over the Windows pipe: decoded strictly,
// and what decodes is written back to the same bytes' meaning.
#include "Require.h"
#include "platform/common/ControlWire.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using morvane::fuzz::Require;
using morvane::platform::ControlWire;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const auto request = ControlWire::DecodeRequest(bytes)) {
        const auto again = ControlWire::EncodeRequest(*request);
        Require(again.has_value(), "a request that was read can be written");
        Require(ControlWire::DecodeRequest(*again) == request, "a request survives a round trip");
    }
    if (const auto reply = ControlWire::DecodeReply(bytes)) {
        Require(ControlWire::DecodeReply(ControlWire::EncodeReply(*reply)) == reply,
                "an answer survives a round trip");
    }
    return 0;
}
