#pragma once

#include "core/Options.h"
#include "core/extras/Alerts.h"
#include "core/tasks/TaskPlan.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <string_view>

namespace morvane {

class Engine;
class LanguageTable;

/// The wording of what is due and what is armed, shared by the status line, the tray icon's
/// tooltip, the list's tooltips and the warning notice.
class StatusTexts {
    Q_DECLARE_TR_FUNCTIONS(StatusTexts)
public:
    /// "0:04:12"; a day or more reads "2 d 3:04:05".
    [[nodiscard]] static QString TimeLeft(std::int64_t seconds);
    /// A period in its largest units: "15 min", "1 h 30 min", "2 d 5 s"; "0 s" for none.
    [[nodiscard]] static QString Duration(std::int64_t seconds);
    /// A power action's caption in the menus and the editor's after list: the language file's
    /// for the first five, the translations' for the others; empty for None.
    [[nodiscard]] static QString ActionCaption(const LanguageTable& lan, PowerAction action);
    /// The caption of a power mark (one of kPowerMarks); empty for any other mark.
    [[nodiscard]] static QString MarkCaption(const LanguageTable& lan, Mark mark);
    /// The caption of a power action as a task stores it (texts::kShutdown ...); the stored
    /// text itself when it is not one.
    [[nodiscard]] static QString PowerCaption(const LanguageTable& lan, std::string_view power);
    /// What a power action does, to follow "Morvane will" ("shut down the computer"); empty for
    /// None.
    [[nodiscard]] static QString PowerDoing(PowerAction power);
    /// "Next: firefox in 0:04:12", "Next: backup.sh waits for idle"; empty for an empty list.
    [[nodiscard]] static QString NextDue(const Engine& engine);
    /// "After all tasks: Shutdown PC", or that an Empty task's action waits for the others;
    /// empty when nothing is armed.
    [[nodiscard]] static QString Armed(const Engine& engine);
    /// What an alert says, for the status line.
    [[nodiscard]] static QString AlertText(const Alert& alert);
    /// The time left of the task at `row`, or what it waits for; empty when unknown.
    [[nodiscard]] static QString RowTimeLeft(const Engine& engine, int row);
    /// Whether a task that waits for a program to exit or for quiet still waits: once that has
    /// happened, it is due as any other task.
    [[nodiscard]] static bool StillWaits(const TaskPlan& plan);
    /// What such a task waits for, to stand for its time: "when wget (4242) exits", "when the
    /// network stays below 50 KiB/s for 5 min"; empty for any other task.
    [[nodiscard]] static QString WaitsFor(const TaskPlan& plan);
};

} // namespace morvane
