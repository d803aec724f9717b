#pragma once

#include <QString>

namespace morvane {

/// The program's look. The skin file is a Qt style sheet for the whole application; without
/// it the windows keep the plain look.
class Skin {
public:
    /// Applies the skin file to every window; a missing or unreadable file changes nothing.
    /// The password is accepted for the call's sake and unused.
    static void SkinH_AttachEx(const QString& skinFile, const QString& password);
    /// Returns every window to the plain look.
    static void SkinH_Detach();
    /// Whether a skin is applied now.
    [[nodiscard]] static bool IsAttached();
};

} // namespace morvane
