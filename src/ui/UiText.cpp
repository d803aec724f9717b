#include "ui/UiText.h"

#include <QRegularExpression>

namespace morvane {

QString UiText::Reason(const std::string& reason) {
    QString text = QString::fromStdString(reason);
    // The back ends' fixed texts, and the ones with a display name or an error in them.
    static const char* const kFixed[] = {
        QT_TR_NOOP("Picking a window with the mouse does not work on a Wayland desktop: it "
                   "cannot tell which program a window belongs to. Choose the program from the "
                   "list of running programs instead."),
        QT_TR_NOOP("Picking a window needs an X11 display, and none is set. Choose the program "
                   "from the list of running programs instead."),
        QT_TR_NOOP("This desktop does not tell programs when it is in use, so tasks that wait "
                   "for no activity cannot run here."),
        QT_TR_NOOP("The mouse pointer cannot be read, so tasks that wait for no activity cannot "
                   "run."),
        QT_TR_NOOP("Activity cannot be seen on this desktop."),
        QT_TR_NOOP("The network and processor counters cannot be read here."),
        QT_TR_NOOP("this computer cannot hibernate"),
        QT_TR_NOOP("hibernation is turned off on this computer"),
    };
    for (const char* fixed : kFixed) {
        if (text == QLatin1String(fixed)) {
            return tr(fixed);
        }
    }
    struct Pattern {
        const char* expression;
        const char* translated;
    };
    static const Pattern kPatterns[] = {
        {"^Picking a window needs the X11 display \"(.*)\", which cannot be opened\\. Choose the "
         "program from the list of running programs instead\\.$",
         QT_TR_NOOP("Picking a window needs the X11 display \"%1\", which cannot be opened. "
                    "Choose the program from the list of running programs instead.")},
        {"^The X display \"(.*)\" cannot be opened, so the mouse cannot be watched and tasks "
         "that wait for no activity cannot run\\.$",
         QT_TR_NOOP("The X display \"%1\" cannot be opened, so the mouse cannot be watched and "
                    "tasks that wait for no activity cannot run.")},
        {"^Idleness can no longer be seen: (.*)\\.$",
         QT_TR_NOOP("Idleness can no longer be seen: %1.")},
        {"^GNOME's idle monitor does not answer: (.*)$",
         QT_TR_NOOP("GNOME's idle monitor does not answer: %1")},
        {"^(.*) is not running: the task waits for it to start and end\\.$",
         QT_TR_NOOP("%1 is not running: the task waits for it to start and end.")},
    };
    for (const Pattern& p : kPatterns) {
        const QRegularExpressionMatch match =
            QRegularExpression(QString::fromLatin1(p.expression),
                               QRegularExpression::DotMatchesEverythingOption)
                .match(text);
        if (match.hasMatch()) {
            return tr(p.translated).arg(match.captured(1));
        }
    }
    return text;
}

} // namespace morvane
