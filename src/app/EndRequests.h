#pragma once

#include <QObject>

class QSocketNotifier;

namespace morvane {

/// Turns the system's requests to end the program (SIGTERM at log-out or shut-down, SIGHUP,
/// SIGINT) into a signal on the event loop, so the program ends through its normal unload
/// sequence and keeps its settings and task list.
class EndRequests final : public QObject {
    Q_OBJECT
public:
    explicit EndRequests(QObject* parent = nullptr);
    ~EndRequests() override;
    EndRequests(const EndRequests&) = delete;
    EndRequests& operator=(const EndRequests&) = delete;

Q_SIGNALS:
    /// The system asked the program to end.
    void endRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace morvane
