#include "ui/NotificationSender.h"

#include "core/extras/History.h"
#include "core/extras/Warning.h"
#include "platform/Notifications.h"
#include "ui/ShownText.h"
#include "ui/StatusTexts.h"

#include <QApplication>
#include <QSystemTrayIcon>

namespace morvane {

QString NotificationSender::Title(const Notice& notice) {
    switch (notice.kind) {
    case Notice::Kind::PowerSoon:
        return tr("Morvane: power action soon");
    case Notice::Kind::CouldNotStart:
        return tr("Morvane could not start a program");
    case Notice::Kind::NothingToClose:
        return notice.detail.empty() ? tr("Morvane found nothing to close")
                                     : tr("Morvane could not close a program");
    case Notice::Kind::NotSaved:
        return tr("Morvane could not save");
    }
    return QStringLiteral("Morvane");
}

QString NotificationSender::Body(const Notice& notice, const LanguageTable& lan) {
    QString subject = ShownText(notice.subject);
    switch (notice.kind) {
    case Notice::Kind::PowerSoon:
        return tr("%1 in %n minute(s).", nullptr, notice.minutesLeft)
            .arg(StatusTexts::PowerCaption(lan, notice.subject));
    case Notice::Kind::CouldNotStart:
        return tr("%1 could not start: %2").arg(subject, ShownText(notice.detail));
    case Notice::Kind::NothingToClose:
        if (notice.detail == kRunsElevated) {
            return tr("%1 was not closed: the program runs with administrator rights.")
                .arg(subject);
        }
        if (notice.detail == kOtherSession) {
            return tr("%1 was not closed: it belongs to another user's session.").arg(subject);
        }
        return tr("No running program is called %1.").arg(subject);
    case Notice::Kind::NotSaved:
        return StatusTexts::AlertText({Alert::Kind::NotSaved, notice.subject, notice.detail});
    }
    return subject;
}

bool NotificationSender::Send(const Notice& notice, const LanguageTable& lan) {
    const QString title = Title(notice);
    const QString body = Body(notice, lan);
    if (m_service != nullptr && m_service->IsAvailable() &&
        m_service->Show(title.toStdString(), body.toStdString())) {
        return true;
    }
    if (m_fallback != nullptr && m_fallback->isVisible() && QSystemTrayIcon::supportsMessages()) {
        m_fallback->showMessage(title, body, m_fallback->icon());
        return true;
    }
    return false;
}

void NotificationSender::Chime(const QString& title, const QString& body) {
    if (m_service != nullptr && m_service->IsAvailable() && m_service->CanPlaySound() &&
        m_service->ShowWithSound(title.toStdString(), body.toStdString(), "dialog-warning")) {
        return;
    }
    QApplication::beep();
}

} // namespace morvane
