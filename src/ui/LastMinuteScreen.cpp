#include "ui/LastMinuteScreen.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace morvane {

LastMinuteScreen::LastMinuteScreen(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("frmLastMinute"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#frmLastMinute { background: #202020; }"
                                 "#frmLastMinute QLabel { color: white; }"));
    m_left = new QLabel(this);
    m_left->setObjectName(QStringLiteral("lblLastMinuteLeft"));
    m_left->setAlignment(Qt::AlignCenter);
    QFont big = m_left->font();
    big.setPointSize(big.pointSize() * 8);
    big.setBold(true);
    m_left->setFont(big);
    m_what = new QLabel(this);
    m_what->setObjectName(QStringLiteral("lblLastMinuteWhat"));
    m_what->setAlignment(Qt::AlignCenter);
    m_what->setWordWrap(true);
    QFont large = m_what->font();
    large.setPointSize(large.pointSize() * 2);
    m_what->setFont(large);
    m_hint = new QLabel(this);
    m_hint->setAlignment(Qt::AlignCenter);

    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("cmdLastMinuteCancel"));
    m_cancel->setDefault(true);
    m_doItNow = new QPushButton(this);
    m_doItNow->setObjectName(QStringLiteral("cmdLastMinuteNow"));
    m_doItNow->setAutoDefault(false);
    connect(m_cancel, &QPushButton::clicked, this, &LastMinuteScreen::cancelRequested);
    connect(m_doItNow, &QPushButton::clicked, this, &LastMinuteScreen::doItNowRequested);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_doItNow);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    auto* root = new QVBoxLayout(this);
    root->addStretch(2);
    root->addWidget(m_left);
    root->addWidget(m_what);
    root->addSpacing(24);
    root->addLayout(buttons);
    root->addWidget(m_hint);
    root->addStretch(3);
    Retranslate();
}

void LastMinuteScreen::Retranslate() {
    setWindowTitle(tr("Morvane: last minute"));
    m_cancel->setText(tr("Cancel"));
    m_doItNow->setText(tr("Do it now"));
    m_hint->setText(tr("Esc or Enter cancels."));
}

void LastMinuteScreen::ShowCountdown(const QString& what, const QString& left) {
    m_what->setText(what);
    m_left->setText(left);
    m_left->setAccessibleName(what + QLatin1Char(' ') + left);
    if (!isVisible()) {
        showFullScreen();
        raise();
        activateWindow();
        m_cancel->setFocus();
    }
}

void LastMinuteScreen::keyPressEvent(QKeyEvent* event) {
    // Whatever has the focus, the safe answer is one key away.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        Q_EMIT cancelRequested();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace morvane
