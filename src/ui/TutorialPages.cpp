#include "ui/TutorialPages.h"

#include <QDesktopServices>
#include <QDir>
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

void TutorialPages::Open(const QString& page) {
    if (!m_open || !m_base.isValid()) {
        return;
    }
    const QUrl url = Url(page);
    if (m_open(url)) {
        return;
    }
    const QString where = url.isLocalFile() ? QDir::toNativeSeparators(url.toLocalFile())
                                            : url.toString(QUrl::RemoveFragment);
    QMessageBox box(QMessageBox::Information, tr("How to Use"),
                    tr("No web browser could open the tutorial. It is here:\n\n%1").arg(where),
                    QMessageBox::Ok, m_dialogParent);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box.exec();
}

} // namespace morvane
