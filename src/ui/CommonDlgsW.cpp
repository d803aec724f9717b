#include "ui/CommonDlgsW.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QPalette>

namespace morvane {

namespace {

std::optional<CommonDlgsW::FileAnswer> RunQtFileDialog(const CommonDlgsW::FileRequest& r) {
    QFileDialog dialog(r.owner, r.title);
    dialog.setAcceptMode(r.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (r.save) {
        dialog.setFileMode(QFileDialog::AnyFile);
        // Like the classic dialog without its overwrite flag: the caller decides.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !r.overwritePrompt);
    } else {
        dialog.setFileMode(r.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    }
    if (!r.nameFilters.isEmpty()) {
        dialog.setNameFilters(r.nameFilters);
        if (r.filterIndex >= 0 && r.filterIndex < r.nameFilters.size()) {
            dialog.selectNameFilter(r.nameFilters.at(r.filterIndex));
        }
    }
    if (!r.defaultExt.isEmpty()) {
        dialog.setDefaultSuffix(r.defaultExt);
    }
    const QFileInfo offered(r.fileName);
    if (!r.initDir.isEmpty()) {
        dialog.setDirectory(r.initDir);
    } else if (!r.fileName.isEmpty() && offered.isAbsolute()) {
        dialog.setDirectory(offered.absolutePath());
    }
    if (!r.fileName.isEmpty()) {
        dialog.selectFile(offered.isAbsolute() ? offered.fileName() : r.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return CommonDlgsW::FileAnswer{dialog.selectedFiles()};
}

std::optional<QColor> RunQtColorDialog(QWidget* owner, const QColor& initial,
                                       std::array<QColor, 16>& custom) {
    for (int i = 0; i < 16; ++i) {
        QColorDialog::setCustomColor(i, custom[static_cast<std::size_t>(i)]);
    }
    const QColor chosen = QColorDialog::getColor(initial, owner);
    for (int i = 0; i < 16; ++i) {
        custom[static_cast<std::size_t>(i)] = QColorDialog::customColor(i);
    }
    if (!chosen.isValid()) {
        return std::nullopt;
    }
    return chosen;
}

} // namespace

CommonDlgsW::CommonDlgsW(int pathLimit)
    : MaxFileSize(pathLimit), m_pathLimit(pathLimit), m_fileRunner(RunQtFileDialog),
      m_colorRunner(RunQtColorDialog) {
    m_customColors.fill(QColor(0, 0, 0));
}

QStringList CommonDlgsW::NameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
        }
        out << QStringLiteral("%1 (%2)").arg(parts.at(i), patterns.join(QLatin1Char(' ')));
    }
    return out;
}

std::int32_t CommonDlgsW::ToColorRef(const QColor& color) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(color.red()) |
                                     (static_cast<std::uint32_t>(color.green()) << 8) |
                                     (static_cast<std::uint32_t>(color.blue()) << 16));
}

QColor CommonDlgsW::FromColorRef(std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    return QColor(static_cast<int>(v & 0xFFU), static_cast<int>((v >> 8) & 0xFFU),
                  static_cast<int>((v >> 16) & 0xFFU));
}

std::int32_t CommonDlgsW::SystemColor(int index) {
    const QPalette palette = QApplication::palette();
    QColor c;
    switch (index) {
    case 0:  // scroll bar
    case 15: // button face
        c = palette.color(QPalette::Button);
        break;
    case 1: // desktop
    case 4: // menu
        c = palette.color(QPalette::Window);
        break;
    case 2:  // active caption
    case 13: // highlight
        c = palette.color(QPalette::Highlight);
        break;
    case 5: // window background
        c = palette.color(QPalette::Base);
        break;
    case 6:  // window frame
    case 21: // dark 3D shadow
        c = palette.color(QPalette::Shadow);
        break;
    case 7: // menu text
        c = palette.color(QPalette::WindowText);
        break;
    case 8: // window text
        c = palette.color(QPalette::Text);
        break;
    case 9:  // caption text
    case 14: // highlighted text
        c = palette.color(QPalette::HighlightedText);
        break;
    case 16: // button shadow
        c = palette.color(QPalette::Dark);
        break;
    case 17: // grey text
        c = palette.color(QPalette::Disabled, QPalette::Text);
        break;
    case 18: // button text
        c = palette.color(QPalette::ButtonText);
        break;
    case 20: // button highlight
        c = palette.color(QPalette::Light);
        break;
    case 22: // light 3D
        c = palette.color(QPalette::Midlight);
        break;
    case 23: // tooltip text
        c = palette.color(QPalette::ToolTipText);
        break;
    case 24: // tooltip background
        c = palette.color(QPalette::ToolTipBase);
        break;
    default:
        return 0;
    }
    return ToColorRef(c);
}

void CommonDlgsW::SetColor(std::int32_t value) {
    m_color = value < 0 ? SystemColor(static_cast<int>(static_cast<std::uint32_t>(value) & 0xFFFFU))
                        : value;
}

bool CommonDlgsW::ShowColor(QWidget* owner) {
    const auto chosen = m_colorRunner(owner, FromColorRef(m_color), m_customColors);
    if (!chosen) {
        return false;
    }
    m_color = ToColorRef(*chosen);
    return true;
}

bool CommonDlgsW::ShowOpen(QWidget* owner) {
    return ShowFile(false, owner);
}

bool CommonDlgsW::ShowSave(QWidget* owner) {
    return ShowFile(true, owner);
}

bool CommonDlgsW::ShowFile(bool save, QWidget* owner) {
    // A starting name or folder beyond the platform's limit cannot be offered.
    if (FileName.size() > m_pathLimit || InitDir.size() > m_pathLimit) {
        return false;
    }
    FileRequest request;
    request.save = save;
    request.owner = owner;
    request.title = DialogTitle;
    request.nameFilters = NameFilters(Filter);
    request.filterIndex = FilterIndex - 1;
    request.fileName = FileName;
    request.initDir = InitDir;
    request.defaultExt = DefaultExt;
    request.multiSelect = !save && (Flags & kAllowMultiSelect) != 0;
    request.overwritePrompt = (Flags & kOverwritePrompt) != 0;

    const auto answer = m_fileRunner(request);
    if (!answer || answer->files.isEmpty()) {
        return false;
    }
    QString chosen;
    if (request.multiSelect) {
        // One folder followed by the chosen names, NUL separated, as the classic buffer holds.
        chosen = QFileInfo(answer->files.first()).absolutePath();
        for (const QString& f : answer->files) {
            chosen += QChar(u'\0') + QFileInfo(f).fileName();
        }
    } else {
        chosen = answer->files.first();
    }
    // A name longer than the buffer the caller allowed does not fit: as if nothing was chosen.
    if (chosen.size() > MaxFileSize) {
        return false;
    }
    FileName = chosen;
    FileTitle.clear();
    if (request.multiSelect) {
        return true;
    }
    if ((Flags & kNoValidate) == 0) {
        FileTitle = QFileInfo(chosen).fileName();
        Title = FileTitle;
    }
    return true;
}

} // namespace morvane
