#pragma once

#include <QTranslator>

namespace morvane {

class Options;

/// The code of the language checked in `marks`: "en", "fr" or "pl".
[[nodiscard]] QString LanguageCode(const Options& marks);

/// Qt's translator for the texts the windows pass through tr(): the one for the language the
/// marks choose is installed on the application. English, the texts' own language, has one too
/// that carries only the plural forms.
class UiTranslator final {
public:
    UiTranslator() = default;
    ~UiTranslator();
    UiTranslator(const UiTranslator&) = delete;
    UiTranslator& operator=(const UiTranslator&) = delete;

    /// Installs the translation of the language checked in `marks`.
    void Follow(const Options& marks);

private:
    void Remove();

    QTranslator m_translator;
    QString m_installed; // the language code of the installed translation; empty for none
};

} // namespace morvane
