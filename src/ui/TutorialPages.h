#pragma once

#include <QObject>
#include <QUrl>

#include <functional>

class QWidget;

namespace morvane {

/// Where the tutorial lives and how its pages are opened: the desktop's browser by default.
/// When no browser takes a page, the user is told where it is, to open it another way.
class TutorialPages final : public QObject {
    Q_OBJECT
public:
    /// `dialogParent` owns the message that says where the tutorial is.
    explicit TutorialPages(QWidget* dialogParent);

    /// Where the pages live (ends with '/'); pages are resolved against it.
    void SetBase(const QUrl& base) { m_base = base; }
    [[nodiscard]] QUrl Url(const QString& page) const { return m_base.resolved(QUrl(page)); }
    /// Replaces how pages are opened, with an opener that answers whether it could.
    void SetOpener(std::function<bool(const QUrl&)> opener) { m_open = std::move(opener); }
    /// What the link to the tutorial reads: the web site's name, or the tutorial's own.
    [[nodiscard]] QString LinkCaption() const;

    void Open(const QString& page);

private:
    QWidget* m_dialogParent;
    QUrl m_base;
    std::function<bool(const QUrl&)> m_open;
};

} // namespace morvane
