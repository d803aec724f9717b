#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <utility>

namespace morvane::test {

/// Answers message boxes as they come up: notes each one's title, text and buttons, then
/// presses the chosen button. It polls the event loop the box runs, so no test waits on time.
class ModalAnswerer {
public:
    struct Seen {
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
    };

    explicit ModalAnswerer(QMessageBox::StandardButton answer = QMessageBox::Ok)
        : m_answer(answer) {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
        m_timer.start(5);
    }

    void SetAnswer(QMessageBox::StandardButton answer) { m_answer = answer; }
    [[nodiscard]] const QList<Seen>& Boxes() const { return m_seen; }
    [[nodiscard]] int Count() const { return static_cast<int>(m_seen.size()); }
    void Clear() { m_seen.clear(); }

private:
    void Poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible()) {
            return;
        }
        m_seen.append({box->windowTitle(), box->text(), box->standardButtons()});
        QAbstractButton* button = box->button(m_answer);
        if (button == nullptr) {
            button = box->button(QMessageBox::Ok);
        }
        button->click();
    }

    QMessageBox::StandardButton m_answer;
    QTimer m_timer;
    QList<Seen> m_seen;
};

} // namespace morvane::test
