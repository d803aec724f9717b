#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>

class QWidget;

namespace morvane {

/// The open-file, save-file and colour dialogs behind a few public fields: the caller sets
/// them, shows a dialog, and reads the outcome from the same fields. One instance is shared by
/// the whole program, so the file name chosen last is offered again by the next dialog.
class CommonDlgsW {
public:
    /// Flag bits the fields understand (the values of the classic dialog flags).
    static constexpr std::int32_t kOverwritePrompt = 0x2;
    static constexpr std::int32_t kNoValidate = 0x100;
    static constexpr std::int32_t kAllowMultiSelect = 0x200;
    /// The size of the classic dialogs' file-name, file-title and folder buffers, in
    /// characters: the path limit where those dialogs are what the platform shows.
    static constexpr int kBufferSize = 256;
    /// No path limit: Qt's dialogs, and the file systems they run on here, take long paths.
    static constexpr int kNoPathLimit = std::numeric_limits<int>::max();

    /// What a file dialog is asked to show.
    struct FileRequest {
        bool save = false;
        QWidget* owner = nullptr;
        QString title;            ///< Empty for the dialog's own caption.
        QStringList nameFilters;  ///< Qt's form: "Description (*.a *.b)".
        int filterIndex = 0;      ///< 0-based entry of nameFilters selected at first.
        QString fileName;         ///< Offered name or path.
        QString initDir;          ///< Folder to open in; empty for the file name's folder.
        QString defaultExt;       ///< Added to a typed name without extension.
        bool multiSelect = false; ///< Several files may be chosen (open only).
        bool overwritePrompt = false;
    };
    /// A confirmed file dialog: the chosen paths (one unless several were allowed).
    struct FileAnswer {
        QStringList files;
    };
    /// Shows a file dialog; nullopt when it was cancelled or could not be shown.
    using FileRunner = std::function<std::optional<FileAnswer>(const FileRequest&)>;
    /// Shows a colour dialog starting at `initial`, with the 16 custom colours to show and
    /// keep; nullopt when cancelled.
    using ColorRunner = std::function<std::optional<QColor>(QWidget* owner, const QColor& initial,
                                                            std::array<QColor, 16>& customColors)>;

    /// `pathLimit` is the longest file name or folder, in characters, that the platform's
    /// dialogs can offer or return.
    explicit CommonDlgsW(int pathLimit = kNoPathLimit);

    // The fields, in the classic order.
    std::int32_t Flags = 0;
    QString DefaultExt;
    QString DialogTitle;
    QString Title;
    QString FileName;
    QString FileTitle;
    QString Filter = QStringLiteral("All files (*.*)|*.*");
    std::int32_t FilterIndex = 1;
    QString InitDir;
    /// The longest name the caller takes back; starts at the path limit.
    std::int32_t MaxFileSize;

    /// The colour as 0x00BBGGRR.
    [[nodiscard]] std::int32_t Color() const { return m_color; }
    /// Stores a colour; a negative value names a system colour by its low 16 bits and stores
    /// that colour's current value instead.
    void SetColor(std::int32_t value);

    bool ShowColor(QWidget* owner);
    bool ShowOpen(QWidget* owner);
    bool ShowSave(QWidget* owner);

    /// Replaces the dialogs, for tests and for other desktops.
    void SetFileRunner(FileRunner runner) { m_fileRunner = std::move(runner); }
    void SetColorRunner(ColorRunner runner) { m_colorRunner = std::move(runner); }

    /// "desc|pattern|desc|pattern" as Qt name filters; a pattern list separated by ';' keeps
    /// all its patterns.
    [[nodiscard]] static QStringList NameFilters(const QString& filter);
    /// The current value of a system colour index (5 is the window background); 0 for an
    /// index that names none.
    [[nodiscard]] static std::int32_t SystemColor(int index);
    [[nodiscard]] static std::int32_t ToColorRef(const QColor& color);
    [[nodiscard]] static QColor FromColorRef(std::int32_t value);

private:
    bool ShowFile(bool save, QWidget* owner);

    int m_pathLimit;
    std::int32_t m_color = 12632256;
    std::array<QColor, 16> m_customColors;
    FileRunner m_fileRunner;
    ColorRunner m_colorRunner;
};

} // namespace morvane
