#pragma once

#include <QCoreApplication>
#include <QString>

class QSystemTrayIcon;

namespace morvane {

class LanguageTable;
struct Notice;
namespace platform {
class Notifications;
} // namespace platform

/// Words the core's notices in the user's language and hands them to the desktop's
/// notification service, or to the tray icon's balloon where there is no service.
class NotificationSender {
    Q_DECLARE_TR_FUNCTIONS(NotificationSender)
public:
    /// `service` may be null; `fallback` may be null or hidden (then nothing is shown).
    NotificationSender(platform::Notifications* service, QSystemTrayIcon* fallback)
        : m_service(service), m_fallback(fallback) {}

    [[nodiscard]] static QString Title(const Notice& notice);
    [[nodiscard]] static QString Body(const Notice& notice, const LanguageTable& lan);

    /// Shows the notice; false when it could be shown nowhere.
    bool Send(const Notice& notice, const LanguageTable& lan);
    /// Sounds the warning: a message with the desktop theme's warning sound where the service
    /// plays sounds (it also tells a user on another workspace), else the system beep.
    void Chime(const QString& title, const QString& body);

private:
    platform::Notifications* m_service;
    QSystemTrayIcon* m_fallback;
};

} // namespace morvane
