#include "ui/HelpWindow.h"

#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <QVariant>

namespace morvane {

namespace {

// The tutorial is written for web browsers. Rich text draws the backgrounds of its header, contents
// and sections behind the spaces between words only, and no band behind the header's light
// letters: those go, the letters are made dark, and the contents' links get a line each. Rules
// that name more elements than the page's outweigh them.
class TutorialBrowser final : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        QVariant loaded = QTextBrowser::loadResource(type, name);
        if (type != QTextDocument::HtmlResource || loaded.typeId() != QMetaType::QByteArray) {
            return loaded;
        }
        QByteArray page = loaded.toByteArray();
        page.replace("</head>", "<style>body header h1 { color: #23549e; } "
                                "body header p { color: #1f2a37; } "
                                "body header, body nav, body section { background: transparent; } "
                                "body nav { white-space: pre-wrap; }</style></head>");
        return page;
    }
};

} // namespace

HelpWindow::HelpWindow(std::function<void(const QUrl&)> openOutside, QWidget* parent)
    : QDialog(parent), m_openOutside(std::move(openOutside)) {
    setObjectName(QStringLiteral("helpWindow"));
    setModal(false);
    m_browser = new TutorialBrowser(this);
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
