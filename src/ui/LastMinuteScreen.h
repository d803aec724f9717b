#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace morvane {

/// The warning's last minute before a power action, over the whole screen and above every
/// window, so it is seen from across the room. Esc and Enter cancel, as in the notice; it
/// changes nothing itself: its answers are signals.
class LastMinuteScreen final : public QWidget {
    Q_OBJECT
public:
    explicit LastMinuteScreen(QWidget* parent);

    /// Shows (or updates) what will happen and the time left.
    void ShowCountdown(const QString& what, const QString& left);
    /// Applies the translated captions.
    void Retranslate();

Q_SIGNALS:
    void cancelRequested();
    void doItNowRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* m_left = nullptr;
    QLabel* m_what = nullptr;
    QLabel* m_hint = nullptr;
    QPushButton* m_cancel = nullptr;
    QPushButton* m_doItNow = nullptr;
};

} // namespace morvane
