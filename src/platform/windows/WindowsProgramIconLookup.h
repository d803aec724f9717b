#pragma once

#include "platform/ProgramIconLookup.h"

namespace morvane::platform {

/// Program icons on Windows: a program carries its icon in its own executable, so the icon file
/// is the executable itself (Qt reads it through QFileIconProvider). Windows has no icon themes.
class WindowsProgramIconLookup final : public ProgramIconLookup {
public:
    /// The executable's path when it names an existing file; empty otherwise.
    [[nodiscard]] std::string IconFor(const ProgramIdentity& program) override;
};

} // namespace morvane::platform
