#pragma once

#include <QObject>

namespace morvane {

/// An event filter for a line edit that takes typed digits only. Other printable characters
/// are dropped; Backspace, the editing keys and shortcuts (paste included) pass, so a pasted
/// text is taken as it is.
class DigitsOnlyFilter final : public QObject {
    Q_OBJECT
public:
    explicit DigitsOnlyFilter(QObject* parent) : QObject(parent) {}

    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace morvane
