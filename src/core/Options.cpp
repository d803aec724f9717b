#include "core/Options.h"

namespace morvane {

Options::Options() {
    // The language items are designed with English checked.
    m_checked[Index(Mark::English)] = true;
}

void Options::SetChecked(Mark mark, bool checked) {
    if (m_checked[Index(mark)] == checked) {
        return;
    }
    m_checked[Index(mark)] = checked;
    for (const Listener& listener : m_listeners) {
        listener(mark, checked);
    }
}

void Options::TogglePowerMark(Mark mark) {
    for (Mark other : kPowerMarks) {
        if (other != mark) {
            SetChecked(other, false);
        }
    }
    Toggle(mark);
}

void Options::Toggle(Mark mark) {
    SetChecked(mark, !IsChecked(mark));
}

void Options::UncheckAfterMenus() {
    for (Mark mark : {Mark::Shut, Mark::Logoff, Mark::Hibernate, Mark::Screen, Mark::Reboot,
                      Mark::Suspend, Mark::Lock, Mark::Quit}) {
        SetChecked(mark, false);
    }
}

void Options::SelectLanguage(Mark language) {
    for (Mark mark : {Mark::English, Mark::French, Mark::Polish}) {
        SetChecked(mark, mark == language);
    }
}

} // namespace morvane
