#include "ui/CommandBar.h"

#include "ui/Lan.h"
#include "ui/PictureButton.h"

#include <QCursor>
#include <QHBoxLayout>

namespace morvane {

namespace {

// An ampersand in a caption is a character, not a keyboard mnemonic.
QString Escaped(QString text) {
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

} // namespace

CommandBar::CommandBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("commandBar"));
    struct Design {
        MainCommand command;
        const char* name;
        const char* icon;
    };
    static constexpr Design kDesign[] = {
        {MainCommand::AddTask, "cmdAdd", "add"},
        {MainCommand::DeleteTask, "cmdDelete", "delete"},
        {MainCommand::RemoveAll, "cmdRemoveAll", "removeall"},
        {MainCommand::SaveTasks, "cmdSave", "save"},
        {MainCommand::LoadTasks, "cmdLoad", "load"},
        {MainCommand::Setting, "cmdSetting", "setting"},
        {MainCommand::Help, "cmdHelp", "help"},
        {MainCommand::Exit, "cmdExit", "exit"},
    };
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const Design& d = kDesign[i];
        auto* b = new PictureButton(
            QString::fromLatin1(d.name),
            QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(d.icon))), {}, {}, this);
        if (d.command == MainCommand::Exit) {
            row->addStretch(1);
        }
        row->addWidget(b);
        m_buttons.at(i) = {d.command, b};
        connect(b, &QToolButton::clicked, this,
                [this, command = d.command] { Q_EMIT commandRequested(command); });
    }
    Retranslate();
}

PictureButton* CommandBar::ButtonOf(MainCommand command) const {
    for (const Button& b : m_buttons) {
        if (b.command == command) {
            return b.button;
        }
    }
    return nullptr;
}

void CommandBar::Retranslate() {
    const struct {
        MainCommand command;
        QString caption;
        QString tip;
    } texts[] = {
        {MainCommand::AddTask, tr("Add a Task"), tr("Add a new task")},
        {MainCommand::DeleteTask, tr("Delete"), tr("Delete selected task")},
        {MainCommand::RemoveAll, tr("Remove All"), tr("Remove all tasks in the list")},
        {MainCommand::SaveTasks, tr("Save Tasks"), tr("Save the task list to a file")},
        {MainCommand::LoadTasks, tr("Load Tasks"), tr("Load the task list from a file")},
        {MainCommand::Setting, tr("Setting"), tr("Set the action after finish all tasks")},
        {MainCommand::Help, tr("How to Use"), QString()},
        {MainCommand::Exit, tr("Exit"), tr("Quit the Morvane program")},
    };
    for (const auto& t : texts) {
        PictureButton* b = ButtonOf(t.command);
        b->setText(Escaped(t.caption));
        b->setToolTip(t.tip);
    }
}

void CommandBar::UpdateLan(const LanguageTable& lan) {
    const std::pair<MainCommand, LanText> texts[] = {
        {MainCommand::AddTask, LanText::AddTask},     {MainCommand::DeleteTask, LanText::Delete},
        {MainCommand::RemoveAll, LanText::RemoveAll}, {MainCommand::Setting, LanText::Setting},
        {MainCommand::Help, LanText::HowToUse},       {MainCommand::Exit, LanText::Exit},
    };
    for (const auto& [command, entry] : texts) {
        ButtonOf(command)->setText(Escaped(Lan(lan, entry)));
    }
}

QPoint CommandBar::SettingMenuPlace() const {
    const PictureButton* setting = ButtonOf(MainCommand::Setting);
    const QRect button(setting->mapToGlobal(QPoint(0, 0)), setting->size());
    return button.contains(QCursor::pos()) ? QCursor::pos()
                                           : QPoint(button.left(), button.bottom() + 1);
}

} // namespace morvane
