#include "platform/common/ControlWire.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <utility>

namespace morvane::platform {

namespace {

constexpr std::string_view kRequestTag = "morvane-request/1";
constexpr std::string_view kReplyTag = "morvane-reply/1";
constexpr std::string_view kTooLong = "The answer is too long to send.";

constexpr std::array<std::pair<ControlVerb, std::string_view>, 5> kVerbs{{
    {ControlVerb::Add, "add"},
    {ControlVerb::List, "list"},
    {ControlVerb::Cancel, "cancel"},
    {ControlVerb::CancelAll, "cancel-all"},
    {ControlVerb::Show, "show"},
}};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        unsigned char low = 0x80U; // bounds of the second byte, where the lead narrows them
        unsigned char high = 0xBFU;
        if (lead < 0x80U) {
            ++i;
            continue;
        }
        if (lead >= 0xC2U && lead <= 0xDFU) {
            extra = 1;
        } else if (lead >= 0xE0U && lead <= 0xEFU) {
            extra = 2;
            low = lead == 0xE0U ? 0xA0U : low;
            high = lead == 0xEDU ? 0x9FU : high;
        } else if (lead >= 0xF0U && lead <= 0xF4U) {
            extra = 3;
            low = lead == 0xF0U ? 0x90U : low;
            high = lead == 0xF4U ? 0x8FU : high;
        } else {
            return false;
        }
        if (text.size() - i <= extra) {
            return false;
        }
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if (next < (k == 1 ? low : 0x80U) || next > (k == 1 ? high : 0xBFU)) {
                return false;
            }
        }
        i += extra + 1;
    }
    return true;
}

void Put(std::string& out, std::string_view item) {
    out += std::to_string(item.size());
    out += ':';
    out += item;
}

void Put(std::string& out, std::uint64_t number) {
    Put(out, std::to_string(number));
}

// Reads the items of a message from the front; every call checks before it reads.
class Items {
public:
    explicit Items(std::string_view bytes) : m_rest(bytes) {}

    [[nodiscard]] bool AtEnd() const { return m_rest.empty(); }

    /// The next item, at most `limit` bytes of UTF-8; nullopt when malformed or longer.
    std::optional<std::string_view> Text(std::size_t limit) {
        // A length has at most as many digits as the largest message.
        constexpr std::size_t kMaxDigits = 7;
        std::size_t digits = 0;
        std::size_t length = 0;
        while (digits < m_rest.size() && digits <= kMaxDigits && IsDigit(m_rest[digits])) {
            length = length * 10 + static_cast<std::size_t>(m_rest[digits] - '0');
            ++digits;
        }
        if (digits == 0 || digits > kMaxDigits || (digits > 1 && m_rest[0] == '0') ||
            digits == m_rest.size() || m_rest[digits] != ':') {
            return std::nullopt;
        }
        m_rest.remove_prefix(digits + 1);
        if (length > m_rest.size() || length > limit) {
            return std::nullopt;
        }
        const std::string_view item = m_rest.substr(0, length);
        m_rest.remove_prefix(length);
        if (!IsUtf8(item)) {
            return std::nullopt;
        }
        return item;
    }

    /// The next item as an unsigned 64-bit number.
    std::optional<std::uint64_t> Number() {
        const std::optional<std::string_view> text = Text(20);
        if (!text || text->empty() || (text->size() > 1 && text->front() == '0')) {
            return std::nullopt;
        }
        std::uint64_t value = 0;
        for (const char c : *text) {
            if (!IsDigit(c)) {
                return std::nullopt;
            }
            const auto digit = static_cast<std::uint64_t>(c - '0');
            if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10) {
                return std::nullopt;
            }
            value = value * 10 + digit;
        }
        return value;
    }

private:
    std::string_view m_rest;
};

} // namespace

std::optional<std::string> ControlWire::EncodeRequest(const ControlRequest& request) {
    if (request.fields.size() > kMaxFields) {
        return std::nullopt;
    }
    std::string out;
    Put(out, kRequestTag);
    for (const auto& [verb, name] : kVerbs) {
        if (verb == request.verb) {
            Put(out, name);
        }
    }
    Put(out, request.id);
    for (const auto& [name, value] : request.fields) {
        for (const std::string_view text : {std::string_view(name), std::string_view(value)}) {
            if (text.size() > kMaxText || !IsUtf8(text)) {
                return std::nullopt;
            }
            Put(out, text);
        }
    }
    return out;
}

std::optional<ControlRequest> ControlWire::DecodeRequest(std::string_view bytes) {
    if (bytes.size() > kMaxMessage) {
        return std::nullopt;
    }
    Items items(bytes);
    if (items.Text(kMaxText) != kRequestTag) {
        return std::nullopt;
    }
    ControlRequest request;
    const std::optional<std::string_view> verbName = items.Text(kMaxText);
    const auto* verb = std::find_if(kVerbs.begin(), kVerbs.end(),
                                    [&](const auto& known) { return known.second == verbName; });
    const std::optional<std::uint64_t> id = items.Number();
    if (verb == kVerbs.end() || !id) {
        return std::nullopt;
    }
    request.verb = verb->first;
    request.id = *id;
    while (!items.AtEnd()) {
        const std::optional<std::string_view> name = items.Text(kMaxText);
        const std::optional<std::string_view> value = items.Text(kMaxText);
        if (!name || !value || request.fields.size() == kMaxFields) {
            return std::nullopt;
        }
        request.fields.emplace_back(*name, *value);
    }
    return request;
}

std::string ControlWire::EncodeReply(const ControlReply& reply) {
    std::string out;
    Put(out, kReplyTag);
    Put(out, reply.refusal);
    Put(out, reply.id);
    for (const ControlTask& task : reply.tasks) {
        Put(out, task.id);
        Put(out, task.when);
        Put(out, task.what);
        Put(out, task.loop);
    }
    if (out.size() > kMaxMessage) {
        out.clear();
        Put(out, kReplyTag);
        Put(out, kTooLong);
        Put(out, 0);
    }
    return out;
}

std::optional<ControlReply> ControlWire::DecodeReply(std::string_view bytes) {
    if (bytes.size() > kMaxMessage) {
        return std::nullopt;
    }
    Items items(bytes);
    if (items.Text(kMaxMessage) != kReplyTag) {
        return std::nullopt;
    }
    ControlReply reply;
    const std::optional<std::string_view> refusal = items.Text(kMaxMessage);
    const std::optional<std::uint64_t> id = items.Number();
    if (!refusal || !id) {
        return std::nullopt;
    }
    reply.refusal = *refusal;
    reply.id = *id;
    while (!items.AtEnd()) {
        const std::optional<std::uint64_t> taskId = items.Number();
        const std::optional<std::string_view> when = items.Text(kMaxMessage);
        const std::optional<std::string_view> what = items.Text(kMaxMessage);
        const std::optional<std::string_view> loop = items.Text(kMaxMessage);
        if (!taskId || !when || !what || !loop) {
            return std::nullopt;
        }
        reply.tasks.push_back(
            {*taskId, std::string(*when), std::string(*what), std::string(*loop)});
    }
    return reply;
}

} // namespace morvane::platform
