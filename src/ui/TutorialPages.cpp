#include "ui/TutorialPages.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace morvane {

TutorialPages::TutorialPages(QWidget* dialogParent)
    : QObject(dialogParent), m_dialogParent(dialogParent) {
    m_open = [](const QUrl& url) {
        return QDesktopServices::openUrl(url);
    };
}

QString TutorialPages::LinkCaption() const {
    return m_base.scheme().startsWith(QLatin1String("http")) && !m_base.host().isEmpty()
               ? m_base.host()
               : tr("Morvane tutorial");
}

void TutorialPages::SetLanguage(const QString& code) {
    if (code == m_language) {
        return;
    }
    m_language = code;
    if (m_window != nullptr && m_window->isVisible() && !m_page.isEmpty()) {
        Open(m_page);
    }
}

void TutorialPages::Open(const QString& page) {
    if (!m_base.isValid()) {
        return;
    }
    const QUrl url = Url(page);
    if (url.isLocalFile()) {
        m_page = page;
        ShowHere(url);
        return;
    }
    if (m_open && !m_open(url)) {
        SayWhere(url, tr("No web browser could open the tutorial. It is here:\n\n%1"));
    }
}

QUrl TutorialPages::Translated(const QUrl& page) const {
    const QFileInfo file(page.toLocalFile());
    if (m_language.isEmpty() || m_language == QLatin1String("en")) {
        return page;
    }
    const QString translated =
        file.dir().filePath(file.completeBaseName() + u'.' + m_language + u'.' + file.suffix());
    if (!QFileInfo::exists(translated)) {
        return page;
    }
    QUrl url = QUrl::fromLocalFile(translated);
    url.setFragment(page.fragment());
    return url;
}

void TutorialPages::ShowHere(const QUrl& page) {
    if (!QFileInfo::exists(page.toLocalFile())) {
        SayWhere(page, tr("The tutorial is missing. It belongs here:\n\n%1"));
        return;
    }
    if (m_window == nullptr) {
        m_window = new HelpWindow(
            [this](const QUrl& outside) {
                if (m_open) {
                    m_open(outside);
                }
            },
            m_dialogParent);
    }
    m_window->setWindowTitle(tr("How to Use"));
    m_window->ShowPage(Translated(page));
}

void TutorialPages::SayWhere(const QUrl& url, const QString& why) const {
    const QString where = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile())
                                            : url.toString(QUrl::RemoveFragment);
    QMessageBox box(QMessageBox::Information, tr("How to Use"), why.arg(where), QMessageBox::Ok,
                    m_dialogParent);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

} // namespace morvane
