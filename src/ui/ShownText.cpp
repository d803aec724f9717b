#include "ui/ShownText.h"

namespace morvane {

namespace {

const QChar kEllipsis(0x2026);

} // namespace

QString ShownText(std::string_view utf8) {
    // Cut before converting: the whole field is never turned into a QString. A UTF-8
    // character takes at most four bytes, so this many bytes hold the shown characters.
    constexpr std::size_t kBytes = static_cast<std::size_t>(kShownTextLimit) * 4;
    if (utf8.size() <= kBytes) {
        return ShownText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
    }
    std::size_t cut = kBytes;
    // Not in the middle of a character: back up to the first byte of one.
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0U) == 0x80U) {
        --cut;
    }
    return ShownText(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(cut)) + kEllipsis);
}

QString ShownText(const QString& text) {
    if (text.size() <= kShownTextLimit) {
        return text;
    }
    qsizetype keep = kShownTextLimit;
    if (text.at(keep - 1).isHighSurrogate()) {
        --keep; // a character in two halves goes whole
    }
    return text.left(keep) + kEllipsis;
}

} // namespace morvane
