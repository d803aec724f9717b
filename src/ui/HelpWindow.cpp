#include "ui/HelpWindow.h"

#include <QTextBrowser>
#include <QVBoxLayout>

namespace morvane {

HelpWindow::HelpWindow(std::function<void(const QUrl&)> openOutside, QWidget* parent)
    : QDialog(parent), m_openOutside(std::move(openOutside)) {
    setObjectName(QStringLiteral("helpWindow"));
    setModal(false);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    // Every link is ours to route: anchors and pages here, the rest to the desktop.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::Follow);
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    root->addWidget(m_browser);
    resize(820, 640);
}

void HelpWindow::ShowPage(const QUrl& page) {
    // Shown first, so an anchor scrolls in the window's real size. The source is the file
    // itself, so its pictures and links resolve beside it.
    show();
    m_browser->setSource(page);
    raise();
    activateWindow();
}

QUrl HelpWindow::Page() const {
    return m_browser->source();
}

void HelpWindow::Follow(const QUrl& link) {
    const QUrl target = m_browser->source().resolved(link);
    if (target.isLocalFile()) {
        m_browser->setSource(target);
    } else if (m_openOutside) {
        m_openOutside(target);
    }
}

} // namespace morvane
