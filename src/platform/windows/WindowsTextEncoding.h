#pragma once

#include "platform/TextEncoding.h"

#include <windows.h>

namespace morvane::platform {

/// The program's text files in a Windows code page: the system's ANSI code page unless another
/// is named. What the code page cannot hold is written as "?", never as a look-alike letter.
class WindowsTextEncoding final : public TextEncoding {
public:
    explicit WindowsTextEncoding(UINT codePage = CP_ACP) : m_codePage(codePage) {}

    [[nodiscard]] std::string Decode(std::string_view bytes) const override;
    [[nodiscard]] std::string Encode(std::string_view text) const override;

private:
    UINT m_codePage;
};

} // namespace morvane::platform
