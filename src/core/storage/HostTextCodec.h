#pragma once

#include "core/storage/TextFile.h"
#include "platform/TextEncoding.h"

#include <optional>
#include <string>
#include <string_view>

namespace morvane {

/// The text files in the host's own encoding, when the back end names one; the portable default
/// otherwise.
class HostTextCodec final : public TextCodec {
public:
    explicit HostTextCodec(const platform::TextEncoding* encoding) : m_encoding(encoding) {}

    [[nodiscard]] std::string Decode(std::string_view bytes) const override {
        return m_encoding != nullptr ? m_encoding->Decode(bytes) : TextCodec::Decode(bytes);
    }
    [[nodiscard]] std::optional<std::string> Encode(std::string_view text) const override {
        return m_encoding != nullptr ? m_encoding->Encode(text) : TextCodec::Encode(text);
    }

private:
    const platform::TextEncoding* m_encoding;
};

} // namespace morvane
