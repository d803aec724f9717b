#include "platform/windows/WindowsAutostart.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WinHandle.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace morvane::platform {
namespace {

// Each test works in a key of its own under the current user, never in the real Run key.
class WindowsAutostartTest : public ::testing::Test {
protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, kBase); }

    // The value's type and data as the registry holds them, the byte count included.
    struct Value {
        DWORD type = 0;
        DWORD bytes = 0;
        std::wstring data;
    };
    std::optional<Value> Read(const std::wstring& name) const {
        Value value;
        std::wstring buffer(1024, L'\0');
        value.bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        if (RegGetValueW(HKEY_CURRENT_USER, m_key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                         &value.type, buffer.data(), &value.bytes) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        value.data = buffer.c_str();
        return value;
    }

    static constexpr const wchar_t* kBase = L"Software\\MorvaneTests";
    std::wstring m_key = std::wstring(kBase) + L"\\Run" + std::to_wstring(GetCurrentProcessId());
    std::wstring m_approved =
        std::wstring(kBase) + L"\\Approved" + std::to_wstring(GetCurrentProcessId());
    WindowsAutostart m_autostart{HKEY_CURRENT_USER, m_key, m_approved};
};

TEST_F(WindowsAutostartTest, RegisteringWritesTheProgramsPathAndRemovingTakesItAway) {
    EXPECT_FALSE(m_autostart.IsAutostartRegistered("tool")) << "no key yet reads as not registered";
    ASSERT_TRUE(m_autostart.SetAutostart("tool", "D:\\Apps", true).Ok());
    EXPECT_TRUE(m_autostart.IsAutostartRegistered("tool"));
    const std::optional<Value> value = Read(L"tool");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value->data, L"D:\\Apps\\tool.exe");
    EXPECT_EQ(value->bytes, (value->data.size() + 1) * sizeof(wchar_t)) << "the NUL counts";

    // Qt's folder form (forward slashes), a blank in the path and a name beyond ASCII.
    ASSERT_TRUE(m_autostart.SetAutostart("zadanie-żółw", "C:/Program Files/Morvane/", true).Ok());
    EXPECT_TRUE(m_autostart.IsAutostartRegistered("zadanie-żółw"));
    EXPECT_EQ(Read(windows::Widen("zadanie-żółw"))->data,
              windows::Widen("\"C:\\Program Files\\Morvane\\zadanie-żółw.exe\""));

    ASSERT_TRUE(m_autostart.SetAutostart("tool", "D:\\Apps", false).Ok());
    EXPECT_FALSE(m_autostart.IsAutostartRegistered("tool"));
    EXPECT_FALSE(Read(L"tool"));
    EXPECT_TRUE(m_autostart.SetAutostart("tool", "D:\\Apps", false).Ok()) << "already gone";
    EXPECT_TRUE(m_autostart.IsAutostartRegistered("zadanie-żółw")) << "the other one stays";

    // The key's default value is no registration.
    EXPECT_FALSE(m_autostart.IsAutostartRegistered(""));
    EXPECT_EQ(m_autostart.SetAutostart("", "D:\\Apps", true).Message(), "Error 87 opening key\r\n");
}

TEST_F(WindowsAutostartTest, AnEntryTurnedOffInTheTaskManagerIsOffAndTurningItOnClearsThat) {
    ASSERT_TRUE(m_autostart.SetAutostart("tool", "D:\\Apps", true).Ok());
    const struct {
        std::vector<BYTE> approval; // empty: no value
        bool on;
    } cases[] = {
        {{}, true},
        {{0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, true},
        {{0x06, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, true},
        {{0x03, 0, 0, 0, 0x10, 0x2A, 0x51, 0x6C, 0x3E, 0xD9, 0xD8, 0x01}, false},
        {{0x07, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, false},
        {{0x00}, false},
    };
    for (const auto& c : cases) {
        RegDeleteKeyValueW(HKEY_CURRENT_USER, m_approved.c_str(), L"tool");
        if (!c.approval.empty()) {
            ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, m_approved.c_str(), L"tool", REG_BINARY,
                                      c.approval.data(), static_cast<DWORD>(c.approval.size())),
                      ERROR_SUCCESS);
        }
        EXPECT_EQ(m_autostart.IsAutostartRegistered("tool"), c.on)
            << (c.approval.empty() ? -1 : c.approval[0]);
    }

    // Turned on again from here: the mark goes, so the logon starts it as well.
    ASSERT_TRUE(m_autostart.SetAutostart("tool", "D:\\Apps", true).Ok());
    EXPECT_TRUE(m_autostart.IsAutostartRegistered("tool"));
    EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, m_approved.c_str(), L"tool", RRF_RT_ANY, nullptr,
                           nullptr, nullptr),
              ERROR_SUCCESS);
}

TEST_F(WindowsAutostartTest, AKeyThatCannotBeOpenedOrAValueThatCannotBeSetSaysSo) {
    // Wine does not enforce a key's access list, so the key that cannot be opened hangs from a
    // root that is no key at all: an event of ours.
    const windows::UniqueHandle notAKey(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(notAKey);
    WindowsAutostart locked(static_cast<HKEY>(notAKey.get()), L"Run");
    const Result opening = locked.SetAutostart("tool", "D:\\Apps", true);
    EXPECT_FALSE(opening.Ok());
    EXPECT_EQ(opening.Code(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(opening.Message(), "Error 6 opening key\r\n");
    EXPECT_FALSE(locked.IsAutostartRegistered("tool"));

    // A value name longer than the registry allows is refused once the key is open.
    const Result setting = m_autostart.SetAutostart(std::string(20000, 'x'), "D:\\Apps", true);
    EXPECT_FALSE(setting.Ok());
    EXPECT_NE(setting.Code(), 0);
    EXPECT_EQ(setting.Message(), "Error " + std::to_string(setting.Code()) + " setting key\r\n");
}

} // namespace
} // namespace morvane::platform
