#pragma once

#include <string>
#include <vector>

namespace morvane {

/// Something the user must know about Morvane's own state that stays true until it is mended:
/// shown in the window (the status line) for as long as it lasts, not only logged.
struct Alert {
    enum class Kind {
        ListSetAside, ///< A task file had lines Morvane could not read: `subject` is the file,
                      ///< `detail` the name it was kept under.
        NotSaved,     ///< `subject` could not be written: "tasks" (the kept task list),
                      ///< "settings", "preferences" or "history"; `detail` says why. Cleared
                      ///< by the next write of it that succeeds.
        NotAlone,     ///< Another Morvane may be using the same files; `detail` says why.
    };
    Kind kind = Kind::NotSaved;
    std::string subject;
    std::string detail;

    bool operator==(const Alert&) const = default;
};

/// The alerts that hold now, at most one of each kind and subject, oldest first.
class Alerts {
public:
    /// Raises an alert, replacing one of the same kind and subject; true when that changed them.
    bool Raise(Alert alert);
    /// Clears the alert of this kind and subject; true when there was one.
    bool Clear(Alert::Kind kind, const std::string& subject);

    [[nodiscard]] const std::vector<Alert>& All() const { return m_alerts; }

private:
    std::vector<Alert> m_alerts;
};

} // namespace morvane
