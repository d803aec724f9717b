#include "platform/common/ControlWire.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace morvane::platform {
namespace {

// A message made of `items`, each written as the wire writes it.
std::string Message(std::initializer_list<std::string> items) {
    std::string out;
    for (const std::string& item : items) {
        out += std::to_string(item.size()) + ":" + item;
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> ManyFields(std::size_t count) {
    std::vector<std::pair<std::string, std::string>> fields;
    for (std::size_t i = 0; i < count; ++i) {
        fields.emplace_back("f" + std::to_string(i), std::string(ControlWire::kMaxText, 'v'));
    }
    return fields;
}

TEST(ControlWire, RequestsAndRepliesComeBackAsTheyWere) {
    const std::string awkward = "tab\there\nline 12:34 \xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80 \"q\"";
    const ControlRequest requests[] = {
        {ControlVerb::Add, {{"action", "shutdown"}, {"in", "30m"}, {"quit", "true"}}, 0},
        {ControlVerb::Add, {{"run", awkward}, {"", ""}, {"run", "again"}}, 0},
        {ControlVerb::Add, ManyFields(ControlWire::kMaxFields), 0},
        {ControlVerb::List, {}, 0},
        {ControlVerb::Cancel, {}, 18446744073709551615ULL},
        {ControlVerb::CancelAll, {}, 0},
        {ControlVerb::Show, {}, 0},
    };
    for (const ControlRequest& request : requests) {
        const std::optional<std::string> bytes = ControlWire::EncodeRequest(request);
        ASSERT_TRUE(bytes.has_value()) << static_cast<int>(request.verb);
        EXPECT_EQ(ControlWire::DecodeRequest(*bytes), request) << *bytes;
    }

    const ControlReply replies[] = {
        {},
        {"No task has the id 7.", 0, {}},
        {"", 42, {}},
        {"",
         0,
         {{1, "in 29 min", "shut down", "once"}, {18446744073709551615ULL, awkward, "", ""}}},
    };
    for (const ControlReply& reply : replies) {
        EXPECT_EQ(ControlWire::DecodeReply(ControlWire::EncodeReply(reply)), reply);
    }
}

TEST(ControlWire, WhatTheOtherSideWouldRefuseIsNotSent) {
    std::vector<ControlRequest> requests = {
        {ControlVerb::Add, ManyFields(ControlWire::kMaxFields + 1), 0},
        {ControlVerb::Add, {{"run", std::string(ControlWire::kMaxText + 1, 'x')}}, 0},
        {ControlVerb::Add, {{"run\xFF", "x"}}, 0},
    };
    for (const ControlRequest& request : requests) {
        EXPECT_EQ(ControlWire::EncodeRequest(request), std::nullopt) << request.fields.size();
    }
    // A list too long for one message still gets an answer, a refusal that says why.
    ControlReply huge;
    huge.tasks.assign(300, {1, std::string(4000, 'w'), "x", "once"});
    const std::optional<ControlReply> decoded =
        ControlWire::DecodeReply(ControlWire::EncodeReply(huge));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_FALSE(decoded->refusal.empty());
    EXPECT_TRUE(decoded->tasks.empty());
}

TEST(ControlWire, MalformedMessagesAreRefusedWhole) {
    const std::string req = "morvane-request/1";
    const std::string rep = "morvane-reply/1";
    const std::string show = Message({req, "show", "0"});
    const struct {
        bool reply;
        std::string bytes;
    } cases[] = {
        {false, ""},
        {false, Message({req})},
        {false, Message({rep, "show", "0"})},
        {false, Message({"morvane-request/2", "show", "0"})},
        {false, Message({req, "stop", "0"})},
        {false, Message({req, "show", ""})},
        {false, Message({req, "show", "-1"})},
        {false, Message({req, "show", "+1"})},
        {false, Message({req, "show", "01"})},
        {false, Message({req, "show", "1a"})},
        {false, Message({req, "show", "18446744073709551616"})},
        {false, Message({req, "add", "0", "run"})},
        {false, show + "x"},
        {false, show + "1:"},
        {false, show.substr(0, show.size() - 1)},
        {false, "017:" + req + Message({"show", "0"})},
        {false, "17" + req + Message({"show", "0"})},
        {false, "99999999:" + req},
        {false, "18446744073709551633:" + req},
        {false, Message({req, "add", "0", "run", std::string(ControlWire::kMaxText + 1, 'x')})},
        {false, Message({req, "add", "0", "run", "\xC0\xAF"})},         // overlong '/'
        {false, Message({req, "add", "0", "run", "\xED\xA0\x80"})},     // a surrogate
        {false, Message({req, "add", "0", "run", "\xE2\x82"})},         // cut short
        {false, Message({req, "add", "0", "run", "\xF4\x90\x80\x80"})}, // past U+10FFFF
        {false, Message({req, "add", "0", "run", "\x80"})},
        {true, ""},
        {true, Message({rep})},
        {true, Message({req, "", "0"})},
        {true, Message({rep, "", "0", "1", "when", "what"})},
        {true, Message({rep, "", "0", "x", "when", "what", "once"})},
        {true, Message({rep, "", "0"}) + "5:short"},
        {true, Message({rep, std::string(ControlWire::kMaxMessage, 'x'), "0"})},
    };
    for (const auto& c : cases) {
        if (c.reply) {
            EXPECT_EQ(ControlWire::DecodeReply(c.bytes), std::nullopt) << c.bytes;
        } else {
            EXPECT_EQ(ControlWire::DecodeRequest(c.bytes), std::nullopt) << c.bytes;
        }
    }
    // Sixty-four fields are the most; the decoder counts them, not only the encoder.
    std::string tooMany = Message({req, "add", "0"});
    for (std::size_t i = 0; i <= ControlWire::kMaxFields; ++i) {
        tooMany += Message({"n", "v"});
    }
    EXPECT_EQ(ControlWire::DecodeRequest(tooMany), std::nullopt);
}

} // namespace
} // namespace morvane::platform
