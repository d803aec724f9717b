#pragma once

#include <QDialog>
#include <QUrl>

#include <functional>

class QTextBrowser;

namespace morvane {

/// The tutorial in a window of our own, beside the main window: the desktop's handler for
/// HTML files may be an editor that shows the page's source. Pages beside the tutorial and
/// their anchors open here; addresses outside go to the given opener.
class HelpWindow final : public QDialog {
    Q_OBJECT
public:
    HelpWindow(std::function<void(const QUrl&)> openOutside, QWidget* parent);

    /// Shows `page` (a local file, with or without an anchor) and brings the window forward.
    void ShowPage(const QUrl& page);
    [[nodiscard]] QUrl Page() const;

private:
    void Follow(const QUrl& link);

    std::function<void(const QUrl&)> m_openOutside;
    QTextBrowser* m_browser = nullptr;
};

} // namespace morvane
