#pragma once

#include "platform/TextEncoding.h"

#include <windows.h>

namespace morvane::platform {

/// The program's text files in a Windows code page: the system's ANSI code page unless another
/// is named. What the code page cannot hold is written as "?", never as a look-alike letter.
/// The ANSI code page may be UTF-8 (65001, an option of current Windows), which holds all text.
class WindowsTextEncoding final : public TextEncoding {
public:
    explicit WindowsTextEncoding(UINT codePage = CP_ACP) : m_codePage(codePage) {}

    [[nodiscard]] std::string Decode(std::string_view bytes) const override;
    /// nullopt when WideCharToMultiByte refuses the text (an unknown code page, ...).
    [[nodiscard]] std::optional<std::string> Encode(std::string_view text) const override;

    /// The flags WideCharToMultiByte takes for `codePage` (CP_ACP and CP_OEMCP are looked up):
    /// WC_NO_BEST_FIT_CHARS, except for the code pages Windows allows no flags with (UTF-8,
    /// UTF-7, the symbol and ISO 2022 code pages), where it would fail the whole call with
    /// ERROR_INVALID_FLAGS. UTF-8 holds every character, so it has no look-alikes to refuse.
    [[nodiscard]] static DWORD EncodeFlags(UINT codePage);

private:
    UINT m_codePage;
};

} // namespace morvane::platform
