#include "ui/UiTranslator.h"

#include "core/Options.h"

#include <QCoreApplication>

namespace morvane {

UiTranslator::~UiTranslator() {
    Remove();
}

QString LanguageCode(const Options& marks) {
    if (marks.IsChecked(Mark::French)) {
        return QStringLiteral("fr");
    }
    if (marks.IsChecked(Mark::Polish)) {
        return QStringLiteral("pl");
    }
    return QStringLiteral("en");
}

void UiTranslator::Follow(const Options& marks) {
    // English has one too, for its plural forms only ("1 process", "2 processes").
    const QString code = LanguageCode(marks);
    if (code == m_installed) {
        return;
    }
    Remove();
    // Built into the program (translations/*.ts): a missing one leaves the English texts.
    if (m_translator.load(QStringLiteral(":/i18n/morvane_%1.qm").arg(code))) {
        QCoreApplication::installTranslator(&m_translator);
        m_installed = code;
    }
}

void UiTranslator::Remove() {
    if (!m_installed.isEmpty()) {
        QCoreApplication::removeTranslator(&m_translator);
        m_installed.clear();
    }
}

} // namespace morvane
