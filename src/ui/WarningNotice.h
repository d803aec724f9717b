#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace morvane {

class Engine;
class LastMinuteScreen;

/// The notice shown, above every window, while a due action is held back: what will happen and
/// to which program, the time left, and the three answers. It never changes anything itself:
/// the answers are Engine commands, and what it shows is read from the engine.
class WarningNotice final : public QDialog {
    Q_OBJECT
public:
    WarningNotice(Engine& engine, QWidget* parent);

    /// Shows, updates or hides the notice from the held action and the clock.
    void Refresh();
    /// Applies the translated captions.
    void Retranslate();

    void reject() override;

Q_SIGNALS:
    /// The notice has just appeared for a held action (`what` says what will happen).
    void appeared(const QString& what);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    [[nodiscard]] QString Describe() const;

    Engine& m_engine;
    QLabel* m_what = nullptr;
    QLabel* m_countdown = nullptr;
    QPushButton* m_doItNow = nullptr;
    QPushButton* m_snooze = nullptr;
    QPushButton* m_cancel = nullptr;
    LastMinuteScreen* m_screen = nullptr;
};

} // namespace morvane
