#pragma once

#include "ui/HelpWindow.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

#include <functional>

class QWidget;

namespace morvane {

/// Where the tutorial lives and how its pages are opened: the tutorial shipped with the program
/// in a window of our own, in the user's language where a translation lies beside it; a
/// tutorial on the web in the desktop's browser. When no browser takes a page, or the shipped
/// one is missing, the user is told where it is, to open it another way.
class TutorialPages final : public QObject {
    Q_OBJECT
public:
    /// `dialogParent` owns the help window and the message that says where the tutorial is.
    explicit TutorialPages(QWidget* dialogParent);

    /// Where the pages live (ends with '/'); pages are resolved against it.
    void SetBase(const QUrl& base) { m_base = base; }
    [[nodiscard]] QUrl Url(const QString& page) const { return m_base.resolved(QUrl(page)); }
    /// Replaces how outside addresses are opened, with an opener that answers whether it could.
    void SetOpener(std::function<bool(const QUrl&)> opener) { m_open = std::move(opener); }
    /// The language whose translation of a page is shown where there is one ("fr" finds
    /// tutorial.fr.html beside tutorial.html). An open help window follows it.
    void SetLanguage(const QString& code);
    /// What the link to the tutorial reads: the web site's name, or the tutorial's own.
    [[nodiscard]] QString LinkCaption() const;

    void Open(const QString& page);
    /// The window the shipped tutorial is shown in; null until a page is opened there.
    [[nodiscard]] HelpWindow* Window() const { return m_window; }

private:
    /// The local page in the chosen language where its translation exists, else as given.
    [[nodiscard]] QUrl Translated(const QUrl& page) const;
    void ShowHere(const QUrl& page);
    void SayWhere(const QUrl& url, const QString& why) const;

    QWidget* m_dialogParent;
    QUrl m_base;
    QString m_language;
    QString m_page; // the page last shown here, as asked for
    std::function<bool(const QUrl&)> m_open;
    QPointer<HelpWindow> m_window;
};

} // namespace morvane
