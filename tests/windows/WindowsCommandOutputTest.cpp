#include "platform/windows/WindowsCommandOutput.h"
#include "platform/windows/WinHandle.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace morvane::platform {
namespace {

// A pipe standing in for a redirected stream or a console; what reached it is read after the
// writer is closed.
struct Pipe {
    windows::UniqueHandle read;
    windows::UniqueHandle write;
    Pipe() {
        HANDLE r = nullptr;
        HANDLE w = nullptr;
        EXPECT_TRUE(CreatePipe(&r, &w, nullptr, 1 << 16));
        read.reset(r);
        write.reset(w);
    }
    std::string Drain() {
        write.reset();
        std::string text;
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(read.get(), buffer, sizeof(buffer), &got, nullptr) != FALSE && got > 0) {
            text.append(buffer, got);
        }
        return text;
    }
};

// Sets standard output and error for one test and puts the real ones back.
class StandardHandles {
public:
    StandardHandles(HANDLE out, HANDLE err)
        : m_out(GetStdHandle(STD_OUTPUT_HANDLE)), m_err(GetStdHandle(STD_ERROR_HANDLE)) {
        SetStdHandle(STD_OUTPUT_HANDLE, out);
        SetStdHandle(STD_ERROR_HANDLE, err);
    }
    ~StandardHandles() {
        SetStdHandle(STD_OUTPUT_HANDLE, m_out);
        SetStdHandle(STD_ERROR_HANDLE, m_err);
    }
    StandardHandles(const StandardHandles&) = delete;
    StandardHandles& operator=(const StandardHandles&) = delete;

private:
    HANDLE m_out;
    HANDLE m_err;
};

struct Box {
    std::wstring text;
    bool error = false;
};

TEST(WindowsCommandOutput, EachStreamGoesWhereItLeadsAndTheRestIntoOneBox) {
    struct Case {
        const char* what;
        bool outRedirected;
        bool errRedirected;
        bool console;
        std::string out;
        std::string err;
        std::string redirected; // what the redirected streams received, output first
        std::string atConsole;
        std::optional<std::wstring> box;
        bool boxError;
    };
    const std::vector<Case> cases = {
        {"help from Explorer", false, false, false, "Usage: morvane\n  --help\n", "", "", "",
         L"Usage: morvane\n  --help", false},
        {"a bad option from a shortcut", false, false, false, "",
         "morvane: unknown option --x (see morvane --help)\n", "", "",
         L"morvane: unknown option --x (see morvane --help)", true},
        {"a list and an error together: one error box", false, false, false, "1\tnow\n",
         "morvane: oops\n", "", "", L"1\tnow\nmorvane: oops", true},
        {"names beyond ASCII reach the box whole", false, false, false, "Zażółć Ω\n", "", "", "",
         L"Za\u017c\u00f3\u0142\u0107 \u03a9", false},
        {"redirected to a file, with Windows line ends", true, true, false, "1\n2\n",
         "morvane: late\n", "1\r\n2\r\nmorvane: late\r\n", "", std::nullopt, false},
        {"output redirected, the error to the prompt's console", true, false, true, "3\n",
         "morvane: refused\n", "3\r\n", "morvane: refused\r\n", std::nullopt, false},
        {"typed at a prompt", false, false, true, "morvane 1\n", "", "", "morvane 1\r\n",
         std::nullopt, false},
        {"nothing to say: no box", false, false, false, "", "", "", "", std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Pipe redirected;
        Pipe console;
        std::vector<Box> boxes;
        bool delivered = false;
        {
            const StandardHandles handles(c.outRedirected ? redirected.write.get() : nullptr,
                                          c.errRedirected ? redirected.write.get() : nullptr);
            // The output owns the console it opens; a duplicate keeps the pipe's own end ours.
            WindowsCommandOutput output(
                [&]() -> HANDLE {
                    HANDLE copy = INVALID_HANDLE_VALUE;
                    if (c.console) {
                        DuplicateHandle(GetCurrentProcess(), console.write.get(),
                                        GetCurrentProcess(), &copy, 0, FALSE,
                                        DUPLICATE_SAME_ACCESS);
                    }
                    return copy;
                },
                [&](const std::wstring& text, bool error) {
                    boxes.push_back({text, error});
                });
            output.Out() << c.out;
            output.Err() << c.err;
            delivered = output.Finish();
        }
        EXPECT_TRUE(delivered);
        EXPECT_EQ(redirected.Drain(), c.redirected);
        EXPECT_EQ(console.Drain(), c.atConsole);
        ASSERT_EQ(boxes.size(), c.box ? 1U : 0U);
        if (c.box) {
            EXPECT_EQ(boxes[0].text, *c.box);
            EXPECT_EQ(boxes[0].error, c.boxError);
        }
    }
}

TEST(WindowsCommandOutput, AClosedPipeIsAFailure) {
    Pipe pipe;
    pipe.read.reset();
    const StandardHandles handles(pipe.write.get(), nullptr);
    WindowsCommandOutput output([] { return INVALID_HANDLE_VALUE; },
                                [](const std::wstring&, bool) {});
    output.Out() << "1\n";
    EXPECT_FALSE(output.Finish());
}

} // namespace
} // namespace morvane::platform
