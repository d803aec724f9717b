#include "ui/WarningNotice.h"

#include "core/Engine.h"
#include "core/tasks/DateTime.h"
#include "types/Clock.h"
#include "ui/LastMinuteScreen.h"
#include "ui/ShownText.h"
#include "ui/StatusTexts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane {

WarningNotice::WarningNotice(Engine& engine, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint),
      m_engine(engine) {
    setObjectName(QStringLiteral("frmWarning"));
    // The user may be busy in another program: the notice waits beside it, it does not block.
    setModal(false);
    setWindowIcon(QIcon(QStringLiteral(":/icons/morvane.svg")));

    m_what = new QLabel(this);
    m_what->setObjectName(QStringLiteral("lblWarningWhat"));
    m_what->setWordWrap(true);
    m_what->setMinimumWidth(360);
    QFont bold = m_what->font();
    bold.setBold(true);
    m_what->setFont(bold);
    m_countdown = new QLabel(this);
    m_countdown->setObjectName(QStringLiteral("lblWarningCountdown"));

    m_doItNow = new QPushButton(this);
    m_doItNow->setObjectName(QStringLiteral("cmdWarningNow"));
    m_snooze = new QPushButton(this);
    m_snooze->setObjectName(QStringLiteral("cmdWarningSnooze"));
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("cmdWarningCancel"));
    // Enter must not power the machine off by accident: the safe answer is the default.
    m_cancel->setDefault(true);
    m_doItNow->setAutoDefault(false);
    m_snooze->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_doItNow);
    buttons->addWidget(m_snooze);
    buttons->addWidget(m_cancel);
    auto* root = new QVBoxLayout(this);
    root->addWidget(m_what);
    root->addWidget(m_countdown);
    root->addSpacing(6);
    root->addLayout(buttons);

    connect(m_doItNow, &QPushButton::clicked, this, [this] { m_engine.WarningDoItNow(); });
    connect(m_snooze, &QPushButton::clicked, this, [this] { m_engine.WarningSnooze(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_engine.WarningCancel(); });
    m_screen = new LastMinuteScreen(this);
    connect(m_screen, &LastMinuteScreen::cancelRequested, this,
            [this] { m_engine.WarningCancel(); });
    connect(m_screen, &LastMinuteScreen::doItNowRequested, this,
            [this] { m_engine.WarningDoItNow(); });
    Retranslate();
}

void WarningNotice::Retranslate() {
    setWindowTitle(tr("Morvane: about to act"));
    m_doItNow->setText(tr("Do it now"));
    m_snooze->setText(tr("Snooze 10 min"));
    m_cancel->setText(tr("Cancel"));
    m_screen->Retranslate();
    Refresh();
}

QString WarningNotice::Describe() const {
    const Warning& w = *m_engine.PendingWarning();
    const QString program = ShownText(w.program);
    const QString power = StatusTexts::PowerDoing(w.power);
    QString text;
    if (!program.isEmpty() && !power.isEmpty()) {
        text = tr("Morvane will close %1, then %2.").arg(program, power);
    } else if (!program.isEmpty()) {
        text = tr("Morvane will close %1.").arg(program);
    } else if (!power.isEmpty()) {
        text = tr("Morvane will %1.").arg(power);
    }
    if (w.afterAllTasks) {
        text = tr("All tasks have finished. %1").arg(text);
    }
    if (w.quits) {
        text += QLatin1Char(' ') + tr("Morvane then quits.");
    }
    return text;
}

void WarningNotice::Refresh() {
    const std::optional<Warning>& pending = m_engine.PendingWarning();
    if (!pending) {
        m_screen->hide();
        hide();
        return;
    }
    const QString what = Describe();
    m_what->setText(what);
    const std::int64_t left = SecondsBetween(m_engine.ClockSource().Now(), pending->deadline);
    const QString timeLeft = StatusTexts::TimeLeft(left);
    m_countdown->setText(tr("In %1").arg(timeLeft));
    if (!isVisible()) {
        adjustSize();
        show();
        raise();
        Q_EMIT appeared(what);
    }
    // A power action's last minute may fill the screen; a close alone never does.
    constexpr std::int64_t kLastMinute = 60;
    if (m_engine.Prefs().fullScreenLastMinute && pending->power != PowerAction::None &&
        left <= kLastMinute) {
        m_screen->ShowCountdown(what, timeLeft);
    } else {
        m_screen->hide();
    }
}

void WarningNotice::reject() {
    // Esc is no answer either.
    if (!m_engine.PendingWarning()) {
        QDialog::reject();
    }
}

void WarningNotice::closeEvent(QCloseEvent* event) {
    // The close box is no answer: the action stays held until one of the buttons is chosen.
    if (m_engine.PendingWarning()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace morvane
