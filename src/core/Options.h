#pragma once

#include <array>
#include <functional>
#include <vector>

namespace morvane {

/// Every on/off option Morvane has. The menus show these marks; nothing else stores them.
/// The first eight are the settings file's lines, in its order; Suspend and Lock came later and
/// are kept in the preferences file, so the settings file stays as older versions read it.
enum class Mark {
    Autoload,  // menuAutoload
    Autostart, // menuAutostart
    Shut,      // menuShut
    Reboot,    // menuReboot
    Logoff,    // menuLogoff
    Hibernate, // menuHibernet
    Screen,    // menuScreen
    Quit,      // menuQuit
    English,   // menuEn
    French,    // menuFr
    Polish,    // menuPolish
    Suspend,   // menuSuspend
    Lock,      // menuLock
};

inline constexpr int kMarkCount = 13;
/// The eight marks stored in the settings file, in line order.
inline constexpr std::array<Mark, 8> kSettingsMarks = {
    Mark::Autoload, Mark::Autostart, Mark::Shut,   Mark::Reboot,
    Mark::Logoff,   Mark::Hibernate, Mark::Screen, Mark::Quit};
/// The seven mutually exclusive after-all-tasks power marks.
inline constexpr std::array<Mark, 7> kPowerMarks = {Mark::Shut,      Mark::Reboot, Mark::Logoff,
                                                    Mark::Hibernate, Mark::Screen, Mark::Suspend,
                                                    Mark::Lock};

/// The check marks of the main window's menus: the single source of truth for every option.
class Options {
public:
    using Listener = std::function<void(Mark, bool checked)>;

    Options();
    Options(const Options&) = delete;
    Options& operator=(const Options&) = delete;

    [[nodiscard]] bool IsChecked(Mark mark) const { return m_checked[Index(mark)]; }
    /// Sets one mark; listeners hear only real changes.
    void SetChecked(Mark mark, bool checked);

    /// A click on one of the power items: the others are cleared, then this one is inverted,
    /// so a second click leaves no power action chosen. Quit is not touched.
    void TogglePowerMark(Mark mark);
    /// A click on an independent item (menuQuit, menuAutoload, menuAutostart): inverts it.
    void Toggle(Mark mark);
    /// Clears the after-all-tasks choice in its fixed order: Shut, Logoff, Hibernate, Screen,
    /// Reboot, Suspend, Lock, Quit.
    void UncheckAfterMenus();
    /// Checks one language and clears the other two.
    void SelectLanguage(Mark language);

    void AddListener(Listener listener) { m_listeners.push_back(std::move(listener)); }

private:
    static std::size_t Index(Mark mark) { return static_cast<std::size_t>(mark); }

    std::array<bool, kMarkCount> m_checked{};
    std::vector<Listener> m_listeners;
};

} // namespace morvane
