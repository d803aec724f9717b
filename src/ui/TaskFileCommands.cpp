#include "ui/TaskFileCommands.h"

#include "core/Engine.h"
#include "ui/CommonDlgsW.h"
#include "ui/Hourglass.h"
#include "ui/QtPaths.h"

#include <QMessageBox>

namespace morvane {

namespace {

QString TaskFileFilter() {
    return TaskFileCommands::tr("Morvane Task File") + QStringLiteral("(*.mtf)|*.mtf");
}

void Warn(const QString& text, QWidget* parent) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Morvane"), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace

void TaskFileCommands::Save(Engine& engine, CommonDlgsW& dialogs, QWidget* parent) {
    dialogs.Filter = TaskFileFilter();
    if (!dialogs.ShowSave(parent)) {
        return;
    }
    std::filesystem::path written;
    const WriteResult result = engine.SaveTasks(PathFromQt(dialogs.FileName), &written);
    if (!result.Ok()) {
        Warn(tr("The task list could not be saved to %1.\n\n%2")
                 .arg(QtFromPath(written), QString::fromStdString(result.error)),
             parent);
    }
}

void TaskFileCommands::Load(Engine& engine, CommonDlgsW& dialogs, QWidget* parent) {
    dialogs.Filter = TaskFileFilter();
    if (!dialogs.ShowOpen(parent)) {
        return;
    }
    TaskFileCount count;
    {
        Hourglass wait;
        count = engine.LoadTasks(PathFromQt(dialogs.FileName));
    }
    if (count.skipped > 0) {
        Warn(tr("%n line(s) of %1 are not tasks and were skipped.", nullptr, count.skipped)
                 .arg(dialogs.FileName),
             parent);
    }
}

} // namespace morvane
