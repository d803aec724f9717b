#pragma once

#include "ui/MainCommand.h"

#include <QWidget>

#include <array>

class QPoint;

namespace morvane {

class LanguageTable;
class PictureButton;

/// The main window's row of picture buttons, Exit at its right end. Each button is as large as
/// its caption needs; a click asks for its command.
class CommandBar final : public QWidget {
    Q_OBJECT
public:
    explicit CommandBar(QWidget* parent);

    /// Applies the translated captions and tips; the language file's captions go on top after.
    void Retranslate();
    /// Applies the captions the language file carries.
    void UpdateLan(const LanguageTable& lan);
    /// Where the Setting menu opens: at the pointer when it is over the button, else under the
    /// button (a keyboard user's pointer may be anywhere).
    [[nodiscard]] QPoint SettingMenuPlace() const;

Q_SIGNALS:
    void commandRequested(MainCommand command);

private:
    struct Button {
        MainCommand command;
        PictureButton* button;
    };
    [[nodiscard]] PictureButton* ButtonOf(MainCommand command) const;

    std::array<Button, 8> m_buttons{};
};

} // namespace morvane
